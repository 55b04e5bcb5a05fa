#include "editing/hints.h"

namespace vorn {

std::string contributionHint(const std::string& rowItem, const std::string& columnItem) {
    return std::string("This is the contribution of ") + rowItem + " to the annual net growth of " +
           columnItem +
           "."
           " To assess this contibution consider by how much more or less would you expect the "
           "growth rate of " +
           columnItem + " to be if the level of " + rowItem +
           " was to double ?"
           " The net current growth of " +
           columnItem + " is given in the Totals table. ";
}

std::string intrinsicGrowthHint(const std::string& rowItem) {
    return std::string("What is the Intrinsic (i.e. internal) Growth Rate of the ") + rowItem +
           " Sub-System ? "
           "Note that if none of the other Items you include "
           "significantly impact on this sub-system, then "
           "then its intrinsic growth rate will be the same as its overall growth rate.  ";
}

std::string growthRunsHint(const std::string& item) {
    return std::string(
               "This calculates 20 runs of the model for the current parameters with random "
               "fluctuations."
               " Graph shows the range of possible outomes for ") +
           item + " when uncertainties in all items are accounted for. ";
}

std::string netGrowthHint(const std::string& item) {
    return std::string("This is the Net Growth for ") + item +
           " and is calculated automatically as the sum of the column entries for this Item";
}

std::string uncertaintyHint(const std::string& item) {
    return std::string("What is the uncertainty in your estimate of the annual net growth of  ") +
           item +
           " ?"
           " Consider how much you expect its growth rate "
           " to fluctate as a consequence of random events and serendipity, "
           " or what is the statistical uncertainty as shown by a regression or econometric "
           "analysis of historical data, "
           " or what is the variation (standard deviation) in estimates by participants in a "
           "survey";
}

std::string lagHint(const std::string& item) {
    return std::string("What is the lag (in years) before ") + item +
           " responds to changes in other variables? "
           "Lags may contribute to delays in policies being effective, cyclical phenomena, or "
           "overshoot and collapse. ";
}

std::string policyHint(const std::string& rowItem, const std::string& columnItem) {
    return std::string(
               "What policies can improve the projected trends? "
               "Consider how changing the level of ") +
           rowItem + " would affect the growth of " + columnItem +
           " Change several items in the same row to reflect"
           " the strategic re-allocation of " +
           rowItem +
           ". Bear in mind, that if these resources are scarce,"
           " then increasing the allocation to improve one trend "
           "might entail changing its allocation to other items (in the same Row).";
}

}  // namespace vorn
