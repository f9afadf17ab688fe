// Runs a libFuzzer target without libFuzzer, for compilers that have none (./test builds the
// harnesses with the game's compiler and sanitizers): every file of the corpus folders given,
// then mutations of them (bit flips, cut ends, repeated and removed runs, random bytes) from a
// fixed seed, until the time is up.
//
//   fuzz_NAME [--seconds N] CORPUS_DIR...
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void run(const std::string& input) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

std::string mutated(std::string input, std::mt19937& random) {
    auto pick = [&](size_t n) {
        return n == 0 ? size_t{0} : std::uniform_int_distribution<size_t>(0, n - 1)(random);
    };
    switch (pick(5)) {
    case 0:
        if (!input.empty())
            input[pick(input.size())] ^= static_cast<char>(1u << pick(8));
        break;
    case 1:
        input.resize(pick(input.size() + 1));
        break;
    case 2: {
        const size_t at = pick(input.size() + 1);
        input.insert(at, input.substr(at, pick(64)));
        break;
    }
    case 3:
        if (!input.empty())
            input.erase(pick(input.size()), pick(64));
        break;
    default:
        for (size_t i = pick(8) + 1; i > 0 && !input.empty(); --i)
            input[pick(input.size())] = static_cast<char>(random());
        break;
    }
    return input;
}

} // namespace

int main(int argc, char** argv) {
    double seconds = 2.0;
    std::vector<std::string> corpus;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--seconds" && i + 1 < argc) {
            seconds = std::atof(argv[++i]);
            continue;
        }
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(arg, ec)) {
            std::ifstream in(entry.path(), std::ios::binary);
            corpus.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    }
    corpus.emplace_back();
    for (const std::string& input : corpus)
        run(input);
    std::mt19937 random(1);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    uint64_t runs = corpus.size();
    for (; std::chrono::steady_clock::now() < end; ++runs) {
        std::string input = corpus[runs % corpus.size()];
        for (int k = 0; k < 4; ++k)
            input = mutated(std::move(input), random);
        run(input);
    }
    std::printf("%llu inputs, %zu from the corpus, no failure\n", static_cast<unsigned long long>(runs),
                corpus.size());
    return 0;
}
