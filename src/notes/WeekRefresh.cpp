#include "notes/WeekRefresh.h"

#include "base/NumberForm.h"
#include "notes/CategoryColour.h"
#include "notes/Note.h"
#include "notes/NotesFile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <tuple>

namespace plandeck {

namespace {

constexpr long White = 16777215;

float Round(double v) {
    return static_cast<float>(std::nearbyint(v));
}

// The day of a column as a number when its text is a plain decimal without leading zeros, else -1: such a
// text can only equal the decimal text of a day code value when the numbers are equal.
int CanonicalNumber(const std::string& text) {
    return text.starts_with('0') ? -1 : PlainDecimal(text, 9);
}

// Category data looked up once per refresh instead of once per note.
struct CategoryLookup {
    std::vector<bool> shown;
    std::vector<long> colour;
    // The single-day view's sub-column start (design units) of each category, or -1 when it has none.
    std::vector<int> subColumnStart;
    int shownNamed = 0; // the number of sub-columns

    explicit CategoryLookup(const WeekRefreshInput& in) {
        const std::size_t n = Note::CategoryCount;
        shown.assign(n, true);
        colour.assign(n, White);
        subColumnStart.assign(n, -1);
        for (std::size_t i = 0; i < n; ++i) {
            if (i < in.categoryShown.size())
                shown[i] = FlagValue(in.categoryShown[i]);
            // The category panel's rule, so a tile has the colour its category shows in the panel.
            if (i < in.categoryColours.size())
                colour[i] = CategoryColourValue(in.categoryColours[i]);
        }
        // Shown categories up to the first one without a name each get a sub-column.
        for (std::size_t i = 0; i < n && i < in.categoryNames.size() && !in.categoryNames[i].empty(); ++i)
            if (shown[i])
                ++shownNamed;
        if (shownNamed == 0)
            return;
        const int step = static_cast<int>(std::nearbyint(9600.0 / shownNamed));
        std::size_t f = 0;
        for (int x0 = 780; x0 <= 9180; x0 += step) {
            while (f < n && !FlagOf(in, f))
                ++f;
            if (f >= n)
                break;
            subColumnStart[f] = x0;
            ++f;
        }
    }

    // The shown flag as stored: an index without a record counts as shown.
    static bool FlagOf(const WeekRefreshInput& in, std::size_t i) {
        return i >= in.categoryShown.size() || FlagValue(in.categoryShown[i]);
    }
};

// A placed tile's shown time, in minutes of the day: [start, end). A tile of no duration still takes the
// minute it starts in, so it sits beside a note starting at the same time but not beside one ending then.
struct Span {
    int start = 0;
    int end = 0;
    bool overlaps(const Span& o) const { return start < o.end && o.start < end; }
};

// Lays out one lane (a column, or a category's sub-column in the single-day view): notes that overlap in
// time are put side by side. Groups of notes chained by overlaps share the lane's width in as many tracks
// as the group needs; the newest note of a group takes the leftmost track, then the others in file order
// each take the leftmost track no overlapping note has taken, and every tile widens to the right over the
// tracks no note overlapping it uses.
void LayOutLane(std::vector<NoteTile>& tiles, const std::vector<Span>& spans, std::vector<std::size_t> lane) {
    std::sort(lane.begin(), lane.end(),
              [&](std::size_t a, std::size_t b) { return std::tie(spans[a].start, a) < std::tie(spans[b].start, b); });
    std::size_t first = 0;
    while (first < lane.size()) {
        // A group: every following note that starts before the group's latest end.
        std::size_t last = first + 1;
        int groupEnd = spans[lane[first]].end;
        while (last < lane.size() && spans[lane[last]].start < groupEnd) {
            groupEnd = std::max(groupEnd, spans[lane[last]].end);
            ++last;
        }
        std::vector<std::size_t> group(lane.begin() + static_cast<std::ptrdiff_t>(first),
                                       lane.begin() + static_cast<std::ptrdiff_t>(last));
        first = last;
        if (group.size() == 1)
            continue;
        // Newest first, then file order.
        std::sort(group.begin(), group.end());
        std::rotate(group.begin(), group.end() - 1, group.end());

        std::vector<int> track(group.size(), 0);
        int tracks = 0;
        for (std::size_t i = 0; i < group.size(); ++i) {
            std::vector<bool> taken(group.size(), false);
            for (std::size_t j = 0; j < i; ++j)
                if (spans[group[i]].overlaps(spans[group[j]]))
                    taken[static_cast<std::size_t>(track[j])] = true;
            int t = 0;
            while (taken[static_cast<std::size_t>(t)])
                ++t;
            track[i] = t;
            tracks = std::max(tracks, t + 1);
        }
        if (tracks == 1)
            continue;
        const TileRect lane0 = tiles[group[0]].shape;
        const double share = static_cast<double>(lane0.width) / tracks;
        for (std::size_t i = 0; i < group.size(); ++i) {
            int reach = tracks;
            for (std::size_t j = 0; j < group.size(); ++j)
                if (j != i && track[j] > track[i] && spans[group[i]].overlaps(spans[group[j]]))
                    reach = std::min(reach, track[j]);
            NoteTile& t = tiles[group[i]];
            t.shape.left = static_cast<float>(lane0.left + track[i] * share);
            t.shape.width = static_cast<float>((reach - track[i]) * share);
        }
    }
}

class Refresh {
public:
    explicit Refresh(const WeekRefreshInput& in) : m_in(in), m_categories(in) {
        const int days = std::min<int>(in.view.days, static_cast<int>(in.columns.size()));
        for (int j = 0; j < days; ++j) {
            const DayColumn& c = in.columns[static_cast<std::size_t>(j)];
            MonthGroup* group = nullptr;
            for (MonthGroup& g : m_months)
                if (g.year == c.year && g.month == c.month)
                    group = &g;
            if (!group) {
                m_months.push_back({c.year, c.month});
                group = &m_months.back();
                group->plainYear = c.year.size() == 4;
                // A one-character month is written with a leading "0"; a two-character one as it is, unless
                // it starts with "0" (the field "0x" reads as "x", never as "0x").
                if (c.month.size() == 1) {
                    group->plainMonth = true;
                    group->monthField = {'0', c.month[0]};
                } else if (c.month.size() == 2 && c.month[0] != '0') {
                    group->plainMonth = true;
                    group->monthField = {c.month[0], c.month[1]};
                }
            }
            const auto bit = static_cast<std::uint16_t>(1u << j);
            group->all |= bit;
            const int day = CanonicalNumber(c.day);
            if (day >= 0 && day <= 31)
                group->byDay[static_cast<std::size_t>(day)] |= bit;
            if (c.weekday >= 1 && c.weekday <= 7)
                group->byWeekday[static_cast<std::size_t>(c.weekday - 1)] |= bit;
        }
    }

    // From notes held in memory: only the candidate lines are looked at; nothing is asked or written.
    WeekRefreshResult runOnLines(const TextLines& lines, std::span<const std::uint32_t> candidates) {
        WeekRefreshResult result;
        result.tiles.reserve(candidates.size() < 64 ? candidates.size() : 64);
        for (const std::uint32_t i : candidates) {
            const std::string_view line = lines.line(i);
            if (line.size() >= static_cast<std::size_t>(Note::HeaderLength))
                placeInColumns(line, static_cast<int>(i) + 1, result);
        }
        finish(result);
        return result;
    }

    WeekRefreshResult run(const NotesStore& store) {
        WeekRefreshResult result;
        // Bytes just written by a command need no second read; a read of them cannot have failed.
        ReadResult file;
        if (m_in.notesBytes) {
            file.exists = true;
            file.status = ReadStatus::Read;
        } else {
            file = ReadWholeFile(store.path());
        }
        std::vector<DamagedLine> damaged = scan(m_in.notesBytes ? *m_in.notesBytes : file.bytes, result);
        if (file.failed()) {
            // What could be read is shown; nothing is offered for removal from a file that was not read whole.
            result.readFailure = file.error;
        } else if (!damaged.empty() && m_in.askMalformed) {
            DamagedLinesQuestion question;
            const std::size_t listed = std::min(damaged.size(), DamagedLinesQuestion::ListedAtMost);
            question.listed.assign(damaged.begin(), damaged.begin() + static_cast<std::ptrdiff_t>(listed));
            question.moreCount = static_cast<int>(damaged.size() - listed);
            switch (m_in.askMalformed(question)) {
            case MalformedAnswer::Keep:
                break;
            case MalformedAnswer::Quit:
                result.quit = true;
                return result;
            case MalformedAnswer::Remove: {
                // Through the file's owner, as every write: another program's change meanwhile is never lost.
                NotesFile owner(store.path());
                owner.refresh();
                const ChangeOutcome removed = owner.apply(owner.damagedLines());
                if (!removed.done()) {
                    result.saveErrors.push_back(removed.error.empty() ? std::string("The notes file changed meanwhile.")
                                                                      : removed.error);
                    break;
                }
                // The lines are numbered anew; the tiles are built again from the file as written. Should
                // another program have put damaged lines back meanwhile, they are kept, not asked about.
                file = ReadWholeFile(store.path());
                scan(file.bytes, result);
                if (file.failed())
                    result.readFailure = file.error;
                break;
            }
            }
        }
        finish(result);
        return result;
    }

private:
    // The columns that show one month of one year, as bit sets of column indexes.
    struct MonthGroup {
        std::string_view year, month;
        // The header bytes that read as this year and month; a caption no header can equal matches nothing.
        bool plainYear = false;
        bool plainMonth = false;
        std::array<char, 2> monthField{};
        std::uint16_t all = 0;
        std::array<std::uint16_t, 32> byDay{};
        std::array<std::uint16_t, 7> byWeekday{};
    };

    // One pass over the lines: places the tiles and gives the damaged lines met on the way. Splitting and
    // matching at once keeps each line in the cache while it is looked at.
    std::vector<DamagedLine> scan(std::string_view bytes, WeekRefreshResult& result) {
        result.tiles.clear();
        result.captions.clear();
        result.editedLine = 0;
        m_spans.clear();
        m_subColumns.clear();
        std::vector<DamagedLine> damaged;
        int lineNumber = 0;
        ForEachLine(bytes, [&](std::string_view line) {
            ++lineNumber;
            if (line.size() >= static_cast<std::size_t>(Note::HeaderLength))
                placeInColumns(line, lineNumber, result);
            else if (ClassifyLine(line) == LineKind::Malformed)
                damaged.push_back({lineNumber, std::string(line)});
            return true;
        });
        return damaged;
    }

    // The columns a line's date matches, as a bit set: what FallsOn says of each column's date, worked out
    // without a date per column. The year and month are compared once per month the columns show (at most
    // two), not once per column, and as the stored fields: the month text "7" stands for the field "07",
    // "12" for "12".
    std::uint16_t matchingColumns(std::string_view line) const {
        const NoteHeader note(line);
        const bool everyYear = note.everyYear();
        const bool everyMonth = note.everyMonth();
        const std::string_view year = note.yearText();
        const std::string_view month = note.monthText();
        std::uint16_t columns = 0;
        bool dayRead = false; // the day code is read only for lines whose year and month match
        NoteHeader::Day day;
        for (const MonthGroup& g : m_months) {
            if (!everyYear && (!g.plainYear || year != g.year))
                continue;
            if (!everyMonth && (!g.plainMonth || month != std::string_view(g.monthField.data(), 2)))
                continue;
            if (!dayRead) {
                dayRead = true;
                day = note.day();
            }
            switch (day.kind) {
            case DayKind::EveryDay:
                columns |= g.all;
                break;
            case DayKind::DayOfMonth:
                columns |= g.byDay[static_cast<std::size_t>(day.number)];
                break;
            case DayKind::Weekdays:
                for (int bit = 0; bit < 7; ++bit)
                    if ((day.number >> bit) & 1)
                        columns |= g.byWeekday[static_cast<std::size_t>(bit)];
                break;
            case DayKind::NoDay:
                break;
            }
        }
        return columns;
    }

    void placeInColumns(std::string_view line, int lineNumber, WeekRefreshResult& result) {
        if (static_cast<int>(result.tiles.size()) >= NoteTile::SlotCount - 1)
            return;
        const std::uint16_t columns = matchingColumns(line);
        if (columns == 0 || !passesVisibility(line))
            return;
        for (int j = 0; j < 16; ++j)
            if ((columns >> j) & 1)
                place(line, lineNumber, j, result);
    }

    bool passesVisibility(std::string_view line) const {
        const NoteHeader note(line);
        const bool shown = !note.knownCategory() || m_categories.shown[static_cast<std::size_t>(note.category())];
        return note.startHour() < m_in.view.lastHour && note.endHour() >= m_in.view.firstHour && shown;
    }

    void place(std::string_view line, int lineNumber, int column, WeekRefreshResult& result) {
        if (static_cast<int>(result.tiles.size()) >= NoteTile::SlotCount - 1)
            return;
        const WeekView& v = m_in.view;
        const NoteHeader note(line);
        const int startHour = note.startHour();
        const int endHour = note.endHour();
        const int startMinute = note.startMinute();
        const int endMinute = note.endMinute();
        const int category = note.category();
        const bool known = note.knownCategory();

        NoteTile t;
        t.slot = static_cast<int>(result.tiles.size()) + 1;
        t.column = column;
        t.category = category;
        t.tag = lineNumber;
        t.fillColour = known ? m_categories.colour[static_cast<std::size_t>(category)] : White;

        const int start = startHour * 60 + startMinute;
        const int end = endHour * 60 + endMinute;
        const int visibleStart = std::max(start, v.firstHour * 60);
        const int visibleEnd = endHour < v.lastHour ? end : v.lastHour * 60;
        const int duration = visibleEnd - visibleStart;

        t.shape.left = Round((column * 9600.0 / v.days + 780) * v.hScale);
        t.shape.top = startHour < v.firstHour ? v.gridTop
                                              : Round(static_cast<double>(startHour - v.firstHour) * v.hourHeight +
                                                      v.gridTop + static_cast<double>(v.hourHeight) * startMinute / 60);
        t.shape.width = v.columnWidth - 10;
        t.shape.height = static_cast<float>(std::abs(duration) * static_cast<double>(v.hourHeight) / 60);
        t.caption = TileCaption(line);
        t.tooltip = t.caption;
        t.text = std::string(note.text());
        t.line = std::string(line);

        int subColumn = -1;
        if (v.days == 1 && m_categories.shownNamed > 0) {
            t.shape.width = static_cast<float>(9600 * v.hScale / m_categories.shownNamed);
            const int x0 = known ? m_categories.subColumnStart[static_cast<std::size_t>(category)] : -1;
            if (x0 >= 0) {
                subColumn = x0;
                t.shape.left = static_cast<float>(x0 * v.hScale);
            }
        }
        m_subColumns.push_back(subColumn);

        // The shown time as the tile draws it: from its top, |duration| minutes down.
        const int spanStart = startHour < v.firstHour ? v.firstHour * 60 : start;
        m_spans.push_back({spanStart, spanStart + std::max(std::abs(duration), 1)});
        if (t.text == PlaceholderText)
            result.editedLine = lineNumber;
        result.tiles.push_back(std::move(t));
    }

    void finish(WeekRefreshResult& result) const {
        if (m_in.view.days == 1 && m_categories.shownNamed > 0)
            shareTheDay(result);
        // Lanes: tiles that start from the same rectangle. In the single-day view a category without a
        // sub-column shares the column's left edge with the first sub-column; different colours keep apart.
        std::map<std::tuple<int, float, float, long>, std::vector<std::size_t>> lanes;
        const bool singleDay = m_in.view.days == 1;
        for (std::size_t i = 0; i < result.tiles.size(); ++i) {
            const NoteTile& t = result.tiles[i];
            lanes[{t.column, t.shape.left, t.shape.width, singleDay ? t.fillColour : 0}].push_back(i);
        }
        for (auto& [key, lane] : lanes)
            if (lane.size() > 1)
                LayOutLane(result.tiles, m_spans, lane);

        for (NoteTile& t : result.tiles) {
            t.label = {t.shape.left + NoteTile::GripInset, t.shape.top, t.shape.width - 2 * NoteTile::GripInset,
                       t.shape.height};
            t.gripLeft = t.shape.left + NoteTile::GripInset;
            t.gripTop = t.shape.top + t.shape.height - NoteTile::GripHeight;
            t.visible = true;
        }
        // The editor opens on the last placeholder tile, where the layout put it.
        for (auto it = result.tiles.rbegin(); it != result.tiles.rend(); ++it)
            if (it->tag == result.editedLine && result.editedLine > 0) {
                result.editorRect = {it->shape.left + 20, it->shape.top + 20, it->shape.width - 40, it->shape.height};
                break;
            }
    }

    // The single-day view: the shown categories with a note on the day share the column's whole width, in
    // the order of their sub-columns, each with its name above it; a category with nothing on the day takes
    // no room.
    void shareTheDay(WeekRefreshResult& result) const {
        const WeekView& v = m_in.view;
        std::vector<int> used;
        for (int x0 : m_subColumns)
            if (x0 >= 0 && std::find(used.begin(), used.end(), x0) == used.end())
                used.push_back(x0);
        std::sort(used.begin(), used.end());
        const double share = 9600.0 / static_cast<double>(std::max<std::size_t>(used.size(), 1));
        for (std::size_t i = 0; i < result.tiles.size(); ++i) {
            NoteTile& t = result.tiles[i];
            t.shape.width = static_cast<float>(share * v.hScale);
            const auto at = std::find(used.begin(), used.end(), m_subColumns[i]);
            if (at == used.end())
                continue; // a category without a sub-column keeps the column's left edge
            const double x0 = 780 + share * static_cast<double>(at - used.begin());
            t.shape.left = static_cast<float>(x0 * v.hScale);
            SubColumnCaption caption{static_cast<float>(x0 * v.hScale + 70), static_cast<float>(550 * v.vScale),
                                     m_in.categoryNames[static_cast<std::size_t>(t.category)]};
            if (std::find(result.captions.begin(), result.captions.end(), caption) == result.captions.end())
                result.captions.push_back(caption);
        }
    }

    const WeekRefreshInput& m_in;
    CategoryLookup m_categories;
    std::vector<int> m_subColumns; // beside result.tiles: the sub-column start each tile had, or -1
    std::vector<MonthGroup> m_months;
    std::vector<Span> m_spans; // beside result.tiles
};

} // namespace

std::string TileStartTime(std::string_view line) {
    const NoteHeader note(line);
    return std::to_string(note.startHour()) + ':' + std::string(note.startMinuteText());
}

std::string TileEndTime(std::string_view line) {
    const NoteHeader note(line);
    return std::to_string(note.endHour()) + ':' +
           std::string(note.endMinute() < 0 ? std::string_view("00") : note.endMinuteText());
}

std::string TileCaption(std::string_view line) {
    std::string caption = TileStartTime(line);
    caption += '-';
    caption += TileEndTime(line);
    caption += ' ';
    caption += NoteHeader(line).text();
    return caption;
}

WeekRefreshResult WeekRefresh(const NotesStore& store, const WeekRefreshInput& input) {
    return Refresh(input).run(store);
}

WeekRefreshResult WeekRefreshFromLines(const TextLines& lines, std::span<const std::uint32_t> candidates,
                                       const WeekRefreshInput& input) {
    return Refresh(input).runOnLines(lines, candidates);
}

} // namespace plandeck
