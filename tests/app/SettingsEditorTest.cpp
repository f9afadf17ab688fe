#include "app/SettingsEditor.h"
#include "app/Settings.h"
#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace qv {
namespace {

// A file as a player leaves it: comments, odd case and spacing, an unknown key, a section twice,
// a key twice, a comment that looks like a key.
constexpr const char* kMessy = "; my settings\n"
                               "[screenMode]\n"
                               "  Width =  800   ; not a comment to the reader\n"
                               "HEIGHT=600\n"
                               "# FULLSCREEN=0\n"
                               "MYSTERY=keep me\n"
                               "\n"
                               "[EFFECT]\n"
                               "FOG=2\n"
                               "\n"
                               "[SCREENMODE]\n"
                               "width=1024\n"
                               "FULLSCREEN=1\n";

std::string edited(std::string text, std::string_view section, std::string_view key, std::string_view value) {
    SettingsEditor editor(std::move(text));
    editor.set(section, key, value);
    return editor.text();
}

TEST(SettingsEditor, ChangesOnlyTheValueTheGameReadsAndKeepsEverythingElse) {
    const std::string text = edited(kMessy, "SCREENMODE", "WIDTH", "1280");
    std::string expected = kMessy;
    expected.replace(expected.find("800   ; not a comment to the reader"),
                     std::string_view("800   ; not a comment to the reader").size(), "1280");
    EXPECT_EQ(text, expected);

    // What the reader sees: the new value; the second section's width is still ignored.
    test::TempDir dir;
    const Settings settings(dir.write("Pedalon.ini", text));
    EXPECT_EQ(settings.readInt("SCREENMODE", "WIDTH", 0), 1280);
    EXPECT_EQ(settings.readInt("SCREENMODE", "FULLSCREEN", 7), 1) << "found in the second section";
    EXPECT_EQ(settings.readString("SCREENMODE", "MYSTERY"), "keep me");
}

TEST(SettingsEditor, AKeyInALaterSectionOfTheSameNameIsChangedThere) {
    const std::string text = edited(kMessy, "screenmode", "fullscreen", "0");
    EXPECT_NE(text.find("# FULLSCREEN=0\n"), std::string::npos) << "the comment is not the key";
    EXPECT_EQ(text.substr(text.size() - 13), "FULLSCREEN=0\n");
}

TEST(SettingsEditor, AMissingKeyGoesAtTheEndOfItsFirstSectionAndAMissingSectionAtTheEnd) {
    std::string text = edited(kMessy, "EFFECT", "RIPPLE", "0");
    EXPECT_NE(text.find("[EFFECT]\nFOG=2\nRIPPLE=0\n\n[SCREENMODE]"), std::string::npos) << text;
    text = edited(text, "SOUND", "MUSIC", "40");
    EXPECT_EQ(text.substr(text.size() - 17), "[SOUND]\nMUSIC=40\n");
    EXPECT_EQ(edited("", "SOUND", "MUSIC", "40"), "[SOUND]\nMUSIC=40\n");
    EXPECT_EQ(edited("[A]\nX=1", "B", "Y", "2"), "[A]\nX=1\n[B]\nY=2\n") << "no line end at the end";
    EXPECT_EQ(edited("[A]\nX=1", "A", "Y", "2"), "[A]\nX=1\nY=2");
}

TEST(SettingsEditor, WindowsLineEndsAndEmptyValuesStayAsTheyWere) {
    EXPECT_EQ(edited("[A]\r\nX=\r\nZ=3\r\n", "A", "X", "5"), "[A]\r\nX=5\r\nZ=3\r\n");
    EXPECT_EQ(edited("[A]\r\nX=1\r\n", "A", "Y", "2"), "[A]\r\nX=1\r\nY=2\r\n");
    EXPECT_EQ(edited("[A]\r\n", "B", "Y", "2"), "[A]\r\n[B]\r\nY=2\r\n");
    // A very long line is kept whole.
    const std::string longLine = "; " + std::string(100000, 'x') + "\n";
    const std::string text = edited(longLine + "[A]\nX=1\n", "A", "X", "2");
    EXPECT_EQ(text, longLine + "[A]\nX=2\n");
}

// The file written keeps the player's text; a file that cannot be read or a folder that cannot
// be made leaves everything as it was and says why.
TEST(SettingsEditor, SettingsWriteTheFileAndSayWhatFailed) {
    test::TempDir dir;
    std::string error;
    const Settings fresh(dir.file("config/qorvex/Pedalon.ini"));
    ASSERT_TRUE(fresh.write("SOUND", "MUSIC", "40", error)) << error;
    EXPECT_EQ(fresh.readInt("SOUND", "MUSIC", 100), 40);
    const auto perms = std::filesystem::status(dir.path() / "config").permissions();
    EXPECT_EQ(perms & std::filesystem::perms::all, std::filesystem::perms::owner_all);

    const Settings messy(dir.write("Pedalon.ini", kMessy));
    ASSERT_TRUE(messy.write("EFFECT", "FOG", "0", error)) << error;
    std::string written;
    std::ifstream in(messy.path());
    written.assign(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(written, edited(kMessy, "EFFECT", "FOG", "0"));

    std::filesystem::create_directories(dir.path() / "folder.ini");
    EXPECT_FALSE(Settings(dir.file("folder.ini")).write("A", "X", "1", error));
    EXPECT_NE(error.find("folder.ini"), std::string::npos) << error;
    const std::string notAFolder = dir.write("file", "");
    EXPECT_FALSE(Settings(notAFolder + "/qorvex/Pedalon.ini").write("A", "X", "1", error));
    EXPECT_NE(error.find(notAFolder), std::string::npos) << error;
}

} // namespace
} // namespace qv
