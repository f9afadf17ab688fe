// Keeps the folder floors of src/ true: every `#include "folder/..."` of every source file must be
// allowed by the dependency table in docs/ARCHITECTURE.md, and the table itself must only ever
// point down (each folder may include only folders listed above it in the table).
#include "support/BuildPaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace qv {
namespace {

namespace fs = std::filesystem;

const fs::path kSource = test::sourceDir();

struct Floor {
    std::string folder;
    std::set<std::string> mayInclude;
};

// "`core/`, `platform/`" -> {"core", "platform"}; a dash means nothing of ours.
std::set<std::string> folderList(const std::string& cell) {
    std::set<std::string> folders;
    static const std::regex name("`([a-z]+)/`");
    for (std::sregex_iterator it(cell.begin(), cell.end(), name), end; it != end; ++it)
        folders.insert((*it)[1]);
    return folders;
}

// The rows of the table under the "Dependency table" heading, bottom floor first.
std::vector<Floor> readTable() {
    std::ifstream in(kSource / "docs/ARCHITECTURE.md");
    std::vector<Floor> floors;
    bool inSection = false;
    static const std::regex row(R"(^\| `([a-z]+)/` \|([^|]*)\|)");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("## ", 0) == 0)
            inSection = line == "## Dependency table";
        std::smatch m;
        if (inSection && std::regex_search(line, m, row))
            floors.push_back({m[1], folderList(m[2])});
    }
    return floors;
}

struct Include {
    std::string where; // file:line
    std::string folder;
};

std::vector<Include> includesOf(const fs::path& file) {
    std::vector<Include> found;
    std::ifstream in(file);
    static const std::regex include(R"(^\s*#\s*include\s*"([a-z]+)/)");
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        std::smatch m;
        if (std::regex_search(line, m, include))
            found.push_back({fs::relative(file, kSource).string() + ":" + std::to_string(number), m[1]});
    }
    return found;
}

// Third-party headers that only the platform and asset layers may see.
bool includesThirdParty(const std::string& line) {
    static const std::regex thirdParty(R"(^\s*#\s*include\s*<(SDL|epoxy/|GL/|assimp/))");
    return std::regex_search(line, thirdParty);
}

std::vector<fs::path> sourceFiles() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(kSource / "src")) {
        const auto ext = entry.path().extension();
        if (entry.is_regular_file() && (ext == ".h" || ext == ".cpp"))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string folderOf(const fs::path& file) {
    return fs::relative(file, kSource / "src").begin()->string();
}

TEST(Layering, TheTableListsEveryFolderOnceAndOnlyPointsDown) {
    const std::vector<Floor> floors = readTable();
    ASSERT_GE(floors.size(), 10u) << "no dependency table found in docs/ARCHITECTURE.md";
    std::set<std::string> below;
    for (const Floor& floor : floors) {
        EXPECT_FALSE(below.count(floor.folder)) << floor.folder << "/ is listed twice";
        for (const std::string& target : floor.mayInclude)
            EXPECT_TRUE(below.count(target))
                << floor.folder << "/ may include " << target << "/, which is not on a floor below it";
        below.insert(floor.folder);
    }
    for (const auto& entry : fs::directory_iterator(kSource / "src")) {
        if (entry.is_directory()) {
            EXPECT_TRUE(below.count(entry.path().filename().string()))
                << "src/" << entry.path().filename().string() << "/ has no row in the dependency table";
        }
    }
}

TEST(Layering, EveryIncludeFollowsTheTable) {
    std::map<std::string, std::set<std::string>> allowed;
    for (const Floor& floor : readTable())
        allowed[floor.folder] = floor.mayInclude;
    std::ostringstream violations;
    for (const fs::path& file : sourceFiles()) {
        const std::string folder = folderOf(file);
        for (const Include& include : includesOf(file))
            if (include.folder != folder && !allowed[folder].count(include.folder))
                violations << include.where << ": " << folder << "/ may not include " << include.folder
                           << "/\n";
    }
    EXPECT_EQ(violations.str(), "");
}

TEST(Layering, OnlyPlatformAndAssetsSeeThirdPartyHeaders) {
    std::ostringstream violations;
    for (const fs::path& file : sourceFiles()) {
        const std::string folder = folderOf(file);
        if (folder == "platform" || folder == "assets")
            continue;
        std::ifstream in(file);
        int number = 0;
        for (std::string line; std::getline(in, line);)
            if (++number, includesThirdParty(line))
                violations << fs::relative(file, kSource).string() << ":" << number << ": " << line << "\n";
    }
    EXPECT_EQ(violations.str(), "");
}

} // namespace
} // namespace qv
