#pragma once

// Process-wide framework state: the program's instance, the framework font, the
// selection colour, the skin folder, the set of framework windows and the message loop.

#include <set>
#include <string>

#include "tessera/platform/geometry.h"
#include "tessera/platform/window_messages.h"

namespace Tessera {

class MWindow;

class Manager {
public:
    Manager() = delete;

    static void SetInstance(void* instance);
    static void* GetInstance();
    static void SetFont(const std::wstring& face, int size);
    static void SetFontName(const std::wstring& face);
    static std::wstring GetFontName();
    static int GetFontWidth();
    static ARGB GetSelectColor();
    static void SetSelectColor(ARGB color);
    static std::wstring GetTheme() { return L"theme1\\"; }
    // Nothing to start on this platform; kept so the program's start-up reads the same.
    static void InitGdiplus() {}
    static void UnInitGdiplus() {}

    // The folder skin image names are relative to: "images" beside the program, unless
    // set here (tests, tools). Always ends with a separator.
    static std::wstring GetSkinFolder();
    static void SetSkinFolder(const std::wstring& folder);

    static void AddWnd(MWindow* window);
    static void DeleteWnd(MWindow* window);
    static bool IsKnownWnd(MWindow* window);

    // Runs the event loop until a quit request; returns its exit code.
    static int MessageLoop();
    // 1 (consumed) while Alt and F4 are both held down: such messages are dropped.
    static int PreTranslateMessage(unsigned msg, WPARAM wParam, LPARAM lParam);
};

}  // namespace Tessera
