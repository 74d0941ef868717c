#pragma once

#include "settings/SkinColours.h"

namespace plandeck {

// The colours every window and dialog of the program takes from the skin shown: grounds and the inks written
// on them, as 0x00BBGGRR values. A dark skin gives dark windows, a light one light windows; every ink is
// readable on its ground (at least ReadableContrast), whatever the colour list says.
struct SkinPalette {
    bool dark = false;
    long window = 0;          // the ground of a window and of its labels
    long windowText = 0;      // text on it
    long base = 0;            // lists and text boxes
    long text = 0;            // text in them
    long alternateBase = 0;   // every other row of a list
    long button = 0;          // push buttons
    long buttonText = 0;      // their captions
    long highlight = 0;       // a chosen row, a marked day
    long highlightedText = 0; // text on it
    long link = 0;            // a web address
    long warningText = 0;     // a field or step that is not valid yet, on `base` and on `window`
    long disabledText = 0;    // text of a control that cannot be used (need not be readable)
    long frame = 0;           // lines around boxes and between parts
    long toolTipBase = 0;
    long toolTipText = 0;
};

// The windows' colours for a skin's colour list: the hint line's ground (line 16) is the windows' ground, the
// commands' colour (line 11) their text, the note menu's highlight (line 21) the highlight and the web
// address's colour (line 9) the links'. What the list does not give takes the designed light colours.
SkinPalette PaletteOfSkin(const SkinColours& colours);

// `a` and `b` mixed: `share` 0 gives a, 1 gives b.
long MixColours(long a, long b, double share);

} // namespace plandeck
