#pragma once

// Naming a captured key for the user: the key assignment page captures keys from the
// window's raw key input, the macro recorder from its keyboard hook; both show the key by
// name and keep its (possibly replaced) virtual-key code.

#include <functional>
#include <string>

namespace keyloom {

enum class KeyEventSource {
    kRawInput,  // key capture of the key assignment page
    kHook,      // the macro recorder
};

struct CapturedKeyEvent {
    unsigned virtual_key = 0;
    // Hook events only: the hardware scan code and the hook's flags (0x01 extended,
    // 0x80 key up, other bits for injected and Alt-down events).
    unsigned scan_code = 0;
    unsigned flags = 0;
    KeyEventSource source = KeyEventSource::kRawInput;
};

struct KeyDisplay {
    unsigned virtual_key = 0;  // 0: the event names no key
    std::wstring text;
};

// The system's name of a virtual key (see platform/key_names.h); replaceable for tests.
using SystemKeyNamer = std::function<std::wstring(unsigned virtual_key, bool extended)>;

// The code and name of a captured key. Keypad keys from the hook are coded as with Num Lock on
// whatever its state; generic Shift, Ctrl and Alt become their left-hand codes; a fixed set of
// keys get fixed names, the rest the system's name.
KeyDisplay KeyDisplayName(const CapturedKeyEvent& event);
KeyDisplay KeyDisplayName(const CapturedKeyEvent& event, const SystemKeyNamer& system_name);

}  // namespace keyloom
