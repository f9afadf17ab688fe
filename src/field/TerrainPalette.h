#pragma once

#include "platform/RenderTypes.h"

#include <cstdint>

namespace qv {

// Ground colour by height. Selector 1 is the coloured palette (grey-blue under water, green
// shores, yellow-green hills, brown peaks); any other value the pale one (white lowlands
// darkening to blue-grey). The same selector picks the water colour.
class TerrainPalette {
  public:
    explicit TerrainPalette(int32_t selector) : colored_(selector == 1) {}

    bool colored() const { return colored_; }
    // Opaque ARGB colour of ground at height h.
    Argb colorAt(float h) const;

  private:
    bool colored_;
};

} // namespace qv
