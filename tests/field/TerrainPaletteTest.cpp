#include "FieldWorkspace.h"

#include "field/TerrainPalette.h"

#include <gtest/gtest.h>

namespace qv::test {
namespace {

constexpr Argb rgb(uint32_t r, uint32_t g, uint32_t b) {
    return 0xFF000000u | r << 16 | g << 8 | b;
}

TEST(TerrainPaletteTest, ColoredPaletteRunsFromGreyBlueToBrown) {
    const TerrainPalette colored(1);
    EXPECT_EQ(colored.colorAt(0.0f), rgb(100, 100, 100));
    EXPECT_EQ(colored.colorAt(1.0f), rgb(100, 255, 100));
    EXPECT_EQ(colored.colorAt(2.0f), rgb(200, 255, 100));
    EXPECT_EQ(colored.colorAt(5.0f), rgb(140, 100, 100));
    // Between the breakpoints, around the shoreline and on the hills.
    EXPECT_EQ(colored.colorAt(0.3f), rgb(100, 100, 117));
    EXPECT_EQ(colored.colorAt(0.43f), rgb(100, 199, 124));
    EXPECT_EQ(colored.colorAt(0.7f), rgb(100, 226, 113));
    EXPECT_EQ(colored.colorAt(1.5f), rgb(150, 255, 100));
    EXPECT_EQ(colored.colorAt(3.0f), rgb(180, 203, 100));
}

TEST(TerrainPaletteTest, PalePaletteDarkensWithHeight) {
    for (int32_t selector : {0, 2, -1}) {
        const TerrainPalette pale(selector);
        EXPECT_FALSE(pale.colored());
        EXPECT_EQ(pale.colorAt(0.0f), rgb(255, 255, 255)) << selector;
        EXPECT_EQ(pale.colorAt(1.0f), rgb(230, 235, 240)) << selector;
        EXPECT_EQ(pale.colorAt(2.0f), rgb(190, 200, 210)) << selector;
        EXPECT_EQ(pale.colorAt(5.0f), rgb(70, 95, 120)) << selector;
    }
}

TEST(TerrainPaletteTest, ExtremeHeightsStayInsideEachChannelRange) {
    const TerrainPalette colored(1), pale(0);
    EXPECT_EQ(colored.colorAt(-1e30f), rgb(100, 100, 100));
    EXPECT_EQ(colored.colorAt(1e30f), rgb(100, 100, 100));
    EXPECT_EQ(colored.colorAt(-3.0f), rgb(100, 100, 100));
    EXPECT_EQ(colored.colorAt(9.0f), rgb(100, 100, 100));
    EXPECT_EQ(pale.colorAt(-1e30f), rgb(255, 255, 255));
    EXPECT_EQ(pale.colorAt(1e30f), rgb(0, 0, 0));
    EXPECT_EQ(pale.colorAt(8.0f), rgb(0, 0, 30));
}

TEST(TerrainPaletteTest, FieldTakesItsPaletteFromTheEffectColorSetting) {
    struct Case {
        const char* ini;
        bool colored;
    };
    for (Case c : {Case{"", true}, Case{"[EFFECT]\nCOLOR=1\n", true}, Case{"[EFFECT]\nCOLOR=2\n", false},
                   Case{"[EFFECT]\nCOLOR=0\n", false}}) {
        FieldWorkspace workspace;
        workspace.writeIni(std::string("[PERFORMANCE]\nGROUNDTEXTURE=0\n") + c.ini);
        workspace.writeField([](int i, int) { return i == 40 ? 1.0f : 5.0f; });
        auto field = workspace.build();
        SCOPED_TRACE(c.ini);
        const Argb atOne = c.colored ? rgb(100, 255, 100) : rgb(230, 235, 240);
        const Argb atFive = c.colored ? rgb(140, 100, 100) : rgb(70, 95, 120);
        // Vertices at x = 40 have height 1, those at x = 41 height 5.
        for (const WorldVertex& v : field->grid().cell(40, 7).vertices)
            EXPECT_EQ(v.diffuse, v.x == 40.0f ? atOne : atFive);
    }
}

} // namespace
} // namespace qv::test
