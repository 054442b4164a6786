#include "platform/linux/user_folders_linux.h"
#include "platform/settings_store.h"

namespace keyloom {

std::filesystem::path SettingsStore::DefaultPath() {
    return std::filesystem::path(UserConfigFolder()) / "Varnel V21 Driver.ini";
}

}  // namespace keyloom
