#include "qt/charts/chart_export.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>

#include "qt/charts/bar_chart_view.h"
#include "qt/charts/chart_style.h"
#include "qt/charts/chart_view.h"
#include "qt/charts/line_chart_view.h"

namespace vorn {
namespace {

constexpr int kPageWidth = 900;
constexpr int kChartHeight = 330;

void fail(std::string* error, const QString& message) {
    if (error != nullptr) {
        *error = message.toStdString();
    }
}

/// The three captioned charts, laid out one below the other, never shown on screen. It is
/// painted through the charts' own vector drawing, so every format gets lines and text.
class ChartPage : public QWidget {
  public:
    ChartPage(const ChartTable& levels, const ChartTable& contributions, const ChartTable& spread,
              const std::vector<std::string>& itemNames, const std::string& trendsCaption,
              const std::string& contributionsCaption, const std::string& spreadCaption,
              const ChartBands& spreadBands, const std::vector<ComparisonLines>& comparisons) {
        setAttribute(Qt::WA_DontShowOnScreen);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(8, 8, 8, 8);
        layout->setSpacing(4);

        auto* trends = new LineChartView(this);
        auto* contribs = new BarChartView(this);
        auto* spreads = new LineChartView(this);
        addPanel(layout, trendsCaption, trends);
        addPanel(layout, contributionsCaption, contribs);
        addPanel(layout, spreadCaption, spreads);
        resize(kPageWidth, sizeHint().height());
        // Lay the charts out at their final size before the data goes in, so the axis
        // labels are chosen for the width they are drawn at.
        show();
        QApplication::processEvents();
        trends->setTable(levels, itemNames, {}, comparisons);
        contribs->setTable(contributions);
        spreads->setTable(spread, charts::runNames(spread.rows() - 1), spreadBands);
    }

    void paintPage(QPainter& painter) {
        painter.fillRect(rect(), Qt::white);
        for (const auto& [caption, chart] : m_panels) {
            painter.setFont(caption->font());
            painter.setPen(Qt::black);
            painter.drawText(caption->geometry(), Qt::AlignLeft | Qt::AlignVCenter,
                             caption->text());
            chart->drawInto(painter, chart->geometry());
        }
    }

  private:
    void addPanel(QVBoxLayout* layout, const std::string& caption, ChartView* chart) {
        auto* label =
            new QLabel(charts::fromTableText(caption).replace("\r\n", "\n").trimmed(), this);
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        layout->addWidget(label);
        chart->setFixedHeight(kChartHeight);
        layout->addWidget(chart);
        m_panels.append({label, chart});
    }

    QList<std::pair<QLabel*, ChartView*>> m_panels;
};

}  // namespace

bool drawChartFile(const std::string& type, const ChartTable& levels,
                   const ChartTable& contributions, const ChartTable& spread,
                   const std::vector<std::string>& itemNames, const std::string& trendsCaption,
                   const std::string& contributionsCaption, const std::string& spreadCaption,
                   std::string* bytes, std::string* error, const ChartBands& spreadBands,
                   const std::vector<ComparisonLines>& comparisons) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        fail(error, QStringLiteral("Drawing charts needs a QApplication."));
        return false;
    }
    const QString suffix = QString::fromStdString(type).toLower();
    if (suffix != "png" && suffix != "svg" && suffix != "pdf") {
        fail(error,
             QStringLiteral("Unknown chart file type \"%1\": use .png, .svg or .pdf.").arg(suffix));
        return false;
    }

    ChartPage page(levels, contributions, spread, itemNames, trendsCaption, contributionsCaption,
                   spreadCaption, spreadBands, comparisons);
    const QSize size = page.size();
    QByteArray drawn;
    QBuffer buffer(&drawn);
    buffer.open(QIODevice::WriteOnly);
    bool painted = false;

    if (suffix == "png") {
        // Twice the pixels of the page, for handouts that stay sharp when printed.
        QImage image(size * 2, QImage::Format_RGB32);
        image.setDevicePixelRatio(2);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        page.paintPage(painter);
        painted = painter.end() && !image.isNull() && image.save(&buffer, "PNG");
    } else if (suffix == "svg") {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(QStringLiteral("Halvorine (VORN) Model charts"));
        QPainter painter;
        if (painter.begin(&svg)) {
            page.paintPage(painter);
            painted = painter.end();
        }
    } else {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(96);
        pdf.setPageSize(QPageSize(QSizeF(size) * 72.0 / 96.0, QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (painter.begin(&pdf)) {
            page.paintPage(painter);
            painted = painter.end();
        }
    }
    buffer.close();
    if (!painted || drawn.isEmpty()) {
        fail(error, QStringLiteral("the %1 drawing could not be made").arg(suffix.toUpper()));
        return false;
    }
    if (bytes != nullptr) {
        bytes->assign(drawn.constData(), static_cast<std::size_t>(drawn.size()));
    }
    return true;
}

}  // namespace vorn
