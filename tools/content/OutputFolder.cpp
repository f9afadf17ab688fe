#include "OutputFolder.h"

#include "ContentPaths.h"
#include "assets/PngWriter.h"
#include "core/FatalError.h"
#include "core/FilePaths.h"
#include "formats/DdsWriter.h"
#include "formats/WavWriter.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>

namespace qv::content {

namespace fs = std::filesystem;

OutputFolder::OutputFolder(std::string root, std::ostream& log) : root_(std::move(root)), log_(log) {}

std::string OutputFolder::fullPath(const std::string& relativePath) const {
    return (fs::path(root_) / relativePath).string();
}

void OutputFolder::checkPath(const std::string& relativePath) const {
    const fs::path path(relativePath);
    const bool escapes = path.is_absolute() || std::any_of(path.begin(), path.end(),
                                                           [](const fs::path& part) { return part == ".."; });
    if (relativePath.empty() || escapes) {
        throw FatalError("refusing to write " + relativePath + ": not a path inside " + root_);
    }
    std::error_code ec;
    fs::create_directories(fs::path(fullPath(relativePath)).parent_path(), ec);
    if (ec) {
        throw FatalError("cannot create the folder for " + fullPath(relativePath) + ": " + ec.message());
    }
}

void OutputFolder::checkGenerated(const std::string& relativePath) const {
    if (isGameWritten(relativePath)) {
        throw FatalError("refusing to write " + relativePath + ": the game writes that file itself");
    }
    checkPath(relativePath);
}

void OutputFolder::finish(const std::string& relativePath, bool succeeded) {
    if (!succeeded) {
        throw FatalError("cannot write " + fullPath(relativePath));
    }
    written_.push_back(relativePath);
    log_ << "wrote " << relativePath << '\n';
}

void OutputFolder::write(const std::string& relativePath, std::span<const uint8_t> bytes) {
    checkGenerated(relativePath);
    finish(relativePath, writeFileAtomically(fullPath(relativePath), bytes.data(), bytes.size()));
}

bool OutputFolder::installIfAbsent(const std::string& relativePath, std::span<const uint8_t> bytes) {
    if (!isInstallableDefault(relativePath)) {
        throw FatalError("refusing to install " + relativePath + ": not one of the game's default files");
    }
    checkPath(relativePath);
    // The game finds its files whatever their case, so any case of the name counts as present.
    std::error_code ec;
    if (fs::exists(resolvePath(fullPath(relativePath)), ec) || ec) {
        log_ << "kept " << relativePath << '\n';
        return false;
    }
    finish(relativePath, writeFileAtomically(fullPath(relativePath), bytes.data(), bytes.size()));
    return true;
}

void OutputFolder::writeTexture(const std::string& relativePath, const Image& image) {
    write(relativePath, encodeDds(image));
    textures_.push_back({relativePath, image});
}

void OutputFolder::writeSound(const std::string& relativePath, std::span<const float> samples) {
    float peak = 0.0f;
    for (float s : samples) {
        peak = std::isnan(s) ? INFINITY : std::max(peak, std::fabs(s));
    }
    if (peak > kMaxPeak) {
        std::ostringstream message;
        message << relativePath << " peaks at " << peak << " of full scale (the limit is " << kMaxPeak << ")";
        throw FatalError(message.str());
    }
    write(relativePath, encodeWav(samples).bytes);
}

std::vector<std::string> OutputFolder::copyFrom(const std::string& generatedDir) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(generatedDir)) {
        if (entry.is_regular_file())
            files.push_back(fs::relative(entry.path(), generatedDir).generic_string());
    }
    std::sort(files.begin(), files.end());
    std::vector<std::string> kept;
    for (const std::string& file : files) {
        std::string bytes;
        if (!readFile((fs::path(generatedDir) / file).string(), bytes))
            throw FatalError("cannot read " + (fs::path(generatedDir) / file).string());
        if (!isInstallableDefault(file))
            write(file, bytesOf(bytes));
        else if (!installIfAbsent(file, bytesOf(bytes)))
            kept.push_back(file);
    }
    return kept;
}

void OutputFolder::writePicture(const std::string& relativePath, const Image& image) {
    checkGenerated(relativePath);
    finish(relativePath, writePng(fullPath(relativePath), image));
}

} // namespace qv::content
