#include "qt/window/system_colors.h"

namespace vorn {

QColor systemColor(SystemColor color, const QPalette& palette) {
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
