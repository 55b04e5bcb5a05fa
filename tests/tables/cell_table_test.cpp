#include "tables/cell_table.h"
#include "tables/rgb.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

TEST(CellTable, ResizingKeepsTheCellsThatRemain) {
    CellTable table(3, 3);
    table.setText(1, 1, "kept");
    table.setText(2, 2, "dropped");
    table.setColor(1, 1, Rgb{1, 2, 3});
    table.resize(2, 4);
    EXPECT_EQ(table.rows(), 2);
    EXPECT_EQ(table.columns(), 4);
    EXPECT_EQ(table.text(1, 1), "kept");
    EXPECT_EQ(table.color(1, 1), (Rgb{1, 2, 3}));
    EXPECT_EQ(table.text(1, 3), "");
    EXPECT_FALSE(table.color(1, 3).has_value());
    table.resize(3, 3);
    EXPECT_EQ(table.text(2, 2), "") << "a cell that left the table comes back empty";
}

TEST(CellTable, OutsideTheTableReadsEmptyAndWritesNothing) {
    CellTable table(2, 2);
    table.setText(5, 5, "lost");
    table.setText(-1, 0, "lost");
    table.setColor(2, 0, Rgb{});
    EXPECT_EQ(table.text(5, 5), "");
    EXPECT_EQ(table.text(-1, 0), "");
    EXPECT_FALSE(table.color(2, 0).has_value());
    EXPECT_EQ(table.columnWidth(7), CellTable::kDefaultColumnWidth);
}

TEST(CellTable, CurrentCellIsClampedAndColoursThroughIt) {
    CellTable table(4, 4);
    table.setCurrent(2, 3);
    table.setCurrentText("x");
    table.setCurrentColor(Rgb{255, 255, 100});
    EXPECT_EQ(table.text(2, 3), "x");
    EXPECT_EQ(table.color(2, 3), (Rgb{255, 255, 100}));
    table.resize(2, 2);
    EXPECT_EQ(table.currentRow(), 1);
    EXPECT_EQ(table.currentColumn(), 1);
    table.resize(0, 0);
    EXPECT_EQ(table.currentText(), "");
}

TEST(CellTable, ColumnWidthsFollowTheShape) {
    CellTable table(1, 2);
    table.setColumnWidth(1, 944);
    EXPECT_EQ(table.columnWidth(1), 944);
    table.setColumns(4);
    EXPECT_EQ(table.columnWidth(1), 944);
    EXPECT_EQ(table.columnWidth(3), CellTable::kDefaultColumnWidth);
}

TEST(RgbLevels, RoundHalvesToEvenAndClamp) {
    EXPECT_EQ(rgbFromLevels(255, 255, 500), (Rgb{255, 255, 255}));
    EXPECT_EQ(rgbFromLevels(-100, 0.5, 1.5), (Rgb{0, 0, 2}));
    EXPECT_EQ(rgbFromLevels(2.5, 199.6, 0), (Rgb{2, 200, 0}));
}

TEST(RgbContrast, KeepsAReadableTextColourElseTheAlternativeElseBlackOrWhite) {
    const Rgb black{0, 0, 0};
    const Rgb white{255, 255, 255};
    EXPECT_NEAR(contrastRatio(black, white), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(white, black), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(Rgb{48, 140, 198}, Rgb{48, 140, 198}), 1.0, 1e-9);
    EXPECT_NEAR(relativeLuminance(Rgb{255, 0, 0}), 0.2126, 1e-4);

    const Rgb blueHighlight{48, 140, 198};
    const Rgb navyHighlight{0, 0, 128};
    const Rgb red{255, 0, 0};
    const Rgb cyan{128, 255, 255};
    EXPECT_LT(contrastRatio(red, blueHighlight), 1.2);
    // Red fails on the blue highlight, and so does white text: black is the readable one.
    EXPECT_EQ(readableTextColor(red, blueHighlight, white), black);
    // The light cyan of the Trend Matrix reads well on navy and is kept.
    EXPECT_EQ(readableTextColor(cyan, navyHighlight, white), cyan);
    // Red on navy is about 4:1; the platform's own highlighted text does better.
    EXPECT_EQ(readableTextColor(red, navyHighlight, Rgb{255, 255, 0}), (Rgb{255, 255, 0}));
    // Neither red nor the alternative reads on grey: black or white, whichever contrasts more.
    const Rgb grey{119, 119, 119};
    EXPECT_EQ(readableTextColor(red, grey, grey), black);
    EXPECT_EQ(readableTextColor(red, Rgb{90, 90, 90}, grey), white);
}

}  // namespace
}  // namespace vorn
