#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace qv::test {

// A fresh folder under the system's temp folder, removed with everything in it on destruction.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    // Writes a file (creating its folders) below the temp folder and returns its full path.
    std::string write(const std::string& name, const std::string& contents) const;

  private:
    std::filesystem::path path_;
};

// Every regular file below folder with its size and time, to see that something wrote nothing.
std::map<std::string, std::pair<uintmax_t, std::filesystem::file_time_type>>
filesWithTimes(const std::filesystem::path& folder);

// Runs the body with the working directory set to dir, restoring it afterwards.
class ScopedWorkingDir {
  public:
    explicit ScopedWorkingDir(const std::filesystem::path& dir);
    ~ScopedWorkingDir();

  private:
    std::filesystem::path previous_;
};

} // namespace qv::test
