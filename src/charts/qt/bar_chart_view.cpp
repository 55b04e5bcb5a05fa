#include "charts/qt/bar_chart_view.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCursor>
#include <QMouseEvent>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <limits>

#include "charts/qt/chart_style.h"

namespace vorn {

BarChartView::BarChartView(QWidget* parent) : QChartView(parent) {
    auto* chart = new QChart();
    charts::applyChartStyle(chart);
    m_series = new QBarSeries(chart);
    chart->addSeries(m_series);
    m_axisX = new QBarCategoryAxis(chart);
    m_axisY = charts::addAxes(chart, m_axisX, -1, 1);
    m_series->attachAxis(m_axisX);
    m_series->attachAxis(m_axisY);
    for (int i = 0; i < kMaxSets; ++i) {
        auto* set = new QBarSet(QString());
        set->setColor(charts::seriesColor(i));
        set->setBorderColor(charts::seriesColor(i).darker(130));
        // With many items the legend is cut short: hovering a bar names it.
        connect(set, &QBarSet::hovered, this,
                [this, set](bool entered, int index) { showBarTip(set, entered, index); });
        m_pool.append(set);
    }
    setChart(chart);
}

BarChartView::~BarChartView() {
    // Sets taken out of the series belong to this view; those in it to the series.
    for (int i = m_shown; i < m_pool.size(); ++i) {
        delete m_pool[i];
    }
}

void BarChartView::showSets(int count) {
    count = std::clamp(count, 0, static_cast<int>(m_pool.size()));
    while (m_shown > count) {
        --m_shown;
        m_series->take(m_pool[m_shown]);
    }
    while (m_shown < count) {
        m_series->append(m_pool[m_shown]);
        ++m_shown;
    }
}

void BarChartView::setTable(const ChartTable& table) {
    const int categories = std::max(table.columns() - 1, 0);
    const int sets = std::max(table.rows() - 1, 0);
    QStringList labels;
    for (int c = 1; c <= categories; ++c) {
        labels.append(charts::fromTableText(table.text(0, c)));
    }
    labels = charts::uniqueLabels(labels);
    if (labels != m_categories) {
        m_axisX->clear();
        m_axisX->append(labels);
        m_categories = labels;
    }

    showSets(sets);
    double low = 0;
    double high = 0;
    for (int r = 1; r <= m_shown; ++r) {
        QBarSet* set = m_pool[r - 1];
        QString name = charts::fromTableText(table.text(r, 0));
        if (name.isEmpty()) {
            name = QString::number(r);
        }
        if (set->label() != name) {
            set->setLabel(name);
        }
        QList<qreal> values;
        values.reserve(categories);
        for (int c = 1; c <= categories; ++c) {
            const double* value = table.number(r, c);
            double y = 0;
            if (value != nullptr && charts::drawableValue(*value, &y)) {
                low = std::min(low, y);
                high = std::max(high, y);
            } else {
                y = 0;
            }
            values.append(y);
        }
        if (set->count() > 0) {
            set->remove(0, set->count());
        }
        set->append(values);
    }
    charts::rescaleAxis(m_axisY, low, high);
}

QStringList BarChartView::setNames() const {
    QStringList names;
    for (int i = 0; i < m_shown; ++i) {
        names.append(m_pool[i]->label());
    }
    return names;
}

QList<qreal> BarChartView::setValues(int row) const {
    QList<qreal> values;
    if (row < 1 || row > m_shown) {
        return values;
    }
    const QBarSet* set = m_pool[row - 1];
    for (int i = 0; i < set->count(); ++i) {
        values.append(set->at(i));
    }
    return values;
}

QStringList BarChartView::categories() const {
    return m_categories;
}

void BarChartView::showBarTip(const QBarSet* set, bool entered, int index) {
    if (!entered || index < 0 || index >= set->count()) {
        QToolTip::hideText();
        return;
    }
    const QString receiver = index < m_categories.size() ? m_categories[index] : QString();
    QToolTip::showText(QCursor::pos(),
                       QStringLiteral("%1 \u2192 %2: %3")
                           .arg(set->label(), receiver, QString::number(set->at(index), 'g', 4)),
                       this);
}

void BarChartView::mousePressEvent(QMouseEvent* event) {
    QChartView::mousePressEvent(event);
    emit clicked();
}

void BarChartView::drawInto(QPainter& painter, const QRectF& target) {
    render(&painter, target, rect(), Qt::IgnoreAspectRatio);
}

}  // namespace vorn
