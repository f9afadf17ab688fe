#include "race/ScoreFile.h"

#include "core/FilePaths.h"
#include "core/LocalTime.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <numeric>
#include <system_error>
#include <utility>

namespace qv {

namespace {

constexpr size_t kRecordBytes = 8;
constexpr size_t kIndexOffset = 4;
constexpr size_t kCheckSumOffset = 40;
constexpr uint32_t kCheckSumMask = 0x0FFFFFFF;
constexpr int kSwaps = 100;

using TableBytes = std::array<uint8_t, ScoreFile::kTableBytes>;

// Where byte i of the data part (and of the index part) of the file sits.
constexpr size_t dataOffset(size_t i) {
    return kRecordBytes * (i / 4) + i % 4;
}

uint32_t readWord(const uint8_t* bytes) {
    return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 | uint32_t{bytes[3]} << 24;
}

void writeWord(uint8_t* bytes, uint32_t word) {
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<uint8_t>(word >> (8 * i));
}

TableBytes toBytes(const HighScoreTable& table) {
    TableBytes bytes{};
    for (size_t e = 0; e < table.size(); ++e)
        writeWord(&bytes[4 * e], table[e]);
    return bytes;
}

HighScoreTable fromBytes(const TableBytes& bytes) {
    HighScoreTable table{};
    for (size_t e = 0; e < table.size(); ++e)
        table[e] = readWord(&bytes[4 * e]);
    return table;
}

std::array<uint8_t, ScoreFile::kTableBytes> permutation(Random& random) {
    std::array<uint8_t, ScoreFile::kTableBytes> p;
    std::iota(p.begin(), p.end(), uint8_t{0});
    for (int i = 0; i < kSwaps; ++i) {
        const int a = random.next();
        const int b = random.next();
        std::swap(p[static_cast<size_t>(a) % p.size()], p[static_cast<size_t>(b) % p.size()]);
    }
    return p;
}

} // namespace

uint32_t ScoreFile::checkSum(const HighScoreTable& table) {
    uint32_t sum = 0;
    for (uint32_t entry : table)
        sum += entry & kCheckSumMask;
    return sum;
}

HighScoreTable ScoreFile::decode(std::string_view bytes) {
    return decodeChecked(bytes).value_or(HighScoreTable{});
}

std::optional<HighScoreTable> ScoreFile::decodeChecked(std::string_view bytes) {
    if (bytes.size() != kFileBytes)
        return std::nullopt;
    const auto* file = reinterpret_cast<const uint8_t*>(bytes.data());
    TableBytes table{};
    for (size_t i = 0; i < kTableBytes; ++i) {
        const auto index = static_cast<int8_t>(file[dataOffset(i) + kIndexOffset]);
        if (index < 0 || static_cast<size_t>(index) >= kTableBytes)
            return std::nullopt;
        table[static_cast<size_t>(index)] = file[dataOffset(i)];
    }
    const HighScoreTable decoded = fromBytes(table);
    if (checkSum(decoded) != readWord(file + kCheckSumOffset))
        return std::nullopt;
    return decoded;
}

std::string ScoreFile::encode(const HighScoreTable& table, Random& random) {
    const TableBytes source = toBytes(table);
    const auto p = permutation(random);
    std::array<uint8_t, kFileBytes> file{};
    for (size_t i = 0; i < kTableBytes; ++i) {
        file[dataOffset(i) + kIndexOffset] = p[i];
        file[dataOffset(i)] = source[p[i]];
    }
    writeWord(&file[kCheckSumOffset], checkSum(table));
    return std::string(reinterpret_cast<const char*>(file.data()), file.size());
}

std::string ScoreFile::text(const HighScoreTable& table) {
    char buffer[160];
    const int length =
        std::snprintf(buffer, sizeof buffer,
                      "---HIGH SCORE---\n\nENDLESS %u\nSTAGE1  %u\nSTAGE2  %u\nSTAGE3  %u\nSTAGE4  %u\n",
                      table[0], table[1], table[2], table[3], table[4]);
    return std::string(buffer, static_cast<size_t>(length));
}

HighScoreTable ScoreFile::load(const std::string& path) {
    std::string bytes;
    if (!readFile(resolvePath(path), bytes))
        return {};
    return decode(bytes);
}

SaveResult ScoreFile::save(const HighScoreTable& table, Random& random, const std::string& dataPath,
                           const std::string& textPath) {
    SaveResult result;
    std::string old;
    if (readFile(resolvePath(dataPath), old, kFileBytes) && decodeChecked(old))
        keepPreviousGeneration(dataPath); // a damaged file never replaces a sound backup
    const std::string data = encode(table, random);
    result.note(writeFileAtomically(dataPath, data.data(), data.size()), dataPath);
    const std::string readable = text(table);
    result.note(writeFileAtomically(textPath, readable.data(), readable.size()), textPath);
    return result;
}

SaveResult ScoreFile::resetKeepingBackup(Random& random, const std::string& dataPath,
                                         const std::string& textPath) {
    SaveResult result;
    for (const std::string& path : {dataPath, textPath}) {
        std::error_code ec;
        if (!std::filesystem::exists(path, ec))
            continue;
        std::string bytes;
        const std::string backup = backupOf(path);
        result.note(readFile(path, bytes) && writeFileAtomically(backup, bytes.data(), bytes.size()), backup);
    }
    if (!result.ok())
        return result;
    return save(HighScoreTable{}, random, dataPath, textPath);
}

// A save cut between its two renames leaves the readable copy one table behind.
std::string ScoreFile::mendText(const HighScoreTable& table, const std::string& textPath) {
    const std::string readable = text(table);
    std::string shown;
    std::error_code ec;
    if (!std::filesystem::exists(textPath, ec) || (readFile(textPath, shown, 4096) && shown == readable))
        return {};
    if (!writeFileAtomically(textPath, readable.data(), readable.size()))
        return textPath + " does not match the table and could not be written again";
    return textPath + " did not match the table (a save was cut short); it is written again";
}

std::string ScoreFile::recover(const std::string& dataPath, const std::string& textPath) {
    const std::string path = resolvePath(dataPath);
    std::error_code ec;
    std::string bytes;
    if (!std::filesystem::exists(path, ec))
        return {};
    if (readFile(path, bytes, kFileBytes)) {
        if (const auto table = decodeChecked(bytes))
            return mendText(*table, textPath);
    }
    const std::string aside =
        unusedPath(path + localTimeText(std::time(nullptr), ".damaged-%Y-%m-%d_%H-%M-%S"), "");
    std::filesystem::rename(path, aside, ec);
    std::string message = path + " is damaged (it does not decode); ";
    message += ec ? "it could not be set aside (" + ec.message() + ")" : "it is kept as " + aside;
    std::string previous;
    const auto table =
        readFile(path + kPreviousSuffix, previous, kFileBytes) ? decodeChecked(previous) : std::nullopt;
    if (!ec && table && writeFileAtomically(path, previous.data(), previous.size())) {
        const std::string readable = text(*table);
        writeFileAtomically(textPath, readable.data(), readable.size());
        return message + "; the table of the save before is back";
    }
    return message + "; the table starts empty";
}

} // namespace qv
