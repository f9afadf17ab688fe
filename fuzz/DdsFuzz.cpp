// The DDS texture reader: a picture it accepts has as many pixels as it claims.
#include "FuzzInput.h"
#include "assets/DdsReader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (const auto image = qv::decodeDds(data, size)) {
        if (image->pixels.size() != static_cast<size_t>(image->width) * image->height)
            std::abort();
    }
    return 0;
}
