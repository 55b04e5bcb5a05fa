#pragma once

#include <QColor>
#include <QPalette>

#include "shell/controls.h"

namespace vorn {

/// The platform colour nearest to a named system colour, from `palette`.
QColor systemColor(SystemColor color, const QPalette& palette);

}  // namespace vorn
