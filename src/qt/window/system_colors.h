#pragma once

#include <QColor>
#include <QPalette>

#include "shell/controls.h"
#include "tables/rgb.h"

namespace vorn {

/// Where the desktop gives no colour scheme of its own (the application's palette is its
/// style's standard one), the application takes the window's design colours (designColor):
/// highlight, tooltip background and the others. A desktop's colour scheme stays as it is. Done
/// once, before the first control is made.
void applyDesignColors();

/// True when the design colours are in force.
bool designColorsInForce();

/// The platform colour nearest to a named system colour, from `palette`; the design colour
/// while the design colours are in force.
QColor systemColor(SystemColor color, const QPalette& palette);

inline QColor qColor(Rgb color) {
    return QColor(color.red, color.green, color.blue);
}

}  // namespace vorn
