// The client area as a user meets it: every view can be brought back, every caption fits,
// the sliders and grids answer the keyboard and show focus, and a dialog never hides what
// the window has just done.

#include <QFileDialog>
#include <QHelpEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QToolTip>
#include <QtTest>

#include "qt/window/elided_label.h"
#include "qt/window/qt_platform.h"
#include "qt/window/slider_bar.h"
#include "support/pixels.h"
#include "support/window_fixture.h"
#include "tables/rgb.h"

using vorn::Control;

namespace {

vorn::Rgb rgb(const QColor& color) {
    return {static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
            static_cast<std::uint8_t>(color.blue())};
}

/// The tooltip a hover at `position` shows; empty for none.
QString toolTipAt(QWidget* widget, QPoint position) {
    QToolTip::hideText();  // fades out
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); })) {
        return QStringLiteral("(a tooltip that does not hide)");
    }
    QHelpEvent help(QEvent::ToolTip, position, widget->mapToGlobal(position));
    QApplication::sendEvent(widget, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

}  // namespace

class TrendsViewTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<vorn::testing::WindowFixture<vorn::QtPlatform>> m;

    vorn::TrendsView* view() const { return m->view(); }
    QWidget* control(Control id) const { return view()->widget(id); }

    /// Presses at a point of the client area on whatever is in front there.
    void pressAt(QPoint point, Qt::MouseButton button = Qt::LeftButton) {
        QWidget* target = view()->childAt(point);
        QVERIFY(target != nullptr);
        QTest::mouseClick(target, button, {}, target->mapFrom(view(), point));
    }
    QString frontGridAt(QPoint point) const {
        for (QWidget* widget = view()->childAt(point); widget != nullptr;
             widget = widget->parentWidget()) {
            if (qobject_cast<vorn::GridView*>(widget) != nullptr) {
                return widget->objectName();
            }
        }
        return {};
    }

  private slots:
    void init() { m = std::make_unique<vorn::testing::WindowFixture<vorn::QtPlatform>>(9); }
    void cleanup() {
        QToolTip::hideText();
        m.reset();
    }

    void everyOneLineDesignTextFitsItsBoxAtEveryZoom() {
        QVERIFY(m->show());  // the design-time texts, before start-up replaces some
        const QString family = vorn::TrendsView::designFont().family();
        for (int percent : {100, 67, 90, 150, 200}) {
            view()->setZoom(vorn::Zoom(percent));
            QCoreApplication::processEvents();
            qreal sliderCaptionPoints = 0;
            for (const vorn::OneLineText& text : vorn::oneLineDesignTexts()) {
                const QString line = QString::fromUtf8(text.line.data(), text.line.size());
                const QString where = QStringLiteral("%1 at %2 %: %3")
                                          .arg(control(text.control)->objectName())
                                          .arg(percent)
                                          .arg(line);
                QWidget* widget = control(text.control);
                QCOMPARE(widget->font().family(), family);
                QCOMPARE(widget->width(),
                         vorn::TrendsView::designRect(text.control, vorn::Zoom(percent)).width());
                if (auto* label = qobject_cast<vorn::ElidedLabel*>(widget)) {
                    QVERIFY2(!label->isElided(), qPrintable(where));
                    QVERIFY2(label->fontMetrics().height() <= label->height(), qPrintable(where));
                    continue;
                }
                // Lay the line out in the box itself: one line, within the box.
                auto* box = qobject_cast<vorn::TextBox*>(widget);
                box->showText(std::string(text.line));
                const QTextBlock block = box->document()->firstBlock();
                const int margin = qCeil(box->document()->documentMargin());
                QVERIFY2(block.layout()->lineCount() == 1, qPrintable(where));
                QVERIFY2(block.layout()->lineAt(0).naturalTextWidth() + 2 * margin +
                                 box->cursorWidth() <=
                             box->viewport()->width(),
                         qPrintable(where));
                QVERIFY2(box->fontMetrics().lineSpacing() + 2 * margin <= box->viewport()->height(),
                         qPrintable(where));
                if (box->lineWrapMode() == QPlainTextEdit::NoWrap) {  // the slider captions
                    QVERIFY(sliderCaptionPoints == 0 ||
                            box->font().pointSizeF() == sliderCaptionPoints);
                    sliderCaptionPoints = box->font().pointSizeF();
                }
            }
            QVERIFY(sliderCaptionPoints > 0);
        }
    }

    void longTextsAreElidedAndShownWholeAsATooltip() {
        QVERIFY(m->start(true));
        const std::string path =
            "Initial Scenario /home/teacher/Documents/Scenarios for the "
            "second term/Predators and prey/PredatorPrey.txt";
        m->trends.setText(Control::MatrixFile, path);
        view()->refresh();
        auto* label = m->find<vorn::ElidedLabel>("MatrixFile");
        QCOMPARE(label->text(), QString::fromStdString(path));
        QVERIFY(label->isElided());
        QVERIFY(label->shownText().startsWith("Initial"));
        QVERIFY(label->shownText().endsWith("\u2026/PredatorPrey.txt"));
        QVERIFY(label->fontMetrics().horizontalAdvance(label->shownText()) <= label->width());
        QCOMPARE(label->toolTip(), QString::fromStdString(path));

        auto* totals = m->grid("MSFlexTotals");
        QVERIFY(totals->cellTextElided(0, 0));  // "Totals/Uncertainty" in 1000 twips
        QCOMPARE(toolTipAt(totals->viewport(), totals->cellRect(0, 0).center()),
                 QString("Totals/Uncertainty"));
        QVERIFY(!totals->cellTextElided(0, 1));
        QCOMPARE(toolTipAt(totals->viewport(), totals->cellRect(0, 1).center()), QString());

        // Twenty items: narrow columns, where trailing blanks show nothing and shorten nothing.
        m->addItems(12);
        m->trends.MSFlexXImpact().setText(1, 1, "%          ");
        view()->refresh();
        auto* trend = m->grid("MSFlexXImpact");
        QVERIFY(trend->cellTextElided(0, 1));
        QVERIFY(!trend->cellTextElided(1, 1));
    }

    // In every grid a text stands at the left of its cell, halfway down.
    void cellTextsStandAtTheLeftHalfwayDown() {
        QVERIFY(m->start());
        view()->run([this] {
            m->trends.MSFlexXImpact().setText(2, 3, "8");
            m->trends.MSFlexTotals().setText(2, 3, "8");
            m->trends.MSFlexPolicy().setText(2, 3, "8");
        });
        for (const char* name : {"MSFlexXImpact", "MSFlexTotals", "MSFlexPolicy"}) {
            vorn::GridView* grid = m->grid(name);
            const QRect cell = grid->cellRect(2, 3);
            const QImage image = vorn::testing::shownImage(*grid->viewport());
            const QColor background = image.pixelColor(cell.bottomRight() - QPoint(3, 3));
            QRect ink;
            for (int y = cell.top() + 1; y < cell.bottom(); ++y) {
                for (int x = cell.left() + 1; x < cell.right(); ++x) {
                    if (vorn::testing::colorDistance(image.pixelColor(x, y), background) > 150) {
                        ink |= QRect(x, y, 1, 1);
                    }
                }
            }
            QVERIFY2(!ink.isEmpty() && ink.left() - cell.left() <= 4 &&
                         std::abs(ink.center().y() - cell.center().y()) <= 1,
                     qPrintable(QString("%1: the text stands at %2, %3 of %4 x %5")
                                    .arg(name)
                                    .arg(ink.left() - cell.left())
                                    .arg(ink.top() - cell.top())
                                    .arg(cell.width())
                                    .arg(cell.height())));
        }
    }

    // With eight items the Trend Matrix shows, below the Policy Matrix, only the grey area
    // beyond its last row: a press there must still bring it back.
    void aPressBesideTheCellsBringsTheGridBack() {
        QVERIFY(m->start(true));
        m->click("MSFlexPolicy", 1, 1);
        const QRect trend = vorn::TrendsView::designRect(Control::MSFlexXImpact);
        const QPoint strip(trend.left() + 200, trend.bottom() - 4);
        QCOMPARE(frontGridAt(strip), QString("MSFlexXImpact"));
        QCOMPARE(frontGridAt(trend.topLeft() + QPoint(20, 8)), QString("MSFlexPolicy"));
        const QString hint = m->boxText("Hints");
        const unsigned long projections = m->trends.projectionCount();

        pressAt(strip);
        QCOMPARE(frontGridAt(trend.topLeft() + QPoint(20, 8)), QString("MSFlexXImpact"));
        QCOMPARE(m->boxText("TextAnnual"),
                 QString("Scenario Trends- Forecast to  2040"));  // policies off
        QCOMPARE(m->boxText("Hints"), hint);
        QCOMPARE(m->trends.projectionCount(), projections + 1);
        m->click("MSFlexXImpact", 0, 0);
        QCOMPARE(m->grid("MSFlexXImpact")->model()->rowCount(), 10);

        // Twenty items: the strip holds the scroll bar, which still scrolls.
        m->addItems(10);
        m->click("MSFlexPolicy", 1, 1);
        auto* bar = m->grid("MSFlexXImpact")->horizontalScrollBar();
        QVERIFY(bar->isVisible() && bar->maximum() > 0);
        const QPoint onBar = bar->mapTo(view(), QPoint(bar->width() - 4, bar->height() / 2));
        QCOMPARE(frontGridAt(onBar), QString("MSFlexXImpact"));
        pressAt(onBar);  // the right arrow
        QCOMPARE(frontGridAt(trend.topLeft() + QPoint(20, 8)), QString("MSFlexXImpact"));
        QVERIFY(bar->value() > 0);
    }

    void slidersMoveTheNaturalWayAndNameTheirPosition() {
        QVERIFY(m->start(true));
        auto* time = m->find<vorn::SliderBar>("HScrollTime");
        time->setFocus();
        QTest::keyClick(time, Qt::Key_Right);
        QCOMPARE(time->value(), 3);
        QCOMPARE(m->boxText("TextAnnual"), QString("Scenario Trends- Forecast to  2060"));
        QCOMPARE(QToolTip::text(), QString("3 years per step, horizon 2060"));
        QTest::keyClick(time, Qt::Key_Up);
        QCOMPARE(time->value(), 4);
        QTest::keyClick(time, Qt::Key_Left);
        QTest::keyClick(time, Qt::Key_Down);
        QCOMPARE(m->trends.sliderValue(Control::HScrollTime), 2);

        // Dragging the thumb names the position but recalculates only at the release.
        const unsigned long projections = m->trends.projectionCount();
        time->setSliderDown(true);
        time->setSliderPosition(-5);
        QCOMPARE(QToolTip::text(), QString("-5 years per step, horizon 1900 (backcast)"));
        QCOMPARE(m->trends.projectionCount(), projections);
        time->setSliderDown(false);
        QCOMPARE(m->trends.projectionCount(), projections + 1);
        QCOMPARE(m->trends.sliderValue(Control::HScrollTime), -5);

        auto* step = m->find<vorn::SliderBar>("HScrollLags");
        QCOMPARE(toolTipAt(step, step->rect().center()),
                 QString("Click step 0.1 once set; clicks now step by 0.5"));
        QTest::keyClick(step, Qt::Key_Right);
        QCOMPARE(toolTipAt(step, step->rect().center()), QString("Click step 0.11"));
        auto* uncertainty = m->find<vorn::SliderBar>("HScrollUncert");
        QCOMPARE(toolTipAt(uncertainty, uncertainty->rect().center()),
                 QString("Uncertainty level 1 of 10"));
    }

    void theKeyboardStartsOnTheTotalsAndFocusIsMarked() {
        QVERIFY(m->start(true));
        QCOMPARE(QApplication::focusWidget(), control(Control::MSFlexTotals));
        const QColor highlight = m->window.palette().color(QPalette::Active, QPalette::Highlight);
        const auto edge = [](QWidget* widget) {
            return widget->grab().toImage().pixelColor(QPoint(1, widget->height() / 2));
        };
        QCOMPARE(edge(control(Control::MSFlexTotals)), highlight);
        QWidget* slider = control(Control::HScrollUncert);
        QVERIFY(edge(slider) != highlight);
        slider->setFocus();
        QCOMPARE(edge(slider), highlight);
        QVERIFY(edge(control(Control::MSFlexTotals)) != highlight);
    }

    void selectedCellsKeepTheirColourOnlyWhereItCanBeRead() {
        QVERIFY(m->start(true));
        for (const char* name : {"MSFlexPolicy", "MSFlexXImpact", "MSFlexTotals"}) {
            const QPalette colors = m->grid(name)->palette();
            QVERIFY2(vorn::contrastRatio(rgb(colors.color(QPalette::HighlightedText)),
                                         rgb(colors.color(QPalette::Highlight))) >= 4.5,
                     name);
        }
        // On a dark highlight the design's light cyan reads well and is kept.
        QPalette dark = m->window.palette();
        dark.setColor(QPalette::Highlight, QColor(0, 0, 128));
        QWidget parent;
        parent.setPalette(dark);
        const vorn::GridView grid(m->trends.MSFlexXImpact(),
                                  {QColor(192, 255, 255), QColor(128, 255, 255), true}, &parent);
        QCOMPARE(grid.palette().color(QPalette::HighlightedText), QColor(128, 255, 255));
    }

    void theOpenDialogShowsSelectMatrixFileMeanwhile() {
        QVERIFY(m->start(true));
        QString shownWhileOpen;
        QTimer poll;  // looks at the window once the dialog is up, then cancels it
        connect(&poll, &QTimer::timeout, this, [&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                poll.stop();
                shownWhileOpen = m->find<vorn::ElidedLabel>("MatrixFile")->text();
                dialog->reject();
            }
        });
        poll.start(10);
        m->trigger("mnuOpen");
        QCOMPARE(shownWhileOpen, QString("Select Matrix File"));
        QCOMPARE(m->find<vorn::ElidedLabel>("MatrixFile")->text(), QString("Input File"));
    }
};

QTEST_MAIN(TrendsViewTest)
#include "trends_view_test.moc"
