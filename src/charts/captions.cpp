#include "charts/captions.h"

#include "tables/number_text.h"

namespace vorn {

std::string trendsCaption(int horizon, bool policiesApplied) {
    std::string caption = "Scenario Trends";
    caption += horizon < 0 ? "- Backcast to " : "- Forecast to ";
    caption += yearLabel(horizonYear(horizon));
    if (policiesApplied) {
        caption += " (with Policies)";
    }
    return caption;
}

std::string contributionsCaption(int horizon) {
    return "Contributions to Change in " + yearLabel(horizonYear(horizon));
}

std::string spreadCaption(const std::string& itemName) {
    return "Spread in Annual Levels for " + itemName;
}

std::string uncertaintyCaption(const std::string& itemName) {
    return "Uncertainty in Future " + itemName + " Trends";
}

}  // namespace vorn
