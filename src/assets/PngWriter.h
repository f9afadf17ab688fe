#pragma once

#include "core/Image.h"

#include <string>

namespace qv {

// Saves an image (0xAARRGGBB words, top row first) as an RGBA PNG. The file is replaced only
// once the whole picture is encoded and written. False when the image is empty or malformed,
// or the file cannot be written.
bool writePng(const std::string& path, const Image& image);

} // namespace qv
