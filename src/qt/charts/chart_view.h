#pragma once

#include <qcustomplot.h>

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

#include "shell/series_highlight.h"

namespace vorn {

/// How a chart uses its place: the room it keeps free for a caption box over its top and, at its
/// edges, for a narrower chart in front of it, and its legend.
struct ChartFrame {
    static constexpr double kLegendShare = 0.42;
    static constexpr double kSmallestLegendFactor = 0.7;

    /// Text lines kept free at the top.
    double captionLines = 0;
    /// Shares of the width kept free at the left and right, at most a quarter each.
    double leftShare = 0;
    double rightShare = 0;
    /// A chart beside a larger one that names the same series may go without a legend.
    bool legendShown = true;
    /// The share of the width the legend may take, and the smallest size of its text relative
    /// to the widget font, before it shortens names.
    double legendShare = kLegendShare;
    double smallestLegendFactor = kSmallestLegendFactor;

    friend bool operator==(const ChartFrame&, const ChartFrame&) = default;
};

/// What the window's charts share: one plot area with a value axis on the left and a legend
/// to its right, which wraps into as many columns as it needs to name every series. Every
/// font is made from the widget's own font, so a scaled font (zoom) scales the whole chart.
/// Hovering a series, a legend entry or an abbreviated label shows what it is as a tooltip.
/// The keyboard reaches it with Tab (a click leaves the focus where it was); Space or Enter
/// then does what a click does, and a ring in the highlight colour marks the focus.
/// A click on a legend entry, and the arrow keys, ask for a series to be highlighted; the
/// window decides which, and the chart draws it standing out, the others faded.
///
/// New data replots at once into the chart's buffer; the widget shows it at the next paint.
class ChartView : public QCustomPlot {
    Q_OBJECT
  public:
    explicit ChartView(QWidget* parent = nullptr);
    ~ChartView() override;

    /// Lets the memory of drawing buffers freed by a chart that changes its size serve the
    /// next ones, as the C library otherwise hands large blocks back to the system at once and
    /// asks for new ones, page by page. Called once at start-up: a chart of a whole screen
    /// then moves to a new size within a frame.
    static void reuseLargeBuffers();

    /// Draws the chart as it is shown into `target`: in vector form on a vector device (PDF,
    /// SVG, printer). Printing and export draw the charts through this.
    void drawInto(QPainter& painter, const QRectF& target);

    /// Keeps the top `lines` text lines of the chart free, for a caption box that lies over it.
    void setCaptionSpace(double lines);

    /// Takes `frame` and, when valid, `place` in the parent's coordinates at once, so that the
    /// chart is laid out once. Where a narrower chart lies in front of this one, side shares keep
    /// the edges that stay visible free of cut-off texts.
    void setFrame(const ChartFrame& frame, const QRect& place = QRect());
    ChartFrame frame() const;

    /// Where the chart draws anything, in its parent's coordinates: all of it but the side
    /// space.
    QRect drawnArea() const;

    /// The tooltip that hovering at `position` shows: the series and its value, a legend
    /// entry's whole name or an abbreviated label's whole text; empty where there is none.
    QString hoverText(const QPoint& position) const;

    /// While held (as often as released), the chart neither lays itself out nor draws new
    /// data: a chart about to take a new font, size and data does all of it once, when the last
    /// hold is released.
    void hold(bool held);

    /// A short text in the middle of the plot, for a chart with nothing to show ("No items");
    /// empty: none.
    void setNote(const QString& text);
    QString note() const;

    /// The whole names of the legend's entries, in order.
    const QStringList& legendNames() const { return m_legendNames; }
    /// Where each legend entry was laid out at the last replot, in widget coordinates.
    QList<QRect> legendEntryRects() const;

    bool legendShown() const { return m_legendShown; }
    /// True when every legend entry shows its whole name.
    bool legendWhole() const { return m_legendWhole; }
    /// The legend's text as drawn.
    QFont legendFont() const { return legend->font(); }

    /// The series (counted from 0 in the chart's rows) that legend entry `entry` stands for,
    /// or -1 for an entry that is no series (a band).
    virtual int legendSeries(int entry) const { return entry; }
    /// Draws each series as `emphasis` says, by series; series beyond it as usual.
    virtual void setEmphasis(const std::vector<SeriesEmphasis>& /*emphasis*/) {}

  signals:
    void clicked();
    /// A click on legend entry `entry`, counted from 0 in the legend's order.
    void legendEntryClicked(int entry);
    /// An arrow key: the next (Down, Right) or previous (Up, Left) series is to be highlighted.
    void highlightStepped(bool forward);

  protected:
    /// Shows `plottables` in the legend under `names`, in this order; every other plottable
    /// leaves the legend. True when the entries changed: the caller then relayouts.
    bool setLegendEntries(const QList<QCPAbstractPlottable*>& plottables, const QStringList& names);
    /// Sets the value axis title; a title longer than the axis is broken before its "(".
    void setValueAxisTitle(const QString& title);
    /// Puts the value axis on round numbers around `low`..`high`, keeping the range shown
    /// while it still fits the data well, so that small changes relayout nothing. True when
    /// the axis changed.
    bool showValueRange(double low, double high) { return showAxisRange(yAxis, low, high); }
    /// The same for `axis`, which must have a fixed-step ticker (the value axis has one).
    bool showAxisRange(QCPAxis* axis, double low, double high);
    /// A buffered layer named `name` just below the series' layer, for data drawn behind
    /// them; showData redraws it with the series.
    QCPLayer* addDataLayer(const QString& name);
    /// Shows new data: lays the chart out again when labels or legend entries changed,
    /// redraws it when an axis changed, else redraws only the series' layers.
    void showData(bool labelsChanged, bool axesChanged);
    /// The text of the horizontal axis labels changed: lays them out again, then replots.
    void relayout();

    /// Tooltip for a point of the plot area, or empty.
    virtual QString plotHoverText(const QPointF& position) const = 0;
    /// Tooltip for a point among the axis labels below or left of the plot, or empty.
    virtual QString labelHoverText(const QPointF& position) const;
    /// Sets the horizontal axis labels for the plot width now laid out.
    virtual void fitHorizontalLabels() = 0;
    /// Width a title centred under the plot may take: as far as the chart reaches on the
    /// nearer side, twice.
    int bottomTitleRoom() const;
    /// Pixels by which the horizontal axis labels stand out right of the plot.
    void setLabelOverhang(int pixels) { m_labelOverhang = pixels; }
    /// Applies what depends on the widget font besides the texts, such as line widths.
    virtual void restyle() {}
    /// Greys the legend names of faded series; `faded` by legend entry.
    void fadeLegendNames(const QList<bool>& faded);
    /// The colour of a faded series, or of a highlighted one.
    static QColor emphasized(QColor color, SeriesEmphasis emphasis);

    /// The widget font scaled by `factor`; every text of the chart is made from this.
    QFont chartFont(double factor) const;
    /// Width of lines: one pixel at the design font, whole pixels more when zoomed.
    double lineWidth() const;

    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void applyFonts();
    void fitLegend();
    void fitValueAxisTitle();
    int captionPixels() const;
    QMargins sideMargins() const;

    QStringList m_legendNames;
    QList<QCPLayer*> m_dataLayers;
    QCPItemText* m_note;
    QString m_valueTitle;
    double m_captionLines = 0;
    int m_labelOverhang = 0;
    double m_leftShare = 0;
    double m_rightShare = 0;
    QCPLayoutGrid* m_side;  // the legend's column
    bool m_legendShown = true;
    int m_holds = 0;
    bool m_relayoutHeld = false;
    bool m_dataHeld = false;
    bool m_heldLabelsChanged = false;
    bool m_heldAxesChanged = false;
    bool m_legendWhole = true;
    double m_legendShare;
    double m_smallestLegendFactor;
};

}  // namespace vorn
