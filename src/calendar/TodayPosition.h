#pragma once

#include "base/TextFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plandeck {

// A rectangle on the desktop, in twips.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const TwipRect&, const TwipRect&) = default;
};

// A window's top-left corner on the desktop, in twips.
struct TwipPoint {
    int left = 0;
    int top = 0;

    friend bool operator==(const TwipPoint&, const TwipPoint&) = default;
};

// What a line of frmtoday.ini says about one coordinate.
struct StoredCoordinate {
    enum class Kind {
        Value,   // a number
        Default, // the line is empty or missing: the default position applies
        Keep,    // the line holds something else: the window stays where it is
    };
    Kind kind = Kind::Default;
    int value = 0;

    friend bool operator==(const StoredCoordinate&, const StoredCoordinate&) = default;
};

// The today window's remembered position: line 1 its left edge, line 2 its top edge.
struct StoredTodayPosition {
    StoredCoordinate left;
    StoredCoordinate top;

    friend bool operator==(const StoredTodayPosition&, const StoredTodayPosition&) = default;
};

StoredTodayPosition ParseTodayPosition(std::string_view bytes);
// The file frmtoday.ini; a missing file gives the default position.
StoredTodayPosition LoadTodayPosition(const std::string& path);

// The file's text: left and top in number form, CR LF after each.
std::string FormatTodayPosition(TwipPoint position);
WriteResult SaveTodayPosition(const std::string& path, TwipPoint position);

// The today window's size in twips (its client area).
inline constexpr int kTodayWindowWidth = 3000;
inline constexpr int kTodayWindowHeight = 1050;

// Where the today window opens when nothing is remembered: near the lower right corner of the main screen.
TwipPoint DefaultTodayPosition(const TwipRect& primaryScreen);

// Where the today window goes: the remembered coordinates, the default for a coordinate not stored, the
// current one for a line that does not read. A position from which too little of the window would be seen
// on any screen (a monitor since removed) gives the default position instead.
TwipPoint PlaceTodayWindow(const StoredTodayPosition& stored, TwipPoint current, const TwipRect& primaryScreen,
                           const std::vector<TwipRect>& screens, int windowWidth, int windowHeight);

} // namespace plandeck
