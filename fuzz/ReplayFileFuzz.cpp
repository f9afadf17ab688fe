// The replay file reader: a run it takes is one the writer makes, and reads back the same.
#include "FuzzInput.h"
#include "replay/ReplayFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = qv::fuzz::bytesOf(data, size);
    std::string error;
    if (const auto run = qv::ReplayFile::decode(bytes, error)) {
        const auto again = qv::ReplayFile::decode(qv::ReplayFile::encode(*run), error);
        if (!again || !(*again == *run))
            std::abort();
    }
    qv::ReplayFile::decodeSummary(bytes, error);
    return 0;
}
