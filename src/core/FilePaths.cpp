#include "core/FilePaths.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <strings.h>
#include <sys/stat.h>
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

namespace {

bool writeAll(int fd, const char* bytes, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false; // a full disk, a file-size limit (EFBIG: SIGXFSZ is ignored), an I/O error
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// The regular file a link names, where path is one; else path.
std::string linkedFile(const std::string& path) {
    std::error_code ec;
    if (!fs::is_symlink(path, ec))
        return path;
    const fs::path target = fs::canonical(path, ec);
    return !ec && fs::is_regular_file(target, ec) ? target.string() : path;
}

// The rename is on disk once the folder is: without this a crash may still lose it.
void syncFolderOf(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    const int fd = ::open(parent.empty() ? "." : parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

// The temporary file is made exclusively under a name nobody can guess (mkstemp), so nothing
// planted there (a link, a pipe) is followed or reused; it is written, flushed to disk, given the
// old file's permissions, and only then renamed over the target.
bool writeFileAtomically(const std::string& requested, const void* data, size_t size, Links links) {
    const std::string path =
        links == Links::Follow ? linkedFile(writablePath(requested)) : writablePath(requested);
    mode_t mode = 0644;
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        mode = old.st_mode & 07777;
    else
        mode &= ~currentUmask();
    std::string temp = path + kTemporaryMark + std::to_string(::getpid()) + "XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    const bool written =
        writeAll(fd, static_cast<const char*>(data), size) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || std::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    syncFolderOf(path);
    return true;
}

std::string unusedPath(const std::string& base, const std::string& extension, int most) {
    for (int n = 1; n <= most; ++n) {
        std::string path = base;
        if (n > 1) {
            path += '-';
            path += std::to_string(n);
        }
        path += extension;
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(path, ec)))
            return path;
    }
    return {};
}

bool keepPreviousGeneration(const std::string& path) {
    const std::string existing = resolvePath(path);
    std::error_code ec;
    if (!fs::is_regular_file(existing, ec))
        return true;
    std::string bytes;
    return readFile(existing, bytes) &&
           writeFileAtomically(existing + kPreviousSuffix, bytes.data(), bytes.size());
}

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

std::vector<std::string> removeStaleTemporaries(const std::string& folder) {
    std::vector<std::string> removed;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        const size_t mark = name.rfind(kTemporaryMark);
        if (mark == std::string::npos || !entry.is_regular_file(ec))
            continue;
        const std::string tail = name.substr(mark + std::string_view(kTemporaryMark).size());
        // The random part may itself start with digits: the process number is all but its last 6.
        const size_t digits = tail.size() < 6 ? 0 : tail.size() - 6;
        if (digits == 0 || digits > 9 ||
            tail.substr(0, digits).find_first_not_of("0123456789") != std::string::npos)
            continue;
        const auto pid = static_cast<pid_t>(std::stol(tail.substr(0, tail.size() - 6)));
        // A game still running there (its own save in progress) keeps its file.
        if (pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH)
            continue;
        if (fs::remove(entry.path(), ec))
            removed.push_back(entry.path().string());
    }
    return removed;
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
