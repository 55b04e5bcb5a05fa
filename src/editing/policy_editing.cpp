#include "editing/policy_editing.h"

#include "editing/cell_stepping.h"
#include "editing/hints.h"
#include "shell/trends.h"

namespace vorn {

void mouseclicks3(Trends& window, int button) {
    CellTable& policy = window.MSFlexPolicy();
    const int row = policy.currentRow();
    const int column = policy.currentColumn();

    const CellTable& trend = window.MSFlexXImpact();
    window.setText(Control::Hints, policyHint(trend.text(row, 0), trend.text(0, column)));
    const bool valueCell = row >= 1 && column >= 1;
    if (valueCell && row == window.lastr3 && column == window.lastc3) {
        stepMatrixCell(window, policy, kPolicyChannel, button);
    } else {
        window.NewColor = window.BaseColor;
    }

    window.lastr3 = row;
    window.lastc3 = column;
    window.YearbyYear(window.cats);
}

}  // namespace vorn
