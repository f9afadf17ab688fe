#include "GoalWorkspace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace qv::test {
namespace {

int32_t wordAt(const std::string& bytes, size_t index) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data() + index * 4);
    return static_cast<int32_t>(b[0] | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24);
}

class GoalFileTest : public ::testing::Test {
  protected:
    GoalWorkspace w{flatAt(1.0f)};

    void writeDemoGoals(const std::string& bytes) const { w.ws.writeFile("Data/dgoal.dat", bytes); }
    // Places count goals (the first at construction) and returns where they stood.
    static std::vector<Vec3> place(GoalCourse& course, int count) {
        std::vector<Vec3> goals{course.goalPosition()};
        while (static_cast<int>(goals.size()) < count) {
            course.placeNextGoal();
            goals.push_back(course.goalPosition());
        }
        return goals;
    }
};

TEST_F(GoalFileTest, ASavedRecordHoldsEveryEntryAsALittleEndianWord) {
    auto course = w.playCourse();
    place(*course, 4);
    std::vector<int32_t> entries;
    for (size_t i = 0; i < GoalRecord::kEntries; ++i)
        entries.push_back(course->record()[i]);
    EXPECT_NE(entries[7], 0);
    EXPECT_EQ(entries[8], 0);
    for (const char* path : {GoalRecord::kReplayFile, GoalRecord::kDemoFile}) {
        SCOPED_TRACE(path);
        ASSERT_TRUE(course->record().save(path));
        const std::string bytes = w.ws.readFile(std::string(path).substr(2));
        ASSERT_EQ(bytes.size(), 2048u);
        for (size_t i = 0; i < entries.size(); ++i)
            ASSERT_EQ(wordAt(bytes, i), entries[i]) << i;
    }
    EXPECT_FALSE(course->record().save("./no-such-folder/goals.dat"));
}

TEST_F(GoalFileTest, DestroyingAGoalCourseWritesNothing) {
    // Which file a run's goals go to, if any, is the scene's choice when the run ends.
    auto filesNow = [&] {
        std::vector<std::string> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(w.ws.rig.dir.path()))
            files.push_back(entry.path().string() + " " +
                            (entry.is_regular_file() ? std::to_string(entry.file_size()) : "folder"));
        std::ranges::sort(files);
        return files;
    };
    const auto before = filesNow();
    for (uint32_t stage : {0u, 2u}) {
        w.state.stageNumber = stage;
        auto course = w.playCourse();
        place(*course, 4);
        course.reset();
    }
    w.state.stageNumber = 0;
    w.demoCourse().reset();
    EXPECT_FALSE(w.ws.exists("Data/dgoal.dat"));
    EXPECT_FALSE(w.ws.exists("Data/rgoal.dat"));
    EXPECT_EQ(filesNow(), before);
}

TEST_F(GoalFileTest, TheDemoReplaysEveryGoalOfTheRecordedRun) {
    GoalWorkspace hills(rollingHills());
    hills.state.random.seed(7);
    auto play = hills.playCourse();
    const std::vector<Vec3> played = place(*play, 40);
    ASSERT_TRUE(play->record().save(GoalRecord::kDemoFile)); // as the scene does after a new best
    play.reset();
    hills.state.random.seed(99);
    auto demo = hills.demoCourse();
    EXPECT_EQ(place(*demo, 40), played);
    EXPECT_EQ(hills.state.random.state(), 99u); // no live value was needed
}

TEST_F(GoalFileTest, AFortyByteFileReplaysFivePlacementsThenGoesLive) {
    writeDemoGoals(GoalWorkspace::goalFile({10, 10, 290, 90, 10, 110, 0, 50, 190, 30}));
    w.state.random.seed(5);
    auto demo = w.demoCourse();
    const std::vector<Vec3> expected{{10.5f, 1.6f, 10.5f},
                                     {90.5f, 1.6f, 90.5f},
                                     {10.5f, 1.6f, 10.5f},
                                     {0.5f, 1.6f, 50.5f},
                                     {90.5f, 1.6f, 30.5f}};
    EXPECT_EQ(place(*demo, 5), expected);
    EXPECT_EQ(w.state.random.state(), 5u);
    EXPECT_EQ(demo->record().position(), 10u);
    demo->placeNextGoal();
    EXPECT_NE(w.state.random.state(), 5u);
    EXPECT_EQ(demo->record().position(), 10u);
}

TEST_F(GoalFileTest, ANegativeValueEndsTheReplayForGood) {
    writeDemoGoals(GoalWorkspace::goalFile({10, 10, -1, 50, 90, 90}));
    w.state.random.seed(5);
    auto demo = w.demoCourse();
    EXPECT_EQ(w.state.random.state(), 5u);
    for (int placement = 0; placement < 2; ++placement) {
        const uint32_t before = w.state.random.state();
        demo->placeNextGoal();
        EXPECT_NE(w.state.random.state(), before);
        EXPECT_EQ(demo->record().position(), 2u);
    }
}

TEST_F(GoalFileTest, DamagedFilesAreReadOnlyAsFarAsTheyHoldWholeWords) {
    // Huge values still name a cell; a torn last word is not used; a long file is cut at 512.
    std::string bytes = GoalWorkspace::goalFile({123456789, 987654321});
    writeDemoGoals(bytes + "\x05\x00");
    auto torn = w.demoCourse();
    EXPECT_EQ(torn->goalPosition(), (Vec3{89.5f, 1.6f, 21.5f}));
    EXPECT_EQ(torn->record()[2], -1);

    std::string longFile(3000, '\0');
    for (size_t i = 0; i < 750; ++i) {
        const std::string word = GoalWorkspace::goalFile({static_cast<int32_t>(i)});
        std::memcpy(&longFile[i * 4], word.data(), 4);
    }
    writeDemoGoals(longFile);
    auto cut = w.demoCourse();
    EXPECT_EQ(cut->record()[511], 511);

    w.ws.rig.removeFile("Data/dgoal.dat");
    auto missing = w.demoCourse();
    EXPECT_EQ(missing->record()[0], -1);
    EXPECT_EQ(missing->record().position(), 0u);
}

} // namespace
} // namespace qv::test
