// The WAV header check that stands before SDL_mixer.
#include "FuzzInput.h"
#include "platform/WaveHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    qv::WaveHeader::check(qv::fuzz::bytesOf(data, size), error);
    return 0;
}
