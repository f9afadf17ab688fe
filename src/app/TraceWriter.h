#pragma once

#include <cstdint>
#include <fstream>
#include <string>

namespace qv {

class GameDirector;
struct GameState;

// Writes one JSON object per director tick (JSON Lines), for tests and for checking replays.
// Keys are only ever added; a value that does not exist at that moment is null.
class TraceWriter {
  public:
    explicit TraceWriter(const std::string& path);
    bool good() const { return out_.good(); }
    void write(uint32_t tick, const GameDirector& director, const GameState& state);
    // Flushes and closes the file; false when any line could not be written whole.
    bool close();

    // One line for the tick, without the newline.
    static std::string line(uint32_t tick, const GameDirector& director, const GameState& state);

  private:
    std::ofstream out_;
};

} // namespace qv
