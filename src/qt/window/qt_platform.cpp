#include "qt/window/qt_platform.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>

#include "qt/charts/chart_export.h"
#include "qt/window/client_area_painting.h"
#include "qt/window/trends_view.h"
#include "shell/controls.h"

namespace vorn {
namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

QString applicationTitle() {
    return QString::fromUtf8(kWindowTitle.data(), static_cast<qsizetype>(kWindowTitle.size()));
}

QString nameFilter(const FileFilter& filter) {
    QString patterns = qt(filter.pattern);
    patterns.replace(QChar(';'), QChar(' '));
    return QStringLiteral("%1 (%2)").arg(qt(filter.description), patterns);
}

/// The extension a filter such as "text file (*.txt)" stands for; empty for "*.*" or "*".
QString filterSuffix(const QString& filter) {
    static const QRegularExpression kSuffix(QStringLiteral("\\(\\*\\.([A-Za-z0-9_]+)[ )]"));
    const QRegularExpressionMatch match = kSuffix.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

}  // namespace

bool printClientArea(TrendsView& view, QPrinter& printer, QString* error) {
    // The controls lay their texts out for the screen's resolution; the printer takes that
    // resolution too, so that fonts keep their size against the controls. Its output stays
    // vector and is rendered at the printer's own resolution.
    printer.setResolution(view.logicalDpiY());
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (error != nullptr) {
            *error =
                QStringLiteral("the printer \"%1\" could not be opened").arg(printer.printerName());
        }
        return false;
    }
    paintClientArea(view, painter, QRectF(0, 0, printer.width(), printer.height()));
    painter.end();
    return true;
}

void QtPlatform::beforeDialog() const {
    if (m_beforeDialog) {
        m_beforeDialog();
    }
}

std::optional<std::string> QtPlatform::inputBox(const InputBoxRequest& request) {
    beforeDialog();
    QInputDialog dialog(m_window);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(request.title.empty() ? applicationTitle() : qt(request.title));
    dialog.setLabelText(qt(request.prompt));
    dialog.setTextValue(qt(request.defaultText));
    dialog.move(request.leftTwips / kTwipsPerPixel, request.topTwips / kTwipsPerPixel);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue().toStdString();
}

void prepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request, bool save) {
    dialog.setWindowTitle(qt(request.title));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.initialFolder.empty() && QFileInfo(qt(request.initialFolder)).isDir()) {
        dialog.setDirectory(qt(request.initialFolder));
    }
    QStringList filters;
    for (const FileFilter& filter : request.filters) {
        filters.append(nameFilter(filter));
    }
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int selected =
            std::clamp(request.selectedFilter, 1, static_cast<int>(filters.size()));
        dialog.selectNameFilter(filters[selected - 1]);
        // A name typed without extension gets the one of the selected filter, so the
        // proposed "Example1" opens Example1.txt and a typed "Revised" saves Revised.txt.
        // The question about replacing the file is left out where the name only leads
        // the names of the files written.
        const auto followFilter = [&dialog, filters, request](const QString& filter) {
            dialog.setDefaultSuffix(filterSuffix(filter));
            const qsizetype chosen = filters.indexOf(filter);
            dialog.setOption(QFileDialog::DontConfirmOverwrite,
                             chosen >= 0 && !request.filters[chosen].confirmReplace);
        };
        followFilter(filters[selected - 1]);
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followFilter);
    }
    if (!request.proposedName.empty()) {
        dialog.selectFile(qt(request.proposedName));
    }
}

std::optional<SaveChoice> QtPlatform::fileName(const FileDialogRequest& request, bool save) {
    beforeDialog();
    QFileDialog dialog(m_window);
    prepareFileDialog(dialog, request, save);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const int filter = static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter()));
    return SaveChoice{dialog.selectedFiles().constFirst().toStdString(),
                      filter >= 0 ? filter + 1 : request.selectedFilter};
}

std::optional<std::string> QtPlatform::openFileName(const FileDialogRequest& request) {
    std::optional<SaveChoice> choice = fileName(request, false);
    return choice ? std::optional<std::string>(std::move(choice->path)) : std::nullopt;
}

std::optional<std::string> QtPlatform::saveFileName(const FileDialogRequest& request) {
    std::optional<SaveChoice> choice = fileName(request, true);
    return choice ? std::optional<std::string>(std::move(choice->path)) : std::nullopt;
}

std::optional<SaveChoice> QtPlatform::saveFileChoice(const FileDialogRequest& request) {
    return fileName(request, true);
}

TrendsView* QtPlatform::clientArea() const {
    if (auto* view = qobject_cast<TrendsView*>(m_window.data())) {
        return view;
    }
    // The client area "Trends", also where the window scrolls it.
    return m_window.isNull() ? nullptr : m_window->findChild<TrendsView*>();
}

PrintResult QtPlatform::printWindow() {
    TrendsView* view = clientArea();
    if (view == nullptr) {
        return {PrintOutcome::Failed, "there is no window to print"};
    }
    beforeDialog();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(view->width() > view->height() ? QPageLayout::Landscape
                                                              : QPageLayout::Portrait);
    QPrintDialog dialog(&printer, m_window);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted) {
        return {PrintOutcome::Cancelled, {}};
    }
    QString error;
    if (!printClientArea(*view, printer, &error)) {
        return {PrintOutcome::Failed, error.toStdString()};
    }
    return {PrintOutcome::Printed, {}};
}

DrawnFile QtPlatform::drawChartFile(const std::string& type, const ChartPicture& charts) {
    DrawnFile drawn;
    if (!vorn::drawChartFile(type, charts.levels, charts.contributions, charts.spread,
                             charts.itemNames, charts.trendsCaption, charts.contributionsCaption,
                             charts.spreadCaption, &drawn.bytes, &drawn.error,
                             {charts.bands.empty() ? nullptr : &charts.bands, charts.bandNames},
                             charts.comparisons) &&
        drawn.error.empty()) {
        drawn.error = "the charts could not be drawn";
    }
    return drawn;
}

void QtPlatform::showMessage(const std::string& title, const std::string& text) {
    beforeDialog();
    QMessageBox::warning(m_window, title.empty() ? applicationTitle() : qt(title), qt(text));
}

bool QtPlatform::askToReplace(const std::string& question) {
    beforeDialog();
    return QMessageBox::question(m_window, applicationTitle(), qt(question),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

CloseAnswer QtPlatform::askSaveChanges(const std::string& question) {
    beforeDialog();
    QMessageBox box(QMessageBox::Question, applicationTitle(), qt(question),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, m_window);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Save:
            return CloseAnswer::Save;
        case QMessageBox::Discard:
            return CloseAnswer::Discard;
        default:
            return CloseAnswer::Cancel;
    }
}

}  // namespace vorn
