#pragma once

#include "settings/SkinColours.h"
#include "settings/SkinPalette.h"

#include <QColor>
#include <QPalette>

namespace plandeck {

// A skin's window colours as a Qt palette: every colour group, with the disabled group's text dimmed.
QPalette ToQPalette(const SkinPalette& colours);

// Gives the skin's colours to every window and dialog: the application's palette, which the windows, the
// message boxes, the pickers and the tooltips take unless they set a colour of their own. Called whenever the
// skin shown changes.
void ApplySkinPalette(const SkinColours& colours);

// The window colours given last (the designed light ones before any skin), for the colours a Qt palette has
// no role for: the warning red, the marked day.
const SkinPalette& ShownSkinPalette();

} // namespace plandeck
