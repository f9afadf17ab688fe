#pragma once

#include <string>
#include <vector>

namespace qv {

// What became of a group of file writes: the paths that could not be written, in the order
// they were tried. Writers return one, so a failed save is reported instead of lost.
struct SaveResult {
    std::vector<std::string> failed;

    void note(bool written, const std::string& path) {
        if (!written)
            failed.push_back(path);
    }
    void add(const SaveResult& other) {
        failed.insert(failed.end(), other.failed.begin(), other.failed.end());
    }
    bool ok() const { return failed.empty(); }
};

} // namespace qv
