#pragma once

#include <QList>
#include <QRectF>
#include <QStringList>
#include <array>

#include "qt/charts/chart_view.h"

namespace vorn {

/// A scatter chart of named points by two totals, with dashed lines at their means and the
/// four quadrants the lines make named in the corners of the plot. Every point is named
/// beside it; points at the same place share one label, a label that would cover another
/// (or a corner's name) moves to a free side, and a long label is shortened. A marked point
/// wears a ring. Hovering a point or its label shows the whole names and both values.
class InfluenceChartView : public ChartView {
    Q_OBJECT
  public:
    static constexpr int kMaxPoints = 20;

    struct Point {
        QString name;
        double x = 0;
        double y = 0;
        bool marked = false;  // ringed
        QString detail;       // a further line of its hover text; empty: none
    };
    /// The corners' names: top left, top right, bottom left, bottom right.
    using Corners = std::array<QString, 4>;

    explicit InfluenceChartView(QWidget* parent = nullptr);

    /// Shows `points` (at most kMaxPoints; a point that is not finite is left out) with
    /// the mean lines at `meanX` and `meanY`, the axes titled `xTitle` and `yTitle`.
    void setPoints(const QList<Point>& points, double meanX, double meanY, const Corners& corners,
                   const QString& xTitle, const QString& yTitle);

    /// The points drawn, in the order given.
    const QList<Point>& points() const { return m_points; }
    /// The labels as drawn and where, in widget coordinates.
    QStringList shownLabels() const;
    QList<QRectF> labelRects() const;
    /// The corners' names as drawn and where, in widget coordinates.
    QList<QRectF> cornerRects() const;
    /// Where a point is drawn, in widget coordinates.
    QPointF pixelOf(const Point& point) const;

  protected:
    QString plotHoverText(const QPointF& position) const override;
    void fitHorizontalLabels() override;
    void restyle() override;

  private:
    /// Puts each group of points at one place under one label, where it covers nothing, in
    /// a smaller font where the points crowd.
    void placeLabels();
    /// Lays the labels of the groups at `places` out in `font`; the number that found no free
    /// place.
    int layLabels(const QList<QPointF>& places, const QFont& font);
    QString groupText(const QList<int>& group) const;

    QCPGraph* m_scatter;
    QCPGraph* m_rings;
    QCPItemStraightLine* m_meanX;
    QCPItemStraightLine* m_meanY;
    std::array<QCPItemText*, 4> m_corners{};
    QList<QCPItemText*> m_labels;
    QList<QList<int>> m_groups;  // the points under each label shown
    QList<Point> m_points;
    QString m_xTitle;
};

}  // namespace vorn
