#include "shell/design_colors.h"

namespace vorn {

Rgb designColor(SystemColor color) {
    switch (color) {
        case SystemColor::InfoBackground:
            return {255, 255, 220};
        case SystemColor::Highlight:
            return {31, 95, 153};
        case SystemColor::ActiveCaption:
            return {27, 78, 126};
        case SystemColor::DarkShadow3D:
            return {64, 64, 64};
        case SystemColor::Light3D:
            return {255, 255, 255};
        case SystemColor::WindowText:
            return {0, 0, 0};
    }
    return {0, 0, 0};
}

}  // namespace vorn
