#include "core/FilePaths.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <strings.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace qv {

namespace fs = std::filesystem;

std::string resolvePath(const std::string& path) {
    std::error_code ec;
    if (path.empty() || fs::exists(path, ec))
        return path;
    fs::path input(path);
    fs::path current = input.is_absolute() ? input.root_path() : fs::path(".");
    fs::path result = input.is_absolute() ? input.root_path() : fs::path();
    for (const fs::path& part : input.relative_path()) {
        const std::string name = part.string();
        fs::path exact = current / part;
        if (name == "." || name == ".." || fs::exists(exact, ec)) {
            current = exact;
            result /= part;
            continue;
        }
        bool found = false;
        for (fs::directory_iterator it(current, ec), end; !ec && it != end; it.increment(ec)) {
            std::string candidate = it->path().filename().string();
            if (strcasecmp(candidate.c_str(), name.c_str()) == 0) {
                current = it->path();
                result /= candidate;
                found = true;
                break;
            }
        }
        if (!found)
            return path;
    }
    return result.string();
}

namespace {

// Where a file the game writes goes: the existing file or folder whatever the case of its name,
// so "./data/x" lands in "./Data" even before the file exists.
std::string writablePath(const std::string& path) {
    const std::string existing = resolvePath(path);
    std::error_code ec;
    if (fs::exists(existing, ec))
        return existing;
    const fs::path p(path);
    if (p.parent_path().empty())
        return path;
    return (fs::path(resolvePath(p.parent_path().string())) / p.filename()).string();
}

} // namespace

bool writeFileAtomically(const std::string& requested, const void* data, size_t size) {
    const std::string path = writablePath(requested);
    std::string temp = path + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
        out.flush();
        if (!out) {
            out.close();
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

bool readFile(const std::string& path, std::string& out, uint64_t maxBytes) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return false;
    const auto size = fs::file_size(path, ec);
    if (ec || size > maxBytes)
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    // One read of the whole file: textures run to megabytes, too many to take a character at a time.
    out.resize(static_cast<size_t>(size));
    in.read(out.data(), static_cast<std::streamsize>(size));
    out.resize(static_cast<size_t>(in.gcount()));
    return !in.bad();
}

bool createFolderOwnerOnly(const fs::path& folder, std::error_code& ec) {
    fs::path missing = folder;
    std::vector<fs::path> created;
    while (!missing.empty() && !fs::exists(missing, ec)) {
        created.push_back(missing);
        if (missing == missing.parent_path())
            break;
        missing = missing.parent_path();
    }
    fs::create_directories(folder, ec);
    if (ec)
        return false;
    for (const fs::path& made : created)
        fs::permissions(made, fs::perms::owner_all, fs::perm_options::replace, ec);
    return !ec;
}

std::string shownPath(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

} // namespace qv
