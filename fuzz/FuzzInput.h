#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

// Every harness here is a libFuzzer target (LLVMFuzzerTestOneInput): scripts/fuzz builds them
// with clang's -fsanitize=fuzzer and runs them for as long as asked; ./test builds them with the
// game's compiler against StandaloneMain.cpp, which runs the seed corpus and a few seconds of
// its own mutations under the sanitizers. A harness must never crash, hang or leak, whatever the
// bytes; a refusal (false, nothing, a FatalError) is a good outcome.
namespace qv::fuzz {

inline std::string_view bytesOf(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// For readers that take a path: the input as a file of this process's own, rewritten each time.
inline std::string asFile(const uint8_t* data, size_t size, const char* name) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("qorvex-fuzz-" + std::to_string(::getpid()) + "-" + name))
            .string();
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path;
}

} // namespace qv::fuzz
