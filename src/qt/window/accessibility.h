#pragma once

namespace vorn {

/// Gives the window's own controls their roles for assistive technology: a slider is a slider
/// whose value reads as its tooltip's words, a chart a chart, the announcer a notification.
/// Names and descriptions come from the controls themselves. Done once.
void installAccessibility();

}  // namespace vorn
