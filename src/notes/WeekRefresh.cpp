#include "notes/WeekRefresh.h"

#include "base/NumberForm.h"
#include "notes/Note.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

namespace plandeck {

namespace {

constexpr long White = 16777215;

std::string_view FieldView(std::string_view field) {
    return (!field.empty() && field[0] == '0') ? field.substr(1, 1) : field;
}

// The numeric value of a short field; plain digits (nearly every field) are read without the general reader.
int SmallNumber(std::string_view text) {
    const int plain = PlainDecimal(text, 9);
    return plain >= 0 ? plain : IntegerValue(text);
}

// Hours are small unsigned numbers; anything else reads as hour 0.
int HourOf(std::string_view field) {
    int v = SmallNumber(FieldView(field));
    return (v < 0 || v > 255) ? 0 : v;
}

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

    CategoryLookup(const WeekRefreshInput& in) {
        const std::size_t n = Note::CategoryCount;
        shown.assign(n, true);
        colour.assign(n, White);
        subColumnStart.assign(n, -1);
        for (std::size_t i = 0; i < n; ++i) {
            if (i < in.categoryShown.size())
                shown[i] = FlagValue(in.categoryShown[i]);
            if (i < in.categoryColours.size() && !in.categoryColours[i].empty())
                colour[i] = static_cast<long>(NumericValue(in.categoryColours[i]));
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

bool Overlaps(const NoteTile& q, const NoteTile& k, bool singleDay) {
    const TileRect& a = q.shape;
    const TileRect& b = k.shape;
    bool horizontal = b.left <= a.left && a.left < b.left + b.width;
    bool vertical =
        (a.top < b.top && a.top + a.height > b.top) || (a.top > b.top && a.top < b.top + b.height) || a.top == b.top;
    return horizontal && vertical && (!singleDay || q.fillColour == k.fillColour);
}

// Tiles that overlap the new one share their combined width: the newest tile leftmost, then the earlier
// ones in slot order. A group of any size is shared out evenly.
void ResolveOverlap(std::vector<NoteTile>& tiles, bool singleDay) {
    NoteTile& k = tiles.back();
    std::vector<std::size_t> group;
    for (std::size_t q = 0; q + 1 < tiles.size(); ++q)
        if (Overlaps(tiles[q], k, singleDay))
            group.push_back(q);
    if (group.empty())
        return;
    const float total = k.shape.width;
    const float left = k.shape.left;
    const float share = total / static_cast<float>(group.size() + 1);
    k.shape.width = share;
    for (std::size_t p = 0; p < group.size(); ++p) {
        NoteTile& t = tiles[group[p]];
        t.shape.width = share;
        t.shape.left = left + static_cast<float>(p + 1) * total / static_cast<float>(group.size() + 1);
    }
}

class Refresh {
public:
    Refresh(const NotesStore& store, const WeekRefreshInput& in)
        : m_store(store), m_in(in), m_categories(in), m_givenBytes(in.notesBytes) {
        const int days = std::min<int>(in.view.days, static_cast<int>(in.columns.size()));
        for (int j = 0; j < days; ++j) {
            const DayColumn& c = in.columns[static_cast<std::size_t>(j)];
            m_keys.push_back({c.day, c.month, c.year, CanonicalNumber(c.day), c.weekday});
        }
    }

    WeekRefreshResult run() {
        WeekRefreshResult result;
        for (;;) {
            result.tiles.clear();
            result.captions.clear();
            result.editedLine = 0;
            if (scan(result))
                break;
        }
        finish(result);
        return result;
    }

private:
    struct ColumnKey {
        std::string_view day, month, year;
        int dayNumber;
        int weekday;
    };

    // One pass over the file. Returns false when a malformed line was removed and the pass must start over.
    bool scan(WeekRefreshResult& result) {
        // One pass that splits and matches at once keeps each line in the cache while it is looked at.
        // The bytes handed in are used once: a pass that starts over follows a rewrite of the file.
        std::string read;
        const std::string* given = std::exchange(m_givenBytes, nullptr);
        if (!given)
            read = ReadWholeFile(m_store.path()).bytes;
        const std::string& bytes = given ? *given : read;
        int lineNumber = 0;
        bool finished = true;
        ForEachLine(bytes, [&](std::string_view line) {
            ++lineNumber;
            switch (ClassifyLine(line)) {
            case LineKind::Ignored:
                return true;
            case LineKind::Malformed:
                if (!m_in.askMalformed)
                    return true;
                switch (m_in.askMalformed(std::string(line), lineNumber)) {
                case MalformedAnswer::Keep:
                    return true;
                case MalformedAnswer::Quit:
                    result.quit = true;
                    return false;
                case MalformedAnswer::Remove: {
                    WriteResult w = RemoveNoteLines(m_store, line);
                    if (w.ok) {
                        finished = false;
                        return false;
                    }
                    result.saveErrors.push_back(w.error);
                    return true;
                }
                }
                return true;
            case LineKind::Note:
                placeInColumns(line, lineNumber, result);
                return true;
            }
            return true;
        });
        return finished;
    }

    // The day field decoded once per line: every day, a day of the month, or a weekday mask.
    struct DayRule {
        bool everyDay = false;
        std::int64_t value = 0;

        explicit DayRule(std::string_view day) : everyDay(day == "yy"), value(everyDay ? 0 : HexToNumber(day)) {}

        bool matches(const ColumnKey& col) const {
            if (everyDay)
                return true;
            if (value <= 31)
                return value == col.dayNumber;
            // Day codes above the last weekly one are never written; they match no day.
            if (value <= Note::LastWeeklyCode)
                return col.weekday >= 1 && col.weekday <= 7 && (((value - 31) >> (col.weekday - 1)) & 1);
            return false;
        }
    };

    void placeInColumns(std::string_view line, int lineNumber, WeekRefreshResult& result) {
        if (static_cast<int>(result.tiles.size()) >= NoteTile::SlotCount - 1)
            return;
        const std::string_view year = line.substr(0, 4);
        const std::string_view month = FieldView(line.substr(4, 2));
        const bool everyYear = year == "yyyy";
        const bool everyMonth = month == "yy";
        std::optional<DayRule> day; // decoded only for lines whose year and month match a column
        bool checked = false;
        bool visible = false;
        for (std::size_t j = 0; j < m_keys.size(); ++j) {
            const ColumnKey& col = m_keys[j];
            if ((!everyYear && year != col.year) || (!everyMonth && month != col.month))
                continue;
            if (!day)
                day.emplace(FieldView(line.substr(6, 2)));
            if (!day->matches(col))
                continue;
            if (!checked) {
                checked = true;
                visible = passesVisibility(line);
            }
            if (visible)
                place(line, lineNumber, static_cast<int>(j), result);
        }
    }

    bool passesVisibility(std::string_view line) const {
        const int category = static_cast<unsigned char>(line[16]) - Note::FirstCategoryCode;
        const bool shown =
            category < 0 || category >= Note::CategoryCount || m_categories.shown[static_cast<std::size_t>(category)];
        return HourOf(line.substr(8, 2)) < m_in.view.lastHour && HourOf(line.substr(12, 2)) >= m_in.view.firstHour &&
               shown;
    }

    void place(std::string_view line, int lineNumber, int column, WeekRefreshResult& result) {
        if (static_cast<int>(result.tiles.size()) >= NoteTile::SlotCount - 1)
            return;
        const WeekView& v = m_in.view;
        const int startHour = HourOf(line.substr(8, 2));
        const int endHour = HourOf(line.substr(12, 2));
        const int startMinute = SmallNumber(line.substr(10, 2));
        const int endMinute = SmallNumber(line.substr(14, 2));
        const int category = static_cast<unsigned char>(line[16]) - Note::FirstCategoryCode;
        const bool known = category >= 0 && category < Note::CategoryCount;

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
        t.text = std::string(line.substr(Note::HeaderLength));
        t.line = std::string(line);

        const bool singleDay = v.days == 1;
        if (singleDay && m_categories.shownNamed > 0) {
            t.shape.width = static_cast<float>(9600 * v.hScale / m_categories.shownNamed);
            const int x0 = known ? m_categories.subColumnStart[static_cast<std::size_t>(category)] : -1;
            if (x0 >= 0) {
                t.shape.left = static_cast<float>(x0 * v.hScale);
                SubColumnCaption caption{static_cast<float>(x0 * v.hScale + 70), static_cast<float>(550 * v.vScale),
                                         m_in.categoryNames[static_cast<std::size_t>(category)]};
                if (std::find(result.captions.begin(), result.captions.end(), caption) == result.captions.end())
                    result.captions.push_back(caption);
            }
        }

        result.tiles.push_back(std::move(t));
        ResolveOverlap(result.tiles, singleDay);

        const NoteTile& placed = result.tiles.back();
        if (placed.text == PlaceholderText) {
            result.editedLine = lineNumber;
            result.editorRect = {placed.shape.left + 20, placed.shape.top + 20, placed.shape.width - 40,
                                 placed.shape.height};
        }
    }

    static void finish(WeekRefreshResult& result) {
        for (NoteTile& t : result.tiles) {
            t.label = {t.shape.left + NoteTile::GripInset, t.shape.top, t.shape.width - 2 * NoteTile::GripInset,
                       t.shape.height};
            t.gripLeft = t.shape.left + NoteTile::GripInset;
            t.gripTop = t.shape.top + t.shape.height - NoteTile::GripHeight;
            t.visible = true;
        }
    }

    const NotesStore& m_store;
    const WeekRefreshInput& m_in;
    CategoryLookup m_categories;
    const std::string* m_givenBytes;
    std::vector<ColumnKey> m_keys;
};

} // namespace

std::string TileCaption(std::string_view line) {
    std::string caption = std::to_string(HourOf(line.substr(8, 2)));
    caption += ':';
    caption += line.substr(10, 2);
    caption += '-';
    caption += std::to_string(HourOf(line.substr(12, 2)));
    caption += ':';
    caption += NumericValue(line.substr(14, 2)) < 0 ? std::string_view("00") : line.substr(14, 2);
    caption += ' ';
    caption += line.substr(Note::HeaderLength);
    return caption;
}

WeekRefreshResult WeekRefresh(const NotesStore& store, const WeekRefreshInput& input) {
    return Refresh(store, input).run();
}

} // namespace plandeck
