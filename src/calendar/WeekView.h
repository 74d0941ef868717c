#pragma once

namespace plandeck {

// The geometry of the hour grid, in the grid picture's drawing units (twips, 15 to a pixel). The grid was
// designed on a 708 x 443 pixel picture and scales with it: the columns span 9600 units from 780, the hours
// 5680 units from 520.
struct WeekView {
    static constexpr double DesignWidth = 708;
    static constexpr double DesignHeight = 443;
    static constexpr int TwipsPerPixel = 15;

    int days = 7;
    int firstHour = 8;
    int lastHour = 20;
    double hScale = 1;
    double vScale = 1;
    float gridLeft = 780;
    float gridTop = 520;
    float gridRight = 10380;
    float gridBottom = 6200;
    float columnWidth = 9600.0f / 7;
    float hourHeight = 5680.0f / 12;

    // The geometry for a grid picture of the given size in pixels. A day count below 1 or an empty hour
    // range would divide by zero; they are treated as one day and one hour.
    static WeekView Compute(int pictureWidthPx, int pictureHeightPx, int days, int firstHour, int lastHour);

    float columnLeft(int column) const { return gridLeft + static_cast<float>(column) * columnWidth; }
    // The top of a time of day; hours before the first one lie above the grid.
    float timeTop(int hour, int minute) const {
        return gridTop + hourHeight * static_cast<float>(hour - firstHour) +
               hourHeight * static_cast<float>(minute) / 60;
    }
};

} // namespace plandeck
