#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Every harness here is a libFuzzer target (LLVMFuzzerTestOneInput): scripts/fuzz builds them
// with clang's -fsanitize=fuzzer and runs them for as long as asked; ./test builds them with the
// game's compiler against StandaloneMain.cpp, which runs the seed corpus and a few seconds of
// its own mutations under the sanitizers. A harness must never crash, hang or leak, whatever the
// bytes; a refusal (false, nothing, a FatalError) is a good outcome.
namespace qv::fuzz {

inline std::string_view bytesOf(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace qv::fuzz
