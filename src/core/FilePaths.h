#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <system_error>
#include <vector>

namespace qv {

// The game names its files with mixed case ("./data/wave/..." and "./Data/wave/..."). On a
// case-sensitive file system this finds the file whatever the case of each path component.
// Returns the path as it exists on disk, or the path unchanged when nothing matches.
std::string resolvePath(const std::string& path);

// Writes data to path through a temporary file in the same folder and a rename, so a crash
// mid-write never leaves a half-written file behind: the temporary is created exclusively under
// an unguessable name, flushed to disk with the old file's permissions, renamed, and the folder
// synced. The path is resolved like resolvePath, also when only its folder exists. A link to a
// regular file (a player keeping a file elsewhere) stays a link: the file it names is replaced,
// unless links is Replace (error.log: never written through a link). Returns false when the
// write failed (a full disk, a file-size limit, a read-only folder); the old file is then
// untouched.
enum class Links { Follow, Replace };
bool writeFileAtomically(const std::string& path, const void* data, size_t size, Links links = Links::Follow);

// The first of base + extension, base-2 + extension, ... base-most + extension that names
// nothing yet (not even a dangling link); empty when all of them are taken.
std::string unusedPath(const std::string& base, const std::string& extension, int most = 1000);

// A temporary file of writeFileAtomically is named "<file>.tmp<PID><6 random characters>".
inline constexpr const char* kTemporaryMark = ".tmp";
// Removes from folder the temporary files a killed game left behind (their process is gone);
// the paths removed.
std::vector<std::string> removeStaleTemporaries(const std::string& folder);
// Copies the file at path, when there is one, to "<path>.prev" (through writeFileAtomically):
// one generation kept before a file is overwritten. True when there was nothing to keep or it
// was kept.
bool keepPreviousGeneration(const std::string& path);
inline constexpr const char* kPreviousSuffix = ".prev";
// The process's file-creation mask, left as it was.
mode_t currentUmask();

// Creates folder and the parents it lacks, each readable by its owner only (a folder that
// exists already is left as it is). False, with the reason in ec, when one cannot be made.
bool createFolderOwnerOnly(const std::filesystem::path& folder, std::error_code& ec);

// The whole path, for a player to find the file from anywhere; the path as given when the
// working folder cannot be had.
std::string shownPath(const std::string& path);

// The most any file the game reads may hold, unless its reader sets a smaller bound.
inline constexpr uint64_t kMaxReadBytes = uint64_t{256} << 20;

// Reads a whole regular file (a link to one is followed; a pipe, device, socket or folder is
// refused without being opened, so nothing can block or pour endless bytes); false when it
// cannot be read or holds more than maxBytes.
bool readFile(const std::string& path, std::string& out, uint64_t maxBytes = kMaxReadBytes);

} // namespace qv
