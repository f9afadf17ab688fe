// The score table reader: whatever decodes has a check sum that matches, and prints.
#include "FuzzInput.h"
#include "race/ScoreFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (const auto table = qv::ScoreFile::decodeChecked(qv::fuzz::bytesOf(data, size))) {
        if (qv::ScoreFile::text(*table).empty())
            std::abort();
    }
    return 0;
}
