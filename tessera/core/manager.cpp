#include "tessera/core/manager.h"

#include <mutex>

#include "tessera/platform/platform.h"

namespace Tessera {

namespace {
struct ManagerState {
    std::mutex mutex;
    void* instance = nullptr;
    std::wstring fontName = L"HarmonyOS Sans SC";
    int fontWidth = 20;
    ARGB selectColor = 0xFFFF3300;
    std::wstring skinFolder;
    std::set<MWindow*> windows;
};
ManagerState& State() {
    static ManagerState state;
    return state;
}
}  // namespace

void Manager::SetInstance(void* instance) {
    std::lock_guard lock(State().mutex);
    State().instance = instance;
}
void* Manager::GetInstance() {
    std::lock_guard lock(State().mutex);
    return State().instance;
}
void Manager::SetFont(const std::wstring& face, int size) {
    std::lock_guard lock(State().mutex);
    State().fontName = face;
    State().fontWidth = size;
}
void Manager::SetFontName(const std::wstring& face) {
    std::lock_guard lock(State().mutex);
    State().fontName = face;
}
std::wstring Manager::GetFontName() {
    std::lock_guard lock(State().mutex);
    return State().fontName;
}
int Manager::GetFontWidth() {
    std::lock_guard lock(State().mutex);
    return State().fontWidth;
}
ARGB Manager::GetSelectColor() {
    std::lock_guard lock(State().mutex);
    return State().selectColor;
}
void Manager::SetSelectColor(ARGB color) {
    std::lock_guard lock(State().mutex);
    State().selectColor = color;
}

std::wstring Manager::GetSkinFolder() {
    std::lock_guard lock(State().mutex);
    if (State().skinFolder.empty()) {
        State().skinFolder = GetProgramFolder() + L"images/";
    }
    return State().skinFolder;
}
void Manager::SetSkinFolder(const std::wstring& folder) {
    std::lock_guard lock(State().mutex);
    State().skinFolder = folder;
    if (!folder.empty() && folder.back() != L'/' && folder.back() != L'\\') {
        State().skinFolder.push_back(L'/');
    }
}

void Manager::AddWnd(MWindow* window) {
    std::lock_guard lock(State().mutex);
    State().windows.insert(window);
}
void Manager::DeleteWnd(MWindow* window) {
    std::lock_guard lock(State().mutex);
    State().windows.erase(window);
}
bool Manager::IsKnownWnd(MWindow* window) {
    std::lock_guard lock(State().mutex);
    return State().windows.contains(window);
}

int Manager::MessageLoop() {
    Platform& platform = CurrentPlatform();
    platform.RunLoop([] { return true; });
    return platform.QuitCode();
}

int Manager::PreTranslateMessage(unsigned, WPARAM, LPARAM) {
    const Platform& platform = CurrentPlatform();
    return platform.IsKeyDown(VK_MENU) && platform.IsKeyDown(VK_F4) ? 1 : 0;
}

}  // namespace Tessera
