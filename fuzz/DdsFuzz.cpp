// The DDS texture reader: a picture it accepts has as many pixels as it claims; a file it refuses
// is refused with a reason.
#include "FuzzInput.h"
#include "assets/DdsReader.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string problem;
    const auto image = qv::decodeDds(data, size, &problem);
    if (!image && problem.empty())
        std::abort();
    if (image && image->pixels.size() != static_cast<size_t>(image->width) * image->height)
        std::abort();
    return 0;
}
