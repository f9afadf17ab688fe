#include "platform/WindowState.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qv {
namespace {

TEST(WindowStateTest, TheFileTextReadsBackAsTheStateItWasWrittenFrom) {
    for (const WindowState& state : {WindowState{1280, 720, false}, WindowState{2560, 1440, true},
                                     WindowState{WindowState::kMinWidth, WindowState::kMinHeight, false}}) {
        const std::string text = formatWindowState(state);
        EXPECT_EQ(parseWindowState(text), state) << text;
    }
}

TEST(WindowStateTest, KeysInAnyOrderWithSpacesCommentsAndUnknownLinesAreRead) {
    EXPECT_EQ(parseWindowState("# mine\r\n  FULLSCREEN = 0 \r\nDISPLAY=2\nHEIGHT=600\n\nWIDTH=800"),
              (WindowState{800, 600, false}));
}

TEST(WindowStateTest, AGarbledStateIsNoStateAtAll) {
    for (const char* text :
         {"", "garbage\x01\xff", "WIDTH=800\nHEIGHT=600\n", "WIDTH=800\nHEIGHT=600\nFULLSCREEN=2\n",
          "WIDTH=8x0\nHEIGHT=600\nFULLSCREEN=0\n", "WIDTH=\nHEIGHT=600\nFULLSCREEN=0\n",
          "WIDTH=99999999999\nHEIGHT=600\nFULLSCREEN=0\n", "WIDTH=1\nHEIGHT=1\nFULLSCREEN=0\n",
          "WIDTH=-800\nHEIGHT=600\nFULLSCREEN=0\n", "WIDTH=800\nHEIGHT=16385\nFULLSCREEN=0\n"})
        EXPECT_FALSE(parseWindowState(text)) << text;
}

TEST(WindowStateTest, TheFileIsWrittenWholeAndAMissingOrUnwritableOneIsReported) {
    test::TempDir dir;
    const std::string path = dir.file("window.ini");
    EXPECT_FALSE(readWindowState(path));
    ASSERT_TRUE(writeWindowState(path, {1024, 768, true}));
    EXPECT_EQ(readWindowState(path), (WindowState{1024, 768, true}));
    ASSERT_TRUE(writeWindowState(path, {900, 700, false}));
    EXPECT_EQ(readWindowState(path), (WindowState{900, 700, false}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "no temporary left";
    EXPECT_FALSE(writeWindowState(dir.file("no/such/folder/window.ini"), {900, 700, false}));
}

} // namespace
} // namespace qv
