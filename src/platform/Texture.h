#pragma once

#include "core/Image.h"

#include <cstdint>

namespace qv {

// A texture that lives on a graphics device; released when destroyed.
class Texture {
  public:
    virtual ~Texture() = default;
    virtual uint32_t width() const = 0;
    virtual uint32_t height() const = 0;
};

} // namespace qv
