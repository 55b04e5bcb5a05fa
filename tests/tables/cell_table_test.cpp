#include "tables/cell_table.h"

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

}  // namespace
}  // namespace vorn
