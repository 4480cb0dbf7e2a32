#include "setup/wizard/text/BackgroundLayout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// The colour each row of a column ends up with after all fills, in order.
std::vector<std::uint32_t> paintedRows(int height, bool gradient, std::uint32_t from,
                                       std::uint32_t to) {
    std::vector<std::uint32_t> rows(static_cast<std::size_t>(height), 0xDEADBEEF);
    for (const ColourFill& fill : backgroundFills(100, height, gradient, from, to))
        for (int y = fill.y; y < fill.y + fill.height; ++y)
            if (y >= 0 && y < height)
                rows[static_cast<std::size_t>(y)] = fill.colour;
    return rows;
}

TEST(BackgroundFills, GradientOf768RowsHasTheRampsColours) {
    const std::vector<std::uint32_t> rows = paintedRows(768, true, 0xFF0000, 0x000000);
    for (int y = 0; y <= 287; ++y)
        ASSERT_EQ(rows[static_cast<std::size_t>(y)], 0xFF0000u) << "row " << y;
    EXPECT_EQ(rows[288], 0xFF0000u);
    EXPECT_EQ(rows[400], 0xF20000u);
    EXPECT_EQ(rows[528], 0xC00000u);
    EXPECT_EQ(rows[700], 0x440000u);
    EXPECT_EQ(rows[767], 0x020000u); // the final fill lies below the area
}

TEST(BackgroundFills, TallWindowsUseWiderBandsAndEveryRowIsPainted) {
    const std::vector<ColourFill> fills = backgroundFills(100, 1024, true, 0xFF0000, 0);
    // Top quarter, the solid top of the ramp, then 320 bands of 2 rows, then the end fill.
    ASSERT_EQ(fills.size(), 2u + 320u + 1u);
    EXPECT_EQ(fills[0].height, 256);
    EXPECT_EQ(fills[1].height, 128);
    EXPECT_EQ(fills[2].height, 2);
    for (std::uint32_t colour : paintedRows(1024, true, 0xFF0000, 0))
        ASSERT_NE(colour, 0xDEADBEEFu);
}

TEST(BackgroundFills, EachChannelMovesOnItsOwn) {
    // Red up, green down, blue unchanged: at the last row each channel is one
    // ramp step short of its target.
    const std::vector<std::uint32_t> rows = paintedRows(768, true, 0x8000FF, 0x80FF00);
    EXPECT_EQ(rows[0], 0x8000FFu);
    EXPECT_EQ(rows[767] & 0xFF0000, 0x800000u);
    EXPECT_EQ((rows[767] >> 8) & 0xFF, 0xFDu);
    EXPECT_EQ(rows[767] & 0xFF, 0x02u);
}

TEST(BackgroundFills, FlatIsOneFillAndTinyOrHugeAreasAreSafe) {
    const std::vector<ColourFill> flat = backgroundFills(640, 480, false, 0x123456, 0xFFFFFF);
    ASSERT_EQ(flat.size(), 1u);
    EXPECT_EQ(flat[0].colour, 0x123456u);
    EXPECT_EQ(flat[0].width, 640);
    EXPECT_EQ(flat[0].height, 480);

    for (int height : {0, 1, 2, 5}) {
        SCOPED_TRACE(height);
        for (const ColourFill& fill : backgroundFills(10, height, true, 0xFFFFFF, 0))
            EXPECT_LE(fill.colour, 0xFFFFFFu);
    }
    // Ramp products beyond 32 bits must not wrap the colours.
    const std::vector<std::uint32_t> rows = paintedRows(20000, true, 0xFFFFFF, 0);
    for (std::size_t y = 1; y < rows.size(); ++y)
        ASSERT_LE(rows[y] & 0xFF, rows[y - 1] & 0xFF) << "row " << y;
}

TEST(PlaceLine, AlignmentAndVerticalPlace) {
    struct Case {
        BackgroundLine line;
        char alignment;
        TextAnchor expected;
    };
    const Case cases[] = {
        {BackgroundLine::Heading, '\0', {20, 10, kAlignLeft}},
        {BackgroundLine::Heading, '1', {512, 10, kAlignCentre}},
        {BackgroundLine::Heading, '2', {1004, 10, kAlignRight}},
        {BackgroundLine::Heading, 'L', {20, 10, kAlignLeft}},
        {BackgroundLine::Subheading, '1', {512, 60, kAlignCentre}},
        {BackgroundLine::Footer, '\0', {20, 758, kAlignLeft | kAlignBottom}},
        {BackgroundLine::Footer, '1', {512, 758, kAlignCentre | kAlignBottom}},
        {BackgroundLine::Footer, '2', {1004, 758, kAlignRight | kAlignBottom}},
    };
    for (const Case& c : cases) {
        const TextAnchor anchor = placeLine(c.line, c.alignment, 1024, 768, 40);
        EXPECT_EQ(anchor.x, c.expected.x) << static_cast<int>(c.line) << c.alignment;
        EXPECT_EQ(anchor.y, c.expected.y) << static_cast<int>(c.line) << c.alignment;
        EXPECT_EQ(anchor.alignment, c.expected.alignment)
            << static_cast<int>(c.line) << c.alignment;
    }
}

} // namespace
