#include "qt/window/system_colors.h"

#include <QApplication>
#include <QStyle>

#include "shell/design_colors.h"

namespace vorn {
namespace {

bool g_decided = false;
bool g_designColors = false;

}  // namespace

void applyDesignColors() {
    if (g_decided) {
        return;
    }
    g_decided = true;
    QPalette colors = QApplication::palette();
    if (QApplication::style() == nullptr || colors != QApplication::style()->standardPalette()) {
        return;  // the desktop's own colour scheme
    }
    g_designColors = true;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        colors.setColor(group, QPalette::Highlight, qColor(designColor(SystemColor::Highlight)));
        colors.setColor(group, QPalette::HighlightedText, qColor(kDesignHighlightedText));
    }
    colors.setColor(QPalette::ToolTipBase, qColor(designColor(SystemColor::InfoBackground)));
    colors.setColor(QPalette::ToolTipText, qColor(designColor(SystemColor::WindowText)));
    colors.setColor(QPalette::WindowText, qColor(designColor(SystemColor::WindowText)));
    colors.setColor(QPalette::Window, qColor(kDesignWindow));
    colors.setColor(QPalette::Shadow, qColor(designColor(SystemColor::DarkShadow3D)));
    colors.setColor(QPalette::Light, qColor(designColor(SystemColor::Light3D)));
    QApplication::setPalette(colors);
}

bool designColorsInForce() {
    return g_designColors;
}

QColor systemColor(SystemColor color, const QPalette& palette) {
    if (g_designColors) {
        return qColor(designColor(color));
    }
    switch (color) {
        case SystemColor::InfoBackground:
            return palette.color(QPalette::ToolTipBase);
        case SystemColor::Highlight:
            return palette.color(QPalette::Active, QPalette::Highlight);
        case SystemColor::ActiveCaption:
            // No palette role names the title bar; a darker highlight is the nearest.
            return palette.color(QPalette::Active, QPalette::Highlight).darker(150);
        case SystemColor::DarkShadow3D:
            return palette.color(QPalette::Shadow);
        case SystemColor::Light3D:
            return palette.color(QPalette::Light);
        case SystemColor::WindowText:
            return palette.color(QPalette::WindowText);
    }
    return palette.color(QPalette::WindowText);
}

}  // namespace vorn
