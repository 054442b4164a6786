#pragma once

// The gallery's self-test: drives the real window through the X server (XTest) the way
// a user would, checks what arrived, and saves a screenshot of the screen.

#include <string>

#include "tools/gallery/gallery_window.h"

namespace gallery {

// Runs the script on `window` (already created and shown) inside the event loop and
// returns the number of failed checks; the screenshot goes to `screenshotPath`.
int RunSelfTest(GalleryWindow& window, const std::string& screenshotPath);

}  // namespace gallery
