#include "localization/language_change.h"

#include "localization/load_text.h"

namespace keyloom {

bool ChangeLanguage(int lcid, const std::function<void(int)>& store_setting) {
    if (CurrentLcid.load() == lcid) {
        return false;
    }
    CurrentLcid.store(lcid);
    if (store_setting) {
        store_setting(lcid);
    }
    return true;
}

}  // namespace keyloom
