#pragma once

// What the computer does for the keyboard's program, website and text keys: start a program,
// open an address, put text on the clipboard and paste it, start an on-screen keyboard.

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace keyloom {

class ComputerActions {
public:
    virtual ~ComputerActions() = default;

    // Starts a program, or opens a document with the program the desktop associates with it.
    virtual bool OpenProgram(const std::wstring& path) = 0;
    // Opens an absolute address ("https://...") in the default browser.
    virtual bool OpenAddress(const std::wstring& address) = 0;

    // The clipboard's text, or nothing when it holds no text.
    virtual std::optional<std::wstring> GetClipboardText() = 0;
    virtual bool SetClipboardText(const std::wstring& text) = 0;
    virtual void ClearClipboard() = 0;

    // The paste shortcut as key presses into whatever window has the keyboard focus.
    virtual bool PressPasteKeys() = 0;
    virtual void ReleasePasteKeys() = 0;

    // Runs `task` on the UI thread after `delay_ms`, without blocking the caller: the
    // clipboard must keep answering the pasting window meanwhile.
    virtual void RunLater(int delay_ms, std::function<void()> task) = 0;

    // False when no on-screen keyboard is installed or it could not be started.
    virtual bool StartOnScreenKeyboard() = 0;
};

// The desktop's implementation (X11 on Linux).
std::unique_ptr<ComputerActions> CreateComputerActions();

}  // namespace keyloom
