#pragma once

// Input synthesised at the X server through XTest, so it travels the same way as a
// user's input: the self-tests of the gallery and the end-to-end runs use it. Works only
// with the gtk backend installed (it uses that backend's display).

#include <string>

namespace Tessera {

// False when the display has no XTest extension (or the gtk backend is not running).
bool SyntheticInputAvailable();
void SyntheticMouseMove(int screenX, int screenY);
// Button 1 left, 2 middle, 3 right.
void SyntheticButton(int button, bool press);
// Types printable ASCII text, with Shift where a character needs it; false when a
// character has no key on the current layout.
bool SyntheticTypeText(const std::wstring& text);
// Presses and releases a named key ("Return", "Escape", "Tab" ...: X key names).
bool SyntheticTapKey(const char* keyName);
// Sends everything queued to the server and waits until it has been processed.
void SyntheticFlush();

}  // namespace Tessera
