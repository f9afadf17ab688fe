#include "assets/ContentCache.h"

#include "assets/DdsReader.h"
#include "assets/MeshLoader.h"
#include "core/FilePaths.h"

#include <filesystem>
#include <system_error>

namespace qv {

namespace {

// One key per file however it is named: relative or absolute, with "./" or without, through a
// link or not, and whatever the working folder was when it was named.
std::string fileKey(const std::string& resolved) {
    std::error_code ec;
    const std::filesystem::path key = std::filesystem::weakly_canonical(resolved, ec);
    return ec ? resolved : key.string();
}

} // namespace

template <typename Value, typename Load>
std::shared_ptr<const Value> ContentCache::lookup(Entries<Value>& entries, const std::string& path,
                                                  Load load) {
    const std::string resolved = resolvePath(path);
    const std::string key = fileKey(resolved);
    if (const auto found = entries.find(key); found != entries.end())
        return found->second;
    ++filesRead_;
    auto loaded = load(resolved);
    if (!loaded)
        return nullptr;
    auto value = std::make_shared<const Value>(std::move(*loaded));
    if (keep_ == Keep::Everything)
        entries.emplace(key, value);
    return value;
}

std::shared_ptr<const Image> ContentCache::image(const std::string& path, std::string* problem) {
    return lookup(images_, path,
                  [problem](const std::string& resolved) { return loadDdsFile(resolved, problem); });
}

std::shared_ptr<const MeshData> ContentCache::mesh(const std::string& path, std::string* problem) {
    return lookup(meshes_, path,
                  [problem](const std::string& resolved) { return loadMeshFile(resolved, problem); });
}

} // namespace qv
