#pragma once

// The system's names of keys, for showing captured keys to the user. Keys are given by their
// Windows virtual-key code, which is what the program stores and converts everywhere.

#include <string>

namespace keyloom {

// The system's name of the key with virtual-key code `virtual_key`. Some codes are shared by a
// dedicated key and a keypad key (Page Up and keypad 9 with Num Lock off, ...): `extended`
// asks for the dedicated one. Empty when the system has no name for the key.
std::wstring SystemKeyName(unsigned virtual_key, bool extended);

}  // namespace keyloom
