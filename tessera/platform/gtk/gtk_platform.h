#pragma once

// The GTK 3 backend of the framework's platform seam (X11 only: absolute window positions
// and synthetic input need it). Free of GTK types, so the program can choose its backend:
//   if (auto gtk = Tessera::CreateGtkPlatform()) Tessera::UsePlatform(std::move(gtk));

#include <memory>

#include "tessera/platform/platform.h"

namespace Tessera {

// Initialises GTK on the X11 backend. Null when no X display can be opened.
std::unique_ptr<Platform> CreateGtkPlatform();

}  // namespace Tessera
