#pragma once

#include "assets/DataFiles.h"
#include "core/Random.h"
#include "core/SaveResult.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The best score of each mode: endless, then stages 1 to 4.
using HighScoreTable = std::array<uint32_t, 5>;

// The two files that keep the high-score table.
//
// The binary file is 44 bytes: five records of four data bytes and four index bytes, then a
// little-endian check sum. The table as 20 little-endian bytes is scattered over the data bytes:
// each index byte names the table byte held by the data byte at the same position, and the 20
// index bytes are a fresh random permutation at every write. The check sum is the wrapping sum
// of the entries, each masked to its low 28 bits. Any file that does not decode cleanly (wrong
// size, an index outside 0..19, a check sum that does not match) counts as an empty table.
//
// The text file is a readable copy for the player; it is only ever written.
class ScoreFile {
  public:
    static constexpr const char* kDataPath = data::kScoreTable;
    static constexpr const char* kTextPath = "./HiScore.txt";
    static constexpr size_t kRecords = 5;
    static constexpr size_t kTableBytes = 20;
    static constexpr size_t kFileBytes = 44;

    static uint32_t checkSum(const HighScoreTable& table);
    // All zeros for anything but a well-formed file.
    static HighScoreTable decode(std::string_view bytes);
    // Nothing for anything but a well-formed file.
    static std::optional<HighScoreTable> decodeChecked(std::string_view bytes);
    // Draws the permutation from random: 100 swaps of two drawn positions.
    static std::string encode(const HighScoreTable& table, Random& random);
    static std::string text(const HighScoreTable& table);

    // A missing or unreadable file gives all zeros.
    static HighScoreTable load(const std::string& path = kDataPath);
    // Writes both files, each through a temporary file; a file that cannot be written is skipped
    // and named in the result. A well-formed table file there before is kept as "<file>.prev".
    static SaveResult save(const HighScoreTable& table, Random& random,
                           const std::string& dataPath = kDataPath, const std::string& textPath = kTextPath);
    // Empties the table, keeping a copy of each file beside it, named with ".bak" added (an
    // older copy is replaced). Nothing is reset unless every file there is has been copied; the
    // result names the files that could not be written.
    static SaveResult resetKeepingBackup(Random& random, const std::string& dataPath,
                                         const std::string& textPath);
    static std::string backupOf(const std::string& path) { return path + ".bak"; }
    // A table file that does not decode (one flipped bit fails its check sum) would read as an
    // empty table, and the next run, however poor, would overwrite every record. It is set
    // aside under a dated name, and the table of the previous save ("<file>.prev") put back
    // when that one is sound. Empty when the file is sound or missing; else what was done, for
    // the player.
    // A sound table whose readable copy differs (a save cut between the two files) has the
    // copy written again.
    static std::string recover(const std::string& dataPath, const std::string& textPath);

  private:
    static std::string mendText(const HighScoreTable& table, const std::string& textPath);
};

} // namespace qv
