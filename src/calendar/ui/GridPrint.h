#pragma once

#include "calendar/HourGridModel.h"
#include "calendar/ui/HourGridWidget.h"

#include <QString>
#include <functional>

class QPrinter;

namespace plandeck {

// How the printed page is coloured.
enum class PrintColours {
    Skin,         // the grid as the window shows it: the skin's pictures and colours, the categories' colours
    BlackOnWhite, // for a plain printer: black lines and text on white, the tiles white with a black outline
};

// The grid's look for paper: as the skin gives it, or black on white.
HourGridLook PrintLook(const HourGridLook& skin, PrintColours colours);

// Prints the shown days onto a printer (or its PDF file) as one page: `title` on top and below it the hour grid,
// laid out for the room left by `modelFor` (a size in the printer's pixels) and painted by the grid's own
// painter. False when the printer (or the file) could not be opened.
bool PrintGrid(QPrinter& printer, const QString& title, const std::function<HourGridModel(int, int)>& modelFor,
               const HourGridLook& look, PrintColours colours);

} // namespace plandeck
