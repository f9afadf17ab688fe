#include "support/BuildPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace qv::content {
namespace {

namespace fs = std::filesystem;

const fs::path kTool = test::sourceDir() / "tools/content";
const fs::path kSources = test::sourceDir() / "src";

// The content tool's sub-folders by layer: each may include its own layer and those below.
const std::map<std::string, int> kLayers{
    {"pictures", 0}, {"sound", 0}, {"terrain", 0}, {"meshes", 1}, {"formats", 2}};

std::vector<std::string> quotedIncludes(const fs::path& file) {
    static const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
    std::vector<std::string> names;
    std::ifstream in(file);
    std::smatch match;
    for (std::string line; std::getline(in, line);)
        if (std::regex_search(line, match, include))
            names.push_back(match[1]);
    return names;
}

// Why `name`, included from a file of the given layer, breaks the layering; empty when it does not.
std::string layerBreak(const std::string& name, int layer) {
    const size_t slash = name.find('/');
    if (slash == std::string::npos)
        return "not folder-qualified (or from the generators above every sub-folder)";
    const auto folder = kLayers.find(name.substr(0, slash));
    if (folder == kLayers.end())
        return fs::exists(kSources / name) ? "" : "neither a sub-folder of the tool nor under src/";
    if (!fs::exists(kTool / name))
        return "no such file in the tool";
    return folder->second <= layer ? "" : "from a higher layer";
}

TEST(ContentLayers, SubFoldersIncludeOnlyTheirOwnOrLowerLayersAndTheGame) {
    size_t checked = 0;
    for (const auto& [folder, layer] : kLayers) {
        ASSERT_TRUE(fs::is_directory(kTool / folder)) << folder;
        for (const auto& entry : fs::directory_iterator(kTool / folder)) {
            for (const std::string& name : quotedIncludes(entry.path())) {
                EXPECT_EQ(layerBreak(name, layer), "")
                    << folder << "/" << entry.path().filename().string() << " includes \"" << name << "\"";
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 100u);
}

TEST(ContentLayers, TheLayerRuleTellsAllowedIncludesFromBrokenOnes) {
    EXPECT_EQ(layerBreak("pictures/Canvas.h", kLayers.at("meshes")), "");
    EXPECT_EQ(layerBreak("core/Image.h", kLayers.at("pictures")), "");
    EXPECT_NE(layerBreak("formats/DdsWriter.h", kLayers.at("pictures")), "");
    EXPECT_NE(layerBreak("Canvas.h", kLayers.at("pictures")), "");
    EXPECT_NE(layerBreak("OutputFolder.h", kLayers.at("formats")), "");
    EXPECT_NE(layerBreak("pictures/NoSuchFile.h", kLayers.at("formats")), "");
}

} // namespace
} // namespace qv::content
