#include "replay/ReplayFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>

namespace qv {
namespace {

ReplayStage stageOf(uint32_t number, size_t records, size_t draws) {
    ReplayStage stage;
    stage.stageNumber = number;
    stage.fieldIndex = number & 3u;
    stage.fieldHash = 0x0123456789ABCDEFull + number;
    stage.score = 1000 * number + 7;
    stage.knockDowns = number + 2;
    for (size_t i = 0; i < records; ++i) {
        ControlRecord r;
        r.pedal = static_cast<uint8_t>(i % 2);
        r.boost = static_cast<uint8_t>(i % 5 == 0);
        r.steer = static_cast<float>(std::sin(static_cast<double>(i)));
        stage.records.push_back(r);
    }
    for (size_t i = 0; i < draws; ++i)
        stage.draws.push_back(static_cast<int32_t>(i * 977 % 32768));
    return stage;
}

ReplayRun twoStages() {
    ReplayRun run;
    run.simulationVersion = ReplayFile::kSimulationVersion;
    run.gameVersion = "1.0.0";
    run.date = 1796000000;
    run.sightRange = 40;
    run.mode = ReplayRun::Mode::Stages;
    run.stages = {stageOf(1, 300, 12), stageOf(2, 150, 6)};
    return run;
}

template <typename T> void poke(std::string& bytes, size_t at, T value) {
    std::memcpy(bytes.data() + at, &value, sizeof(T));
}

TEST(ReplayFileTest, ARunReadsBackAsItWasWrittenAtTheDocumentedPlaces) {
    const ReplayRun run = twoStages();
    const std::string bytes = ReplayFile::encode(run);
    ASSERT_EQ(bytes.size(), ReplayFile::kHeaderBytes + 2 * ReplayFile::kStageEntryBytes + 450 * 12 + 18 * 4);
    EXPECT_EQ(bytes.substr(0, 8), "QVREPLAY");
    EXPECT_EQ(bytes.substr(16, 6), std::string("1.0.0\0", 6));
    uint32_t stages = 0, score = 0;
    std::memcpy(&stages, bytes.data() + ReplayFile::kStageCountOffset, 4);
    std::memcpy(&score, bytes.data() + 48, 4);
    EXPECT_EQ(stages, 2u);
    EXPECT_EQ(score, run.score());
    EXPECT_EQ(run.score(), 3014u);
    EXPECT_EQ(run.ticks(), 450u);

    std::string error;
    const auto back = ReplayFile::decode(bytes, error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(*back, run);
    const auto summary = ReplayFile::decodeSummary(bytes.substr(0, 56 + 80), error);
    ASSERT_TRUE(summary) << error;
    EXPECT_EQ(summary->score(), run.score());
    EXPECT_TRUE(summary->stages[1].records.empty());

    // A stage left before its race began has no records and no goal values.
    ReplayRun unbegun = run;
    unbegun.stages.push_back(stageOf(3, 0, 0));
    const auto again = ReplayFile::decode(ReplayFile::encode(unbegun), error);
    ASSERT_TRUE(again) << error;
    EXPECT_EQ(*again, unbegun);
}

// The recording files stop at 65,536 ticks; a replay keeps a run whole.
TEST(ReplayFileTest, ALongRunIsKeptWholeAndSavedAtomically) {
    test::TempDir dir;
    ReplayRun run = twoStages();
    run.stages = {stageOf(0, 70000, 400)};
    const std::string path = dir.file("long.qvr");
    ASSERT_TRUE(ReplayFile::save(path, run));
    std::string error;
    const auto back = ReplayFile::load(path, error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(back->stages[0].records.size(), 70000u);
    EXPECT_EQ(*back, run);
    const auto summary = ReplayFile::loadSummary(path, error);
    ASSERT_TRUE(summary) << error;
    EXPECT_EQ(summary->ticks(), 0u) << "a summary reads no records";
    EXPECT_EQ(summary->score(), run.score());

    EXPECT_FALSE(ReplayFile::save(dir.write("file", "") + "/in/a/file.qvr", run));
}

TEST(ReplayFileTest, DamagedFilesAreRefusedWithAReason) {
    const std::string good = ReplayFile::encode(twoStages());
    const size_t body = ReplayFile::kHeaderBytes + 2 * ReplayFile::kStageEntryBytes;
    struct Case {
        const char* what;
        std::string bytes;
        const char* says;
    };
    std::vector<Case> cases{
        {"empty", "", "not a replay"},
        {"half a header", good.substr(0, 30), "not a replay"},
        {"cut in the stage table", good.substr(0, ReplayFile::kHeaderBytes + 50), "stages"},
        {"cut in the records", good.substr(0, body + 100), "the file holds"},
        {"one byte too many", good + "x", "the file holds"},
    };
    auto changed = [&](const char* what, size_t at, auto value, const char* says) {
        std::string bytes = good;
        poke(bytes, at, value);
        cases.push_back({what, bytes, says});
    };
    changed("wrong magic", 0, 'X', "not a replay");
    changed("format version 2", 8, uint16_t{2}, "format version 2");
    changed("unknown mode", 40, uint8_t{7}, "mode 7");
    changed("no stages", ReplayFile::kStageCountOffset, uint32_t{0}, "0 stages");
    changed("four billion stages", ReplayFile::kStageCountOffset, uint32_t{0xFFFFFFFF}, "stages");
    changed("more records than held", ReplayFile::kHeaderBytes + 24, uint32_t{0x7FFFFFFF}, "the file holds");
    changed("a total that disagrees", 48, uint32_t{1}, "disagree");
    changed("steering not a number", body + 8, std::numeric_limits<float>::quiet_NaN(), "outside -1..1");
    changed("steering past full lock", body + 12 * 7 + 8, 2.0f, "record 7 of stage 1");
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(ReplayFile::decode(c.bytes, error)) << c.what;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.what << ": " << error;
    }
}

TEST(ReplayFileTest, FilesThatAreNoReplaysAreNamedWithTheReason) {
    test::TempDir dir;
    std::string error;
    EXPECT_FALSE(ReplayFile::load(dir.file("missing.qvr"), error));
    EXPECT_NE(error.find("missing.qvr"), std::string::npos) << error;
    std::filesystem::create_directory(dir.path() / "folder.qvr");
    EXPECT_FALSE(ReplayFile::load(dir.file("folder.qvr"), error));
    EXPECT_NE(error.find("folder.qvr: cannot read it"), std::string::npos) << error;
    // A sparse file larger than any replay is refused before it is read.
    const std::string huge = dir.write("huge.qvr", "QVREPLAY");
    std::filesystem::resize_file(huge, ReplayFile::kMaxFileBytes + 1);
    EXPECT_FALSE(ReplayFile::load(huge, error));
    EXPECT_NE(error.find("more than any replay holds"), std::string::npos) << error;
    EXPECT_FALSE(ReplayFile::loadSummary(dir.write("short.qvr", "QVREPLAY"), error));
}

} // namespace
} // namespace qv
