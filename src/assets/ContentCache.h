#pragma once

#include "assets/MeshData.h"
#include "core/Image.h"

#include <cstddef>
#include <map>
#include <memory>
#include <string>

namespace qv {

// Decoded content kept from one scene to the next: the pictures of DDS files and the meshes of
// .x files, each read and decoded the first time it is asked for and kept under its file's
// resolved, absolute path. Only the game's content comes through here (Data/ does not change
// while the game runs), never a player's file. It holds CPU data only: every scene makes its
// own textures and buffers from it on the device of the moment. A file that cannot be read or
// decoded is not remembered, so it is read again, and fails again, each time it is asked for.
// Memory stays bounded by the content: one entry per file at the most.
class ContentCache {
  public:
    // Nothing: every file is read and decoded at every request, as if there were no cache (to
    // compare with, and to measure what the cache saves).
    enum class Keep { Everything, Nothing };

    explicit ContentCache(Keep keep = Keep::Everything) : keep_(keep) {}
    ContentCache(const ContentCache&) = delete;
    ContentCache& operator=(const ContentCache&) = delete;

    // The picture of a DDS file (path as the game names it); null when the file is missing or
    // not a picture the DDS reader understands, and then problem, when given, says why.
    std::shared_ptr<const Image> image(const std::string& path, std::string* problem = nullptr);
    // The mesh of a .x file, as loadMeshFile gives it; null when it cannot be loaded, and then
    // problem, when given, says why.
    std::shared_ptr<const MeshData> mesh(const std::string& path, std::string* problem = nullptr);

    // Files read and decoded so far: once for each kept entry, once for every failed try.
    size_t filesRead() const { return filesRead_; }
    size_t entries() const { return images_.size() + meshes_.size(); }

  private:
    template <typename Value> using Entries = std::map<std::string, std::shared_ptr<const Value>>;

    // The entry for path, decoded by load on a miss; a failed load leaves no entry.
    template <typename Value, typename Load>
    std::shared_ptr<const Value> lookup(Entries<Value>& entries, const std::string& path, Load load);

    const Keep keep_;
    Entries<Image> images_;
    Entries<MeshData> meshes_;
    size_t filesRead_ = 0;
};

} // namespace qv
