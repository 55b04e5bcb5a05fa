#include "help/help_texts.h"

#include <array>
#include <initializer_list>
#include <string_view>

namespace vorn {
namespace {

std::string join(std::initializer_list<std::string_view> pieces) {
    std::string text;
    for (std::string_view piece : pieces) {
        text += piece;
    }
    return text;
}

}  // namespace

std::string overviewText() {
    const std::string heading =
        join({"Brief Explanation of the VORN Model:  VORN is a heuristic model - ",
              " which allows us to explore the implications of assumptions ",
              "about growth rates and interactions between selcted variables. "});
    std::array<std::string, 8> slots;
    slots[1] =
        join({" The Model Interface has three input tables: ",
              "1) Trend Matrix,  2) Policy Matrix, 3) Net Growth, Lags and Uncertainty Matrix. "});
    slots[2] = join(
        {"The numbers in the Trend tables are your estimates of the current ",
         "(e.g.last decade average) annual contribution ",
         "of the items named in the left hand column ",
         "to the annual growth rate of the item named at the top of a column",
         " The contributions may be positive or negative. ",
         " The current net annual percentage growth for each item is given in the Totals table."});
    // The policy paragraph opens with a blank, so it follows the paragraph above cleanly.
    slots[3] =
        join({" When the Policy Matrix is selected its data are added to the Trend Data for "
              "forwards projections. "});
    slots[4] = join({"The model automatically calculates projections forwards or backwards in time",
                     " ", "for every year up to the chosen time horizon. ",
                     "When the data are changed the calculation is immediately revised "});
    slots[5] = join(
        {" The levels of each item relative to their present (i.e. Year 2000) level",
         " and the contribution to the Growth Rate at the Time Horizon are shown in the Charts. "});
    slots[6] =
        join({" The Policy matrix is used to enter your proposed strategy for improving on current "
              "trends."});
    slots[7] = join(
        {" The Uncertainty table is used to enter the amount of uncertainty/variability you attach "
         "to the annual net growth rate of each item. ",
         "and the time lags (in years) for each item to respond to changes in the other items. "});
    std::string text = heading;
    for (int slot = 1; slot <= 7; ++slot) {
        text += slots[static_cast<std::size_t>(slot)];
    }
    return text;
}

std::string instructionsText() {
    const std::string heading = "Summary of How to use the VORN Model:  ";
    std::array<std::string, 11> slots;
    slots[1] = "Load the Example provided to explore the way the model works. ";
    slots[2] =
        join({"In each table data are entered or changed by selecting a cell (left click)", " ",
              "and then right/left clicking the cells to increase/decrease the current data. "});
    slots[3] =
        "The Time Horizon of the projection, the Uncertainty in Total Growth Rate for each item, "
        "and the incremental shifts to be used when adjusting the Matrix entries may be set "
        "using the sliders. ";
    slots[4] = join({"To enter or change an item name select the cell and type ",
                     "the name of the item in the input box. "});
    slots[5] = join({" To increase/decrease the number of rows and columns in the matrix ",
                     "select the top-left cell in the Trend Matrix and right/left click. "});
    slots[6] = " Now Clear these data and do your Own Thing with an empty matrix.  ";
    slots[7] = join({"Starting with the empty matrix: ",
                     "1) Enter Item Names and decide how these are defined.    ",
                     "2) Enter Data into the Trend matrix cells.    ",
                     "3) Vary the Data until you are satisfied with the Trend Backcasts. "});
    slots[8] = "Identify potential Future Concerns. ";
    slots[9] =
        join({"Devise Strategies that deal with these Concerns or offer more Desirable Outcomes ",
              "and enter the appropriate changes in the Policy Matrix. "});
    slots[10] =
        "Check that these new Outcomes are robust to increased levels of Uncertainty and "
        "longer Time Horizons. ";
    std::string text = heading;
    for (const std::string& slot : slots) {
        text += slot;
    }
    return text;
}

std::string creditsText() {
    return "This model was prepared as a teaching aid for exploring how a few interacting trends "
           "may evolve. It may be used, copied and shared freely for teaching and study, without "
           "warranty of any kind. Please send comments and suggestions to the project's issue "
           "tracker.";
}

}  // namespace vorn
