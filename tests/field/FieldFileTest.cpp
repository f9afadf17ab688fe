#include "FieldWorkspace.h"

#include "core/FatalError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <sys/stat.h>

namespace qv::test {
namespace {

float slope(int i, int j) {
    return 0.25f * static_cast<float>(i) + 0.5f * static_cast<float>(j % 7);
}

std::string messageOf(FieldWorkspace& workspace, std::string* detail = nullptr) {
    try {
        workspace.build();
    } catch (const FatalError& e) {
        if (detail)
            *detail = e.detail();
        return e.what();
    }
    return "no error";
}

TEST(FieldFileTest, MissingFileIsFatal) {
    FieldWorkspace workspace;
    EXPECT_EQ(messageOf(workspace), "ERROR : Cannot open FieldDataFile");
}

// A short file once gave a flat field under water, and the game then died finding no goal
// spot, naming no file; now the file is refused by name, with the error.log line it always had.
TEST(FieldFileTest, FilesTooShortAreRefusedNamingTheFile) {
    const std::string whole = fieldFileBytes(slope);
    for (size_t size : {size_t{0}, size_t{3}, size_t{4000}, whole.size() - 1}) {
        FieldWorkspace workspace;
        workspace.writeField(0, whole.substr(0, size));
        std::string detail;
        EXPECT_EQ(messageOf(workspace, &detail), "ERROR : Cannot open FieldDataFile");
        EXPECT_NE(detail.find("Field0.dat: " + std::to_string(size) + " bytes; a field has 40804"),
                  std::string::npos)
            << detail;
    }
}

// One wild height put NaN into the rider or flung it thousands of units up.
TEST(FieldFileTest, AHeightNoFieldCanHaveIsRefusedWithItsSample) {
    for (const float wild : {1e20f, -1001.0f, 1001.0f}) {
        FieldWorkspace workspace;
        workspace.writeField([&](int i, int j) { return i == 50 && j == 7 ? wild : 1.0f; });
        std::string detail;
        EXPECT_EQ(messageOf(workspace, &detail), "ERROR : Cannot open FieldDataFile");
        EXPECT_NE(detail.find("at sample (50, 7) lies outside -1000..1000"), std::string::npos) << detail;
    }
    FieldWorkspace edge;
    edge.writeField([](int, int) { return -1000.0f; });
    EXPECT_NE(edge.build(), nullptr) << "the bound itself is a height";
}

TEST(FieldFileTest, APipeOrAFolderInPlaceOfTheFileIsRefusedAtOnce) {
    FieldWorkspace workspace;
    workspace.writeField(0, "");
    const std::string path = "Data/Field0.dat"; // the workspace is the working folder
    std::filesystem::remove(path);
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    std::string detail;
    EXPECT_EQ(messageOf(workspace, &detail), "ERROR : Cannot open FieldDataFile");
    EXPECT_NE(detail.find("not a file"), std::string::npos) << detail;
}

TEST(FieldFileTest, BytesPastTheLastSampleAreIgnored) {
    FieldWorkspace workspace;
    workspace.writeField(0, fieldFileBytes(slope) + std::string(1000, '\x7f'));
    auto field = workspace.build();
    for (int i : {0, 33, 99})
        for (int j : {0, 64, 99})
            EXPECT_EQ(field->heightAt(float(i), float(j)), slope(i, j));
    EXPECT_EQ(field->heightAt(100.0f, 100.0f), slope(100, 100));
}

TEST(FieldFileTest, NonFiniteSamplesReadAsZero) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    FieldWorkspace workspace;
    workspace.writeField([&](int i, int j) {
        if (i == 10 && j == 10)
            return nan;
        if (i == 20 && j == 20)
            return inf;
        if (i == 30 && j == 30)
            return -inf;
        return 1.0f;
    });
    auto field = workspace.build();
    for (int k : {10, 20, 30}) {
        EXPECT_EQ(field->heightAt(float(k), float(k)), 0.0f) << k;
        EXPECT_EQ(field->grid().cell(k, k).vertices[0].diffuse, TerrainPalette(1).colorAt(0.0f)) << k;
        // Every triangle touching the sample stays a proper slope.
        for (float d : {-0.5f, 0.2f, 0.8f}) {
            const Vec3& n = field->normalAt(k + d, k + d);
            EXPECT_NEAR(length(n), 1.0f, 1e-6f) << k << "," << d;
            EXPECT_TRUE(std::isfinite(field->heightAt(k + d, k + d))) << k << "," << d;
        }
    }
    EXPECT_EQ(field->heightAt(50.0f, 50.0f), 1.0f);
}

// Random bytes hold heights no field has and are refused; random heights a field may have,
// with non-numbers among them, load without a non-number or a broken normal.
TEST(FieldFileTest, GarbageIsRefusedAndWildButPossibleHeightsLoadSound) {
    std::string garbage;
    uint32_t x = 12345;
    for (size_t k = 0; k < FieldHeights::kFileBytes; ++k) {
        x = x * 1103515245u + 12345u;
        garbage.push_back(static_cast<char>(x >> 24));
    }
    FieldWorkspace refused;
    refused.writeField(0, garbage);
    EXPECT_EQ(messageOf(refused), "ERROR : Cannot open FieldDataFile");

    FieldWorkspace workspace;
    workspace.writeField([&](int i, int j) {
        x = x * 1103515245u + 12345u;
        if ((i * 7 + j) % 97 == 0)
            return std::numeric_limits<float>::quiet_NaN();
        return (static_cast<float>(x >> 8) / 16777216.0f - 0.5f) * 2.0f * FieldHeights::kMaxHeight;
    });
    auto field = workspace.build();
    for (const FieldCell& cell : field->grid().cells()) {
        for (float h : {cell.h00, cell.h01, cell.h11, cell.h10})
            ASSERT_FALSE(std::isnan(h));
        for (const Vec3& n : {cell.normalA, cell.normalB})
            ASSERT_NEAR(length(n), 1.0f, 1e-5f);
    }
}

TEST(FieldFileTest, StageNumberPicksTheFileByItsTwoLowBits) {
    FieldWorkspace workspace;
    for (uint32_t digit = 0; digit < 4; ++digit) {
        const float height = 0.5f + float(digit);
        workspace.writeField(digit, fieldFileBytes([=](int, int) { return height; }));
    }
    for (uint32_t stage : {0u, 1u, 2u, 3u, 4u, 7u, 9u}) {
        workspace.state.stageNumber = stage;
        EXPECT_EQ(workspace.build()->heightAt(50.0f, 50.0f), 0.5f + float(stage % 4)) << stage;
    }
    EXPECT_EQ(Field::dataFilePath(0), "./Data/Field0.dat");
    EXPECT_EQ(Field::dataFilePath(3), "./Data/Field3.dat");
    EXPECT_EQ(Field::dataFilePath(4), "./Data/Field0.dat");
}

TEST(FieldFileTest, FileIsFoundWhateverTheCaseOfItsFolder) {
    FieldWorkspace workspace;
    workspace.write("data/Field2.dat", fieldFileBytes(slope));
    workspace.state.stageNumber = 2;
    EXPECT_EQ(workspace.build()->heightAt(8.0f, 3.0f), slope(8, 3));
}

} // namespace
} // namespace qv::test
