#include "shell/series_highlight.h"

namespace vorn {

HighlightTarget SeriesHighlight::targetOf(Control chart, int series, int items) {
    using Kind = HighlightTarget::Kind;
    switch (chart) {
        case Control::MscXImpacts:
            return series < items ? HighlightTarget{Kind::Item, series + 1}
                                  : HighlightTarget{Kind::Uncertainty, 0};
        case Control::MscVary:
            return {Kind::Run, series + 1};
        default:
            return {Kind::Item, series + 1};
    }
}

std::optional<int> SeriesHighlight::seriesOf(Control chart, const HighlightTarget& target,
                                             int items) {
    using Kind = HighlightTarget::Kind;
    const bool runs = chart == Control::MscVary;
    switch (target.kind) {
        case Kind::Run:
            return runs ? std::optional<int>(target.number - 1) : std::nullopt;
        case Kind::Uncertainty:
            return chart == Control::MscXImpacts ? std::optional<int>(items) : std::nullopt;
        case Kind::Item:
            if (runs || target.number < 1 || target.number > items) {
                return std::nullopt;
            }
            return target.number - 1;
    }
    return std::nullopt;
}

void SeriesHighlight::click(Control chart, int series, int items) {
    const HighlightTarget clicked = targetOf(chart, series, items);
    if (m_target == clicked) {
        m_target.reset();
    } else {
        m_target = clicked;
    }
}

void SeriesHighlight::step(Control chart, bool forward, int count, int items) {
    if (count <= 0) {
        m_target.reset();
        return;
    }
    std::optional<int> shown = m_target ? seriesOf(chart, *m_target, items) : std::nullopt;
    if (shown && (*shown < 0 || *shown >= count)) {
        shown.reset();
    }
    int next = 0;
    if (!shown) {
        next = forward ? 0 : count - 1;
    } else {
        next = *shown + (forward ? 1 : -1);
    }
    if (next < 0 || next >= count) {
        m_target.reset();
    } else {
        m_target = targetOf(chart, next, items);
    }
}

SeriesEmphasis SeriesHighlight::emphasis(Control chart, int series, int count, int items) const {
    if (!m_target) {
        return SeriesEmphasis::Normal;
    }
    const std::optional<int> highlighted = seriesOf(chart, *m_target, items);
    if (!highlighted || *highlighted < 0 || *highlighted >= count) {
        return SeriesEmphasis::Normal;
    }
    return series == *highlighted ? SeriesEmphasis::Highlighted : SeriesEmphasis::Faded;
}

}  // namespace vorn
