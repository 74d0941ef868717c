#pragma once

#include "calendar/DayColumn.h"
#include "calendar/NoteTile.h"
#include "calendar/WeekView.h"
#include "notes/NotesStore.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace plandeck {

enum class MalformedAnswer {
    Remove, // rewrite the notes file without the damaged lines and start over
    Keep,   // leave them in the file; they get no tile
    Quit,   // end the program at once
};

// A damaged line of the notes file (2 to 16 characters: too short to be a note).
struct DamagedLine {
    int lineNumber = 0;
    std::string text;
    friend bool operator==(const DamagedLine&, const DamagedLine&) = default;
};

// The one question a refresh asks about the damaged lines it met: the first few of them, and how many more.
struct DamagedLinesQuestion {
    static constexpr std::size_t ListedAtMost = 10;

    std::vector<DamagedLine> listed; // in file order
    int moreCount = 0;               // damaged lines found beyond the listed ones
};

// What the refresh reads besides the notes file.
struct WeekRefreshInput {
    WeekView view;
    std::span<const DayColumn> columns; // at least view.days entries
    // The category table: 101 names, colour texts and shown flags.
    std::span<const std::string> categoryNames;
    std::span<const std::string> categoryColours;
    std::span<const std::string> categoryShown;
    // Asked at most once per refresh, when the file holds damaged lines. Remove takes every damaged line
    // out of the file (all other lines stay as they are, in their order).
    std::function<MalformedAnswer(const DamagedLinesQuestion&)> askMalformed;
    // The notes file as a command has just written it whole, so the refresh need not read it again.
    const std::string* notesBytes = nullptr;
};

struct WeekRefreshResult {
    std::vector<NoteTile> tiles; // the placed tiles, in slot order (tiles[i].slot == i + 1)
    std::vector<SubColumnCaption> captions;
    // A note that still carries the placeholder text: the editor opens on it.
    int editedLine = 0;
    TileRect editorRect;
    bool quit = false;                   // the user chose to end the program
    std::vector<std::string> saveErrors; // a removal of damaged lines that could not be saved
    // The notes file could not be read whole: the tiles show what was read, and nothing may be written to
    // the file until a read succeeds. Empty when the read went well (or the file is missing).
    std::string readFailure;
};

// The text a note created by a drop carries until the user types its text.
inline constexpr const char* PlaceholderText = "no text";

// Rebuilds every tile from the notes file for the shown columns: matching dates (with the "every year",
// "every month", "every day" wildcards and weekday masks), the hour range and the category filter, placing
// each tile by time, laying out notes that overlap in time side by side, and in the single-day view giving
// every shown category its own sub-column.
WeekRefreshResult WeekRefresh(const NotesStore& store, const WeekRefreshInput& input);

// The same from notes held in memory: `candidates` are the 0-based indexes (ascending) of the lines that may
// fall in the shown columns (every other line is passed over). Nothing is asked and nothing is written: the
// damaged lines are the caller's.
WeekRefreshResult WeekRefreshFromLines(const TextLines& lines, std::span<const std::uint32_t> candidates,
                                       const WeekRefreshInput& input);

// The caption of a tile: "9:30-11:00 Meeting".
std::string TileCaption(std::string_view line);
// The start and the end time as the caption writes them: "9:30", "11:00".
std::string TileStartTime(std::string_view line);
std::string TileEndTime(std::string_view line);

} // namespace plandeck
