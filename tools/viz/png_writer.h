#pragma once

#include <string>

#include "music/frame_image.h"

namespace keyloom::viz {

// Writes a 0x00BBGGRR image as an 8-bit RGB PNG; empty `error` on success.
bool WriteImagePng(const FrameImage& image, const std::string& path, std::string& error);

}  // namespace keyloom::viz
