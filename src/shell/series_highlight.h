#pragma once

#include <optional>

#include "shell/controls.h"

namespace vorn {

/// What a click on a legend entry singles out in the charts: an item (its line in the
/// Scenario Trends chart and its bars in the Contributions chart), the random fluctuations'
/// bars in the Contributions chart, or one run of the Spread chart.
struct HighlightTarget {
    enum class Kind { Item, Uncertainty, Run };

    Kind kind = Kind::Item;
    int number = 0;  // the item or run, counted from 1; 0 for the fluctuations

    friend bool operator==(const HighlightTarget&, const HighlightTarget&) = default;
};

/// How a chart draws one series while something may be highlighted.
enum class SeriesEmphasis { Normal, Highlighted, Faded };

/// The series highlighted by a legend click, in every chart at once. A chart's series are
/// counted from 0 in the order of its table's rows: the items of the Scenario Trends chart, the
/// items and then the fluctuations of the Contributions chart, the runs of the Spread chart.
class SeriesHighlight {
  public:
    const std::optional<HighlightTarget>& target() const { return m_target; }

    /// A click on the legend entry of `series` in `chart`, which shows `items` items: its
    /// target is highlighted, or no longer when it was the one highlighted.
    void click(Control chart, int series, int items);
    /// The next (`forward`) or previous series of the `count` that `chart` shows is
    /// highlighted, as the arrow keys on a chart do: from none the first (last), and after the
    /// last (first) none again.
    void step(Control chart, bool forward, int count, int items);
    void clear() { m_target.reset(); }

    /// How `chart` draws `series` of the `count` it shows (`items` items): the highlighted one
    /// stands out and the others fade. A chart that does not show the target, or no longer
    /// shows it (a removed item, fewer runs), draws every series as usual.
    SeriesEmphasis emphasis(Control chart, int series, int count, int items) const;

    /// The series of `chart` that shows `target`, if that chart shows it.
    static std::optional<int> seriesOf(Control chart, const HighlightTarget& target, int items);
    /// What `series` of `chart` shows.
    static HighlightTarget targetOf(Control chart, int series, int items);

  private:
    std::optional<HighlightTarget> m_target;
};

}  // namespace vorn
