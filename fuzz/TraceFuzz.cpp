// The trace reader the tests and tools read traces with.
#include "FuzzInput.h"
#include "app/TraceReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    (void)qv::readTrace(qv::fuzz::asFile(data, size, "trace.jsonl"));
    return 0;
}
