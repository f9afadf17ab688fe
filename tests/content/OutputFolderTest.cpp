#include "OutputFolder.h"
#include "ContentPaths.h"
#include "ContentTool.h"
#include "assets/DataFiles.h"
#include "core/FatalError.h"
#include "core/FilePaths.h"
#include "support/BuildPaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <sys/wait.h>

namespace qv::content {
namespace {

namespace fs = std::filesystem;

const std::vector<uint8_t> kBytes{1, 2, 3};

std::string contents(const std::string& path) {
    std::string data;
    readFile(path, data);
    return data;
}

TEST(OutputFolder, WritesIntoSubFoldersAndReportsEachFile) {
    test::TempDir dir;
    std::ostringstream log;
    OutputFolder out(dir.file("Data"), log);
    out.write("x/deep/file.bin", kBytes);
    EXPECT_EQ(contents(dir.file("Data/x/deep/file.bin")), "\x01\x02\x03");
    EXPECT_EQ(log.str(), "wrote x/deep/file.bin\n");
    EXPECT_EQ(out.written(), std::vector<std::string>{"x/deep/file.bin"});
}

TEST(OutputFolder, RefusesTheGamesOwnFilesAndPathsOutside) {
    test::TempDir dir;
    dir.write("Data/Score.dat", "mine");
    std::ostringstream log;
    OutputFolder out(dir.file("Data"), log);
    for (const char* path : {"score.dat", "Score.dat", "sub/REPLAY.DAT", "rgoal.dat", "demo.dat",
                             "../escape.bin", "/tmp/absolute.bin", ""}) {
        EXPECT_THROW(out.write(path, kBytes), FatalError) << path;
    }
    EXPECT_THROW(out.writePicture("score.dat", Image{1, 1, {0}}), FatalError);
    EXPECT_EQ(contents(dir.file("Data/Score.dat")), "mine");
    EXPECT_FALSE(fs::exists(dir.file("escape.bin")));
    EXPECT_TRUE(out.written().empty());
}

TEST(OutputFolder, InstallsDefaultsOnlyWhereNoneExist) {
    test::TempDir dir;
    dir.write("Data/Demo.dat", "earned");
    std::ostringstream log;
    OutputFolder out(dir.file("Data"), log);
    EXPECT_FALSE(out.installIfAbsent("demo.dat", kBytes)); // any case counts
    EXPECT_EQ(contents(dir.file("Data/Demo.dat")), "earned");
    EXPECT_TRUE(out.installIfAbsent("dgoal.dat", kBytes));
    EXPECT_EQ(contents(dir.file("Data/dgoal.dat")), "\x01\x02\x03");
    EXPECT_THROW(out.installIfAbsent("score.dat", kBytes), FatalError);
    EXPECT_THROW(out.installIfAbsent("tex/zem.dds", kBytes), FatalError);
}

TEST(OutputFolder, CopyFromReplacesGeneratedFilesAndKeepsThePlayersOwn) {
    test::TempDir dir;
    dir.write("made/tex/a.dds", "new texture");
    dir.write("made/demo.dat", "built-in demo");
    dir.write("made/dgoal.dat", "built-in goals");
    dir.write("run/tex/a.dds", "old texture");
    dir.write("run/Demo.dat", "earned demo");
    dir.write("run/score.dat", "scores");
    std::ostringstream log;
    OutputFolder run(dir.file("run"), log);
    EXPECT_EQ(run.copyFrom(dir.file("made")), std::vector<std::string>{"demo.dat"});
    EXPECT_EQ(contents(dir.file("run/tex/a.dds")), "new texture");
    EXPECT_EQ(contents(dir.file("run/Demo.dat")), "earned demo");
    EXPECT_FALSE(fs::exists(dir.file("run/demo.dat")));
    EXPECT_EQ(contents(dir.file("run/dgoal.dat")), "built-in goals");
    EXPECT_EQ(contents(dir.file("run/score.dat")), "scores");
    // Generated content never holds the game's own files; one that does is refused.
    dir.write("made/score.dat", "not the tool's to make");
    EXPECT_THROW(run.copyFrom(dir.file("made")), FatalError);
    EXPECT_EQ(contents(dir.file("run/score.dat")), "scores");
}

TEST(ContentPaths, DataFileIsTheGamesNameBelowTheDataFolder) {
    EXPECT_EQ(dataFile(data::kLogoTexture), "tex/zem.dds");
    EXPECT_EQ(dataFile(data::kDemoRecording), "demo.dat");
    EXPECT_EQ(dataFile(data::fieldFile(2)), "Field2.dat");
    EXPECT_EQ(dataFile(data::mapPicture(3)), "tex/map3.dds");
    EXPECT_THROW(dataFile("tex/zem.dds"), FatalError);
    EXPECT_THROW(dataFile("./Database/zem.dds"), FatalError);
}

TEST(OutputFolder, SoundsAndTexturesAreEncodedAndChecked) {
    test::TempDir dir;
    std::ostringstream log;
    OutputFolder out(dir.file("Data"), log);
    EXPECT_THROW(out.writeSound("wave/loud.wav", std::vector<float>{0.1f, -0.95f}), FatalError);
    EXPECT_THROW(out.writeSound("wave/nan.wav", std::vector<float>{NAN, 0.0f}), FatalError);
    EXPECT_FALSE(fs::exists(dir.file("Data/wave/loud.wav")));
    out.writeSound("wave/ok.wav", std::vector<float>{0.1f, -0.9f});
    EXPECT_EQ(fs::file_size(dir.file("Data/wave/ok.wav")), 48u);
    out.writeTexture("tex/a.dds", Image{1, 1, {0xFF00FF00u}});
    ASSERT_EQ(out.textures().size(), 1u);
    EXPECT_EQ(out.textures()[0].name, "tex/a.dds");
    EXPECT_EQ(fs::file_size(dir.file("Data/tex/a.dds")), 132u);
}

TEST(ContentTool, AFailingGeneratorIsNamedInTheError) {
    test::TempDir dir;
    std::ostringstream log;
    const std::vector<ContentGenerator> broken{
        {"broken thing", [](GeneratorContext&) { throw FatalError("no pixels"); }}};
    try {
        generateContent(dir.file("Data"), broken, log);
        FAIL() << "no error";
    } catch (const FatalError& e) {
        EXPECT_STREQ(e.what(), "broken thing: no pixels");
    }
}

TEST(ContentTool, CommandLineNeedsAnOutputFolderAndReportsFailures) {
    std::ostringstream out;
    std::ostringstream err;
    const char* noArgs[] = {"qorvex-content"};
    EXPECT_EQ(runContentTool(1, noArgs, out, err), 2);
    EXPECT_NE(err.str().find("usage: qorvex-content OUTDIR"), std::string::npos);

    test::TempDir dir;
    const std::string blocked = dir.write("file", "not a folder") + "/Data";
    const char* args[] = {"qorvex-content", blocked.c_str()};
    err.str("");
    EXPECT_EQ(runContentTool(2, args, out, err), 1);
    EXPECT_EQ(err.str().rfind("qorvex-content: error: ", 0), 0u) << err.str();
}

TEST(ContentTool, CommandLineTakesEachOptionWithItsValueInAnyOrder) {
    auto parse = [](std::vector<const char*> args) {
        args.insert(args.begin(), "qorvex-content");
        return parseContentCommand(static_cast<int>(args.size()), args.data());
    };
    const auto full = parse({"out/Data", "--copy-to", "run/Data", "--icon-name", "org.example.Game",
                             "--icons", "icons", "--game", "./qorvex"});
    ASSERT_TRUE(full);
    EXPECT_EQ(full->dataDir, "out/Data");
    EXPECT_EQ(full->gamePath, "./qorvex");
    EXPECT_EQ(full->iconDir, "icons");
    EXPECT_EQ(full->iconName, "org.example.Game");
    EXPECT_EQ(full->copyTo, "run/Data");
    const auto plain = parse({"out"});
    ASSERT_TRUE(plain);
    EXPECT_TRUE(plain->gamePath.empty() && plain->iconDir.empty() && plain->copyTo.empty());
    EXPECT_EQ(plain->iconName, "qorvex");
    for (const std::vector<const char*>& wrong :
         std::vector<std::vector<const char*>>{{},
                                               {""},
                                               {"--game", "qorvex"},
                                               {"out", "--game"},
                                               {"out", "--icons", ""},
                                               {"out", "--colour", "red"}})
        EXPECT_FALSE(parse(wrong)) << wrong.size() << " arguments";
}

TEST(ContentTool, AfterGeneratingDrawsTheIconsApartAndCopiesIntoTheRunFolder) {
    test::TempDir dir;
    dir.write("run/Data/score.dat", "scores");
    const std::vector<ContentGenerator> oneTexture{
        {"one texture", [](GeneratorContext& c) {
             c.out.writeTexture("tex/one.dds", Image{1, 1, {0xFF00FF00u}});
         }}};
    ContentCommand command;
    command.dataDir = dir.file("content/Data");
    command.iconDir = dir.file("content/icons");
    command.iconName = "org.example.Game";
    command.copyTo = dir.file("run/Data");
    std::ostringstream log;
    runContentCommand(command, oneTexture, log);
    EXPECT_EQ(contents(dir.file("run/Data/tex/one.dds")), contents(dir.file("content/Data/tex/one.dds")));
    EXPECT_TRUE(fs::exists(dir.file("run/Data/contact-sheet.png")));
    EXPECT_EQ(contents(dir.file("run/Data/score.dat")), "scores");
    EXPECT_TRUE(fs::exists(dir.file("content/icons/hicolor/32x32/apps/org.example.Game.png")));
    EXPECT_FALSE(fs::exists(dir.file("run/Data/hicolor")));
    EXPECT_NE(log.str().find("copied 2 files into " + command.copyTo + "\n"), std::string::npos) << log.str();
}

TEST(ContentTool, ProgramExitsNonZeroWithoutAnOutputFolder) {
    const int status = std::system((test::contentTool().string() + " >/dev/null 2>&1").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

} // namespace
} // namespace qv::content
