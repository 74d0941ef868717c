#pragma once

#include <string>

namespace plandeck {

// A rectangle in the grid's drawing units (twips).
struct TileRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;

    float right() const { return left + width; }
    float bottom() const { return top + height; }
};

// One note tile: the coloured rectangle, its text label and its resize grip.
struct NoteTile {
    static constexpr int SlotCount = 201; // slots 0..200; slot 0 is never filled
    static constexpr float GripInset = 30;
    static constexpr float GripHeight = 100;

    int slot = 0;
    int column = 0;
    int category = 0;
    TileRect shape;
    TileRect label;
    float gripLeft = 0;
    float gripTop = 0;
    long fillColour = 0xFFFFFF;
    std::string caption;
    std::string tooltip;
    std::string text;       // the note's text alone
    std::string line;       // the notes-file line the tile was built from, to notice a file changed since
    int tag = 0;            // the note's line number in the notes file
    std::string spokenName; // what a screen reader says of it: day, times, category and text
    bool visible = false;
};

// A category name printed over its sub-column in the single-day view.
struct SubColumnCaption {
    float x = 0;
    float y = 0;
    std::string name;
    friend bool operator==(const SubColumnCaption&, const SubColumnCaption&) = default;
};

} // namespace plandeck
