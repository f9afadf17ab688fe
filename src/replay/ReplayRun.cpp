#include "replay/ReplayRun.h"

namespace qv {

uint32_t ReplayRun::score() const {
    uint32_t total = 0;
    for (const ReplayStage& stage : stages)
        total += stage.score;
    return total;
}

uint32_t ReplayRun::knockDowns() const {
    uint32_t total = 0;
    for (const ReplayStage& stage : stages)
        total += stage.knockDowns;
    return total;
}

uint64_t ReplayRun::ticks() const {
    uint64_t total = 0;
    for (const ReplayStage& stage : stages)
        total += stage.records.size();
    return total;
}

uint64_t fieldHash(const std::string& bytes) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (const char c : bytes) {
        hash ^= static_cast<uint8_t>(c);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

} // namespace qv
