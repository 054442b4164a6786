#pragma once

// Carrying out the application, website and text keys: the keyboard reports a key action id,
// the program looks the action up and performs it on the computer.

#include <optional>
#include <string>

namespace keyloom {

class ComputerActions;
class ConfigDatabase;

// The kinds stored in a key action row.
inline constexpr int kKeyActionApplication = 8;
inline constexpr int kKeyActionWebsite = 9;
inline constexpr int kKeyActionSendText = 10;

// How long the paste keys stay down, and how long the pasting window gets to fetch the text
// before the clipboard's earlier content is put back.
inline constexpr int kPasteKeyHoldMs = 100;
inline constexpr int kClipboardRestoreDelayMs = 1000;

enum class KeyActionOutcome {
    kNoAction,  // no row for the id, an unknown kind, or nothing to do (empty text)
    kRefused,   // an address that is not a web address
    kFailed,    // the desktop could not carry it out
    kDone,
};

// Performs the action the keyboard reported. The row's kind decides, not the report's kind byte.
KeyActionOutcome CarryOutKeyAction(ConfigDatabase& database, ComputerActions& actions,
                                   int action_id);

// The address to open for a website key's text: http and https addresses as they are; a bare
// host gets "www." in front unless it holds "www." already, and "http://"; other schemes
// (file:, javascript: ...) give nothing.
std::optional<std::wstring> WebsiteAddress(const std::wstring& text);

// Pastes `text` into the focused window through the clipboard, then puts the clipboard's
// earlier text back (or leaves it empty when it held none).
KeyActionOutcome SendText(ComputerActions& actions, const std::wstring& text);

}  // namespace keyloom
