#include "replay/DemoPair.h"
#include "core/FilePaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qv {
namespace {

namespace fs = std::filesystem;

class DemoPairTest : public ::testing::Test {
  protected:
    DemoPair pair() const {
        return DemoPair({dir.file("demo.dat"), dir.file("dgoal.dat")}, dir.file("demo.pair"));
    }
    void writePair(const std::string& ride, const std::string& goals) const {
        dir.write("demo.dat", ride);
        dir.write("dgoal.dat", goals);
    }
    std::string contents(const std::string& path) const {
        std::string bytes;
        readFile(path, bytes);
        return bytes;
    }
    // What a reader of the pair gets: "ride+goals".
    std::string read() const {
        const DemoPair::Files files = pair().readable();
        return contents(files.ride) + "+" + contents(files.goals);
    }
    // One whole save of a new best, as the end of a run makes it.
    void save(const std::string& ride, const std::string& goals) const {
        ASSERT_TRUE(pair().keepPrevious());
        writePair(ride, goals);
        ASSERT_TRUE(pair().seal());
    }

    test::TempDir dir;
};

TEST_F(DemoPairTest, APairWithoutASealIsReadAsItStands) {
    writePair("ride A", "goals A");
    EXPECT_EQ(read(), "ride A+goals A");
    EXPECT_EQ(DemoPair({dir.file("demo.dat"), dir.file("dgoal.dat")}, "").readable().ride,
              dir.file("demo.dat"))
        << "the content's own demo has no seal";
}

// The goals are written before the ride: stopped between the two, the new goals stand beside the
// old ride. The reader passes over that pair to the one before, whole.
TEST_F(DemoPairTest, ASaveCutBetweenItsFilesIsReadAsThePairBefore) {
    writePair("ride A", "goals A"); // from before seals: sealed when first replaced
    save("ride B", "goals B");
    EXPECT_EQ(read(), "ride B+goals B");
    ASSERT_TRUE(pair().keepPrevious());
    dir.write("dgoal.dat", "goals C"); // cut here
    EXPECT_EQ(read(), "ride B+goals B");
    dir.write("demo.dat", "ride C"); // cut before the seal
    EXPECT_EQ(read(), "ride B+goals B");
    ASSERT_TRUE(pair().seal());
    EXPECT_EQ(read(), "ride C+goals C");
}

// After a cut save, the pair there is half new: the next save must not make it the one before.
TEST_F(DemoPairTest, ACutPairNeverBecomesThePairBefore) {
    save("ride A", "goals A");
    save("ride B", "goals B");
    ASSERT_TRUE(pair().keepPrevious());
    dir.write("dgoal.dat", "goals C");  // cut here
    ASSERT_TRUE(pair().keepPrevious()); // the next save
    EXPECT_EQ(contents(dir.file("demo.dat.prev")) + "+" + contents(dir.file("dgoal.dat.prev")),
              "ride B+goals B");
    dir.write("dgoal.dat", "goals D"); // cut again
    EXPECT_EQ(read(), "ride B+goals B") << "still the last whole pair";
}

// A seal that matches nothing (a pair copied in by hand over both generations) leaves the pair
// there to be read, as before seals.
TEST_F(DemoPairTest, WithNoWholePairThePairThereIsRead) {
    save("ride A", "goals A");
    writePair("ride X", "goals X");
    EXPECT_EQ(read(), "ride X+goals X") << "no generation before to fall back on";
    dir.write("demo.pair", "ride 1 0\ngoals 1 0\n");
    save("ride B", "goals B");
    EXPECT_EQ(read(), "ride B+goals B");
}

} // namespace
} // namespace qv
