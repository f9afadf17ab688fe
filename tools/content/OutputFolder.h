#pragma once

#include "core/Image.h"
#include "pictures/NamedImage.h"

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace qv::content {

inline std::span<const uint8_t> bytesOf(const std::string& s) {
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

// The Data folder being generated. Every file goes through here: each write is atomic, is
// reported on the log ("wrote tex/zem.dds"), and files the game writes itself are refused.
// Nothing is ever deleted.
class OutputFolder {
  public:
    // Sounds may not peak above this share of full scale.
    static constexpr float kMaxPeak = 0.9f;

    OutputFolder(std::string root, std::ostream& log);

    const std::string& root() const { return root_; }
    std::string fullPath(const std::string& relativePath) const;

    // Writes a generated file, replacing an older version. Throws FatalError when the file is
    // one the game writes, the path leaves the folder, or the write fails.
    void write(const std::string& relativePath, std::span<const uint8_t> bytes);
    // Writes one of the game's default files (the built-in demo) only where none exists yet.
    // True when written.
    bool installIfAbsent(const std::string& relativePath, std::span<const uint8_t> bytes);

    // A texture as DDS; also kept for the contact sheet.
    void writeTexture(const std::string& relativePath, const Image& image);
    // A sound as WAV; throws FatalError if it peaks above kMaxPeak.
    void writeSound(const std::string& relativePath, std::span<const float> samples);
    void writePicture(const std::string& relativePath, const Image& image); // PNG

    // Brings in every file of a folder this tool generated, as generating here would have
    // written it: each replaces an older version, the built-in demo is installed only where
    // none exists, and a file the game writes is refused. Returns the defaults kept.
    std::vector<std::string> copyFrom(const std::string& generatedDir);

    const std::vector<NamedImage>& textures() const { return textures_; }
    const std::vector<std::string>& written() const { return written_; }

  private:
    // Throws unless the path stays inside the folder; creates its sub-folders.
    void checkPath(const std::string& relativePath) const;
    // As checkPath, and refuses the game's own files.
    void checkGenerated(const std::string& relativePath) const;
    // Records and reports a written file, or throws when the write failed.
    void finish(const std::string& relativePath, bool succeeded);

    std::string root_;
    std::ostream& log_;
    std::vector<NamedImage> textures_;
    std::vector<std::string> written_;
};

} // namespace qv::content
