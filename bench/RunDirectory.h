#pragma once

#include <filesystem>
#include <system_error>

namespace qv::bench {

// Enters a folder holding the generated Data/: the working directory when it has one, else the
// build's run directory beside this program's folder.
inline bool enterRunDirectory() {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::exists("Data/Field0.dat", ec))
        return true;
    const fs::path run = fs::read_symlink("/proc/self/exe", ec).parent_path().parent_path() / "run";
    if (ec || !fs::exists(run / "Data/Field0.dat", ec))
        return false;
    fs::current_path(run, ec);
    return !ec;
}

} // namespace qv::bench
