#pragma once

#include "core/Image.h"

#include <string>

namespace qv::content {

// A picture with the name it is shown under, e.g. a texture and its path below the Data folder.
struct NamedImage {
    std::string name; // e.g. "tex/zem.dds"
    Image image;
};

} // namespace qv::content
