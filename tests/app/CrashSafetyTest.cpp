// The save at the end of a run, stopped dead (SIGKILL) at each fsync and rename it makes, and
// made on a full disk and in a read-only folder. Whatever happens, every file the player had is
// either as it was or as the whole save makes it, the attract demo's ride and goals are one
// pair, and the next start leaves no temporary file and a readable table that matches.
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

class CrashSafetyTest : public ::testing::Test {
  protected:
    static constexpr const char* kShortRun = "1400"; // ends with a best of 4484
    static constexpr const char* kLongRun = "2000";  // the same ride on to 7711: a new best

    void SetUp() override {
        here.write("keys.txt", "2 down RETURN\n3 up RETURN\n10 down RETURN\n11 up RETURN\n");
        here.write("wake.txt", "1 down RETURN\n2 up RETURN\n");
        ASSERT_EQ(play(oldFolder(), kShortRun).exitCode, 0);
        before = snapshot(oldFolder());
        ASSERT_TRUE(before.contains("demo.pair")) << "the first best is sealed";
        copyOld(here.path() / "new");
        ASSERT_EQ(play(here.path() / "new", kLongRun).exitCode, 0);
        after = snapshot(here.path() / "new");
        ASSERT_NE(after.at("score.dat"), before.at("score.dat")) << "the long run must set a new best";
    }

    fs::path oldFolder() const { return here.path() / "old"; }
    void copyOld(const fs::path& to) const {
        fs::remove_all(to);
        fs::copy(oldFolder(), to, fs::copy_options::recursive);
    }

    test::GameProcess game(const fs::path& folder, const char* ticks, const char* keys = "keys.txt") const {
        test::GameProcess process{test::gameBinary(),
                                  {"--headless", "--autopilot", "--seed", "7", "--keys", here.file(keys),
                                   "--ticks", ticks, "--user-dir", folder.string()},
                                  here.path(),
                                  {}};
        return process;
    }
    test::GameProcess::Result play(const fs::path& folder, const char* ticks) const {
        return game(folder, ticks).run();
    }

    // The pair the attract demo would read is the old one or the new one, never half of each.
    std::string demoFault(const fs::path& folder) const {
        const DemoPair pair({(folder / "demo.dat").string(), (folder / "dgoal.dat").string()},
                            (folder / "demo.pair").string());
        const DemoPair::Files read = pair.readable();
        const std::pair<std::string, std::string> shown{bytesOf(read.ride), bytesOf(read.goals)};
        for (const Snapshot* whole : {&before, &after})
            if (shown == std::pair{whole->at("demo.dat"), whole->at("dgoal.dat")})
                return {};
        return "the demo read is " + fs::path(read.ride).filename().string() + " with " +
               fs::path(read.goals).filename().string() + ", not one pair";
    }

    // A game started again there removes what the killed one left and mends the readable table.
    std::string afterRestart(const fs::path& folder) const {
        const auto woken = game(folder, "10", "wake.txt").run();
        if (woken.exitCode != 0)
            return "the next start failed: " + woken.output;
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

    // The game with the file-system faults of the variable set (FileSystemFaults.cpp).
    test::GameProcess faulty(const fs::path& folder, const char* variable, const std::string& value) const {
        test::GameProcess process = game(folder, kLongRun);
        process.environment["LD_PRELOAD"] = test::fileSystemFaultsLibrary().string();
        process.environment[variable] = value;
        // The sanitizers' runtime would insist on coming first.
        const char* asan = std::getenv("ASAN_OPTIONS");
        process.environment["ASAN_OPTIONS"] = std::string(asan ? asan : "") + ":verify_asan_link_order=0";
        return process;
    }

    test::TempDir here;
    Snapshot before;
    Snapshot after;
};

TEST_F(CrashSafetyTest, AKillAtAnyFsyncOrRenameOfTheSaveLeavesOldOrNewFilesWholeAndOnePair) {
    const fs::path cut = here.path() / "cut";
    int killed = 0;
    for (int at = 1; at < 100; ++at) {
        copyOld(cut);
        const auto result = faulty(cut, "QORVEX_KILL_AT", std::to_string(at)).run();
        if (result.signal != SIGKILL) {
            EXPECT_EQ(result.exitCode, 0) << result.output;
            EXPECT_EQ(snapshot(cut), after) << "past the last call the save is the whole new one";
            break;
        }
        ++killed;
        SCOPED_TRACE("killed at call " + std::to_string(at));
        EXPECT_EQ(oldOrNew(snapshot(cut), before, after), "");
        EXPECT_EQ(demoFault(cut), "");
        for (const auto& entry : fs::directory_iterator(cut / "replays")) {
            std::string error;
            if (entry.path().extension() == ".qvr") {
                EXPECT_TRUE(ReplayFile::load(entry.path().string(), error)) << error;
            }
        }
        EXPECT_EQ(afterRestart(cut), "");
    }
    // Three calls a file (fsync, rename, fsync of the folder), nine files.
    EXPECT_GE(killed, 27);
}

// A file-size limit fails every write of the demo (786 KiB): the run says so, on its output and
// in error.log, and the old demo stays the demo, whole.
TEST_F(CrashSafetyTest, AFullDiskIsToldAndTheOldDemoStays) {
    const fs::path full = here.path() / "full";
    copyOld(full);
    test::GameProcess process = game(full, kLongRun);
    process.fileSizeLimit = 100 * 1024;
    const auto result = process.run();
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_NE(result.output.find("could not save " + (full / "demo.dat").string()), std::string::npos)
        << result.output;
    EXPECT_NE(bytesOf(full / "error.log").find("could not save"), std::string::npos);
    const Snapshot now = snapshot(full);
    EXPECT_EQ(now.at("demo.dat"), before.at("demo.dat"));
    EXPECT_EQ(demoFault(full), "");
    EXPECT_EQ(now.at("score.dat"), after.at("score.dat")) << "the table itself is small enough";
    EXPECT_EQ(afterRestart(full), "");
}

// A folder that turned read-only while the game ran: the run says what it could not keep, and
// every file stays as it was.
TEST_F(CrashSafetyTest, AFolderThatTurnedReadOnlyIsToldAndNothingChanges) {
    const fs::path locked = here.path() / "locked";
    copyOld(locked);
    const auto result = faulty(locked, "QORVEX_READ_ONLY", "1").run();
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_NE(result.output.find("could not save " + (locked / "demo.dat").string()), std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("could not save the run's replay"), std::string::npos) << result.output;
    EXPECT_EQ(snapshot(locked), before);
}

constexpr uint32_t kNobody = 65534;

// One read-only from the start is refused before anything is played, with what to do about it.
TEST_F(CrashSafetyTest, AReadOnlyFolderIsRefusedAtStartAndNothingChanges) {
    const fs::path locked = here.path() / "locked";
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
    EXPECT_EQ(snapshot(locked), before);
}

} // namespace
} // namespace qv
