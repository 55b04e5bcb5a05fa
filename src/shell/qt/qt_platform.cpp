#include "shell/qt/qt_platform.h"

#include <QFileDialog>
#include <QImage>
#include <QInputDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>

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

bool printImage(const QImage& image, QPrinter& printer, QString* error) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (error != nullptr) {
            *error =
                QStringLiteral("the printer \"%1\" could not be opened").arg(printer.printerName());
        }
        return false;
    }
    // On screen the image has 96 logical pixels to the inch; on paper it keeps that size.
    const QSizeF logical = QSizeF(image.size()) / image.devicePixelRatio();
    QSizeF target = logical * (printer.resolution() / 96.0);
    const QRect page = painter.viewport();
    if (target.width() > page.width() || target.height() > page.height()) {
        target.scale(page.size(), Qt::KeepAspectRatio);
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRectF(QPointF(0, 0), target), image);
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
        dialog.setDefaultSuffix(filterSuffix(filters[selected - 1]));
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog](const QString& filter) { dialog.setDefaultSuffix(filterSuffix(filter)); });
    }
    if (!request.proposedName.empty()) {
        dialog.selectFile(qt(request.proposedName));
    }
}

std::optional<std::string> QtPlatform::fileName(const FileDialogRequest& request, bool save) {
    beforeDialog();
    QFileDialog dialog(m_window);
    prepareFileDialog(dialog, request, save);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst().toStdString();
}

std::optional<std::string> QtPlatform::openFileName(const FileDialogRequest& request) {
    return fileName(request, false);
}

std::optional<std::string> QtPlatform::saveFileName(const FileDialogRequest& request) {
    return fileName(request, true);
}

QImage QtPlatform::windowImage() const {
    if (m_window.isNull()) {
        return {};
    }
    // The client area "Trends" as a whole, also where the window scrolls it.
    QWidget* client = m_window->findChild<QWidget*>(QStringLiteral("Trends"));
    if (client == nullptr) {
        auto* main = qobject_cast<QMainWindow*>(m_window.data());
        client = main != nullptr && main->centralWidget() != nullptr ? main->centralWidget()
                                                                     : m_window.data();
    }
    return client->grab().toImage();
}

PrintResult QtPlatform::printWindow() {
    beforeDialog();
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, m_window);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted) {
        return {PrintOutcome::Cancelled, {}};
    }
    const QImage image = windowImage();
    if (image.isNull()) {
        return {PrintOutcome::Failed, "There is no window to print."};
    }
    QString error;
    if (!printImage(image, printer, &error)) {
        return {PrintOutcome::Failed, error.toStdString()};
    }
    return {PrintOutcome::Printed, {}};
}

void QtPlatform::showMessage(const std::string& title, const std::string& text) {
    beforeDialog();
    QMessageBox::warning(m_window, title.empty() ? applicationTitle() : qt(title), qt(text));
}

}  // namespace vorn
