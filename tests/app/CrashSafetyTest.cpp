// The save at the end of a run, stopped dead (SIGKILL) at each rename it makes, and
// made on a full disk and in a read-only folder. Whatever happens, every file the player had is
// either as it was or as the whole save makes it, the attract demo's ride and goals are one
// pair, and the next start leaves no temporary file and a readable table that matches.
#include "core/FilePaths.h"
#include "race/ScoreFile.h"
#include "replay/DemoPair.h"
#include "replay/ReplayFile.h"
#include "support/BuildPaths.h"
#include "support/GameProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <sstream>
#include <unistd.h>

namespace qv {
namespace {

namespace fs = std::filesystem;

using Snapshot = std::map<std::string, std::string>; // file name -> bytes

std::string bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool temporary(const fs::path& path) {
    return path.filename().string().find(".tmp") != std::string::npos;
}

// The player's files (not the replays, whose names carry the time, nor the temporary files a
// killed save leaves, which the next start removes).
Snapshot snapshot(const fs::path& folder) {
    Snapshot files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file() && !temporary(entry.path()))
            files[entry.path().filename().string()] = bytesOf(entry.path());
    return files;
}

// "" when each file is as in before or as in after (or missing where that one lacks it).
std::string oldOrNew(const Snapshot& cut, const Snapshot& before, const Snapshot& after) {
    std::string faults;
    auto isOneOf = [&](const std::string& name, const std::string* bytes) {
        for (const Snapshot* whole : {&before, &after}) {
            const auto found = whole->find(name);
            if ((found == whole->end() && bytes == nullptr) ||
                (found != whole->end() && bytes != nullptr && *bytes == found->second))
                return true;
        }
        return false;
    };
    for (const auto& [name, bytes] : cut)
        if (!isOneOf(name, &bytes))
            faults += name + " is neither the old nor the new file; ";
    for (const Snapshot* whole : {&before, &after})
        for (const auto& [name, bytes] : *whole)
            if (!cut.contains(name) && !isOneOf(name, nullptr))
                faults += name + " is missing; ";
    return faults;
}

// The old files (a best of 4484) and the new ones (the same ride on to 7711, a new best), made once
// for the suite: every test starts from a copy of the old ones and plays the long run.
struct Generations {
    test::TempDir here;
    Snapshot before;
    Snapshot after;
    bool made = false;
};

class CrashSafetyTest : public ::testing::Test {
  protected:
    static constexpr const char* kShortRun = "1400";
    static constexpr const char* kLongRun = "2000";

    static void SetUpTestSuite() {
        generations_ = new Generations;
        Generations& g = *generations_;
        g.here.write("keys.txt", "2 down RETURN\n3 up RETURN\n10 down RETURN\n11 up RETURN\n");
        g.here.write("wake.txt", "1 down RETURN\n2 up RETURN\n");
        const fs::path old = g.here.path() / "old";
        const fs::path young = g.here.path() / "new";
        if (game(old, kShortRun).run().exitCode != 0)
            return;
        fs::copy(old, young, fs::copy_options::recursive);
        if (game(young, kLongRun).run().exitCode != 0)
            return;
        g.before = snapshot(old);
        g.after = snapshot(young);
        g.made = g.before.contains("demo.pair") && g.after.at("score.dat") != g.before.at("score.dat");
    }
    static void TearDownTestSuite() {
        delete generations_;
        generations_ = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(generations_->made) << "a sealed best, then a new best, to start from";
    }

    static const fs::path& here() { return generations_->here.path(); }
    static const Snapshot& before() { return generations_->before; }
    static const Snapshot& after() { return generations_->after; }
    static void copyOld(const fs::path& to) {
        fs::remove_all(to);
        fs::copy(here() / "old", to, fs::copy_options::recursive);
    }

    static test::GameProcess game(const fs::path& folder, const char* ticks, const char* keys = "keys.txt") {
        return {test::gameBinary(),
                {"--headless", "--autopilot", "--seed", "7", "--keys", (here() / keys).string(), "--ticks",
                 ticks, "--user-dir", folder.string()},
                here(),
                {}};
    }

    // The game with the file-system faults the variables ask for (FileSystemFaults.cpp).
    static test::GameProcess faulty(const fs::path& folder,
                                    std::initializer_list<std::pair<const char*, std::string>> faults) {
        test::GameProcess process = game(folder, kLongRun);
        process.environment["LD_PRELOAD"] = test::fileSystemFaultsLibrary().string();
        for (const auto& [variable, value] : faults)
            process.environment[variable] = value;
        // The sanitizers' runtime would insist on coming first.
        const char* asan = std::getenv("ASAN_OPTIONS");
        process.environment["ASAN_OPTIONS"] = std::string(asan ? asan : "") + ":verify_asan_link_order=0";
        return process;
    }

    // The pair the attract demo would read is the old one or the new one, never half of each.
    static std::string demoFault(const fs::path& folder) {
        const DemoPair pair({(folder / "demo.dat").string(), (folder / "dgoal.dat").string()},
                            (folder / "demo.pair").string());
        const DemoPair::Files read = pair.readable();
        const std::pair<std::string, std::string> shown{bytesOf(read.ride), bytesOf(read.goals)};
        if (shown == std::pair{before().at("demo.dat"), before().at("dgoal.dat")} ||
            shown == std::pair{after().at("demo.dat"), after().at("dgoal.dat")})
            return {};
        return "the demo read is " + fs::path(read.ride).filename().string() + " with " +
               fs::path(read.goals).filename().string() + ", not one pair; ";
    }

    // Every file is the old or the new one, whole, the demo is one pair, and every replay loads.
    static std::string faultsOf(const fs::path& folder) {
        std::string faults = oldOrNew(snapshot(folder), before(), after()) + demoFault(folder);
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(folder / "replays", ec)) {
            std::string error;
            if (entry.path().extension() == ".qvr" && !ReplayFile::load(entry.path().string(), error))
                faults += error + "; ";
        }
        return faults;
    }

    // What is left after the next start: no temporary file, and a readable table that shows the
    // table.
    static std::string leftOver(const fs::path& folder) {
        std::string faults;
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            if (temporary(entry.path()))
                faults += entry.path().filename().string() + " is left; ";
        const Snapshot now = snapshot(folder);
        if (now.contains("HiScore.txt") &&
            now.at("HiScore.txt") != ScoreFile::text(ScoreFile::decode(now.at("score.dat"))))
            faults += "HiScore.txt does not show score.dat's table; ";
        return faults;
    }

    // The game started again there.
    static std::string afterRestart(const fs::path& folder) {
        const auto woken = game(folder, "10", "wake.txt").run();
        return woken.exitCode != 0 ? "the next start failed: " + woken.output : leftOver(folder);
    }

    // What the game does first when it starts (main, then the first scene), done here: a game
    // per kill point would double the test's time.
    static std::string afterNextStart(const fs::path& folder) {
        removeStaleTemporaries(folder.string());
        removeStaleTemporaries((folder / "replays").string());
        ScoreFile::recover((folder / "score.dat").string(), (folder / "HiScore.txt").string());
        return leftOver(folder);
    }

    static Generations* generations_;
};

Generations* CrashSafetyTest::generations_ = nullptr;

// Killed on entering each rename of the save (the file written and synced under its temporary
// name) and just after it (the file in place), two games at a time.
TEST_F(CrashSafetyTest, AKillAtAnyRenameOfTheSaveLeavesOldOrNewFilesWholeAndOnePair) {
    int killed = 0;
    for (int at = 1; at < 50; ++at) {
        const fs::path cutBefore = here() / ("cut-before-" + std::to_string(at));
        const fs::path cutAfter = here() / ("cut-after-" + std::to_string(at));
        copyOld(cutBefore);
        copyOld(cutAfter);
        auto first = std::async(std::launch::async, [&] {
            return faulty(cutBefore, {{"QORVEX_KILL_AT", std::to_string(at)}}).run();
        });
        const auto second = faulty(cutAfter, {{"QORVEX_KILL_AFTER", std::to_string(at)}}).run();
        const auto result = first.get();
        if (result.signal != SIGKILL) {
            EXPECT_EQ(result.exitCode, 0) << result.output;
            EXPECT_EQ(snapshot(cutBefore), after()) << "past the last rename the save is the whole new one";
            EXPECT_EQ(afterRestart(cutBefore), "");
            break;
        }
        ASSERT_EQ(second.signal, SIGKILL);
        killed += 2;
        for (const fs::path& cut : {cutBefore, cutAfter}) {
            SCOPED_TRACE(cut.filename().string());
            EXPECT_EQ(faultsOf(cut), "");
            EXPECT_EQ(afterNextStart(cut), "");
        }
        fs::remove_all(cutBefore);
        fs::remove_all(cutAfter);
    }
    // Nine files: the two kept as the previous demo, the goals, the ride, the seal, the table kept,
    // the table, its readable copy, the replay.
    EXPECT_EQ(killed, 18);
}

// A game killed with the save half done leaves temporaries; the game started again removes them.
TEST_F(CrashSafetyTest, TheNextStartRemovesWhatAKilledSaveLeft) {
    const fs::path cut = here() / "cut";
    copyOld(cut);
    ASSERT_EQ(faulty(cut, {{"QORVEX_KILL_AT", "7"}}).run().signal, SIGKILL); // the table, before its rename
    EXPECT_NE(leftOver(cut), "");
    EXPECT_EQ(afterRestart(cut), "");
    EXPECT_EQ(faultsOf(cut), "");
}

// A file-size limit fails every write of the demo (786 KiB): the run says so, on its output and
// in error.log, and the old demo stays the demo, whole.
TEST_F(CrashSafetyTest, AFullDiskIsToldAndTheOldDemoStays) {
    const fs::path full = here() / "full";
    copyOld(full);
    test::GameProcess process = game(full, kLongRun);
    process.fileSizeLimit = 100 * 1024;
    const auto result = process.run();
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_NE(result.output.find("could not save " + (full / "demo.dat").string()), std::string::npos)
        << result.output;
    EXPECT_NE(bytesOf(full / "error.log").find("could not save"), std::string::npos);
    const Snapshot now = snapshot(full);
    EXPECT_EQ(now.at("demo.dat"), before().at("demo.dat"));
    EXPECT_EQ(demoFault(full), "");
    EXPECT_EQ(now.at("score.dat"), after().at("score.dat")) << "the table itself is small enough";
    EXPECT_EQ(afterRestart(full), "");
}

// A folder that turned read-only while the game ran: the run says what it could not keep, and
// every file stays as it was.
TEST_F(CrashSafetyTest, AFolderThatTurnedReadOnlyIsToldAndNothingChanges) {
    const fs::path locked = here() / "turned";
    copyOld(locked);
    const auto result = faulty(locked, {{"QORVEX_READ_ONLY", "1"}}).run();
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_NE(result.output.find("could not save " + (locked / "demo.dat").string()), std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("could not save the run's replay"), std::string::npos) << result.output;
    EXPECT_EQ(snapshot(locked), before());
}

constexpr uint32_t kNobody = 65534;

// One read-only from the start is refused before anything is played, with what to do about it.
TEST_F(CrashSafetyTest, AReadOnlyFolderIsRefusedAtStartAndNothingChanges) {
    const fs::path locked = here() / "locked";
    copyOld(locked);
    test::GameProcess process = game(locked, kLongRun);
    if (::geteuid() == 0) { // root writes anywhere; nobody, owning the folder, does not
        process.user = kNobody;
        ASSERT_EQ(::chown(locked.c_str(), kNobody, kNobody), 0);
        for (const auto& entry : fs::recursive_directory_iterator(locked))
            ASSERT_EQ(::lchown(entry.path().c_str(), kNobody, kNobody), 0);
    }
    fs::permissions(locked, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const auto result = process.run();
    fs::permissions(locked, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(result.exitCode, 2) << result.output;
    EXPECT_NE(result.output.find("cannot write the player's files in " + locked.string()), std::string::npos)
        << result.output;
    EXPECT_EQ(snapshot(locked), before());
}

} // namespace
} // namespace qv
