#include "session/FoundNote.h"

#include "base/FileText.h"
#include "calendar/CalendarMath.h"
#include "editing/WizardForm.h"
#include "editing/WizardSummary.h"
#include "notes/Agenda.h"

namespace plandeck {

namespace {

// A note's own date when it falls on one day only, read from its fields.
std::optional<Date> OneDate(const NoteHeader& note) {
    if (RepeatsOf(note) != Repeats::Once)
        return std::nullopt;
    const Date date{static_cast<int>(note.yearNumericValue()), static_cast<int>(note.monthNumericValue()),
                    note.day().number};
    if (!FallsOn(note, date))
        return std::nullopt;
    return date;
}

// The first day from `first` to `last` (inclusive) the note falls on.
std::optional<Date> FirstDateBetween(const NoteHeader& note, Date first, const Date& last) {
    for (Date d = first;; d = NextDay(d)) {
        if (FallsOn(note, d))
            return d;
        if (d == last)
            return std::nullopt;
    }
}

} // namespace

FoundNote DescribeFoundNote(std::string_view line, int lineNumber, const CategoryTable& categories,
                            const LanguageTable& language) {
    const NoteHeader note(line);
    FoundNote found;
    found.line = lineNumber;
    if (const std::optional<Date> date = OneDate(note))
        found.when = ShortDateText(*date, language);
    else
        found.when = FileTextAsUtf8(WizardSummary(WizardFormFromNote(line, categories), language));
    found.time = TimeText(note.startHour(), note.startMinute()) + "\u2013" + TimeText(note.endHour(), note.endMinute());
    found.category = FileTextAsUtf8(categories.name(note.category()));
    found.text = FileTextAsUtf8(note.text());
    found.colour = categories.tileColour(note.category());
    found.hidden = !categories.isShown(note.category());
    return found;
}

std::optional<Date> FoundNoteDate(const NoteHeader& note, const Date& from) {
    if (note.everyYear()) {
        // Eight years hold every date a note can repeat on (the 29th of February of a leap year after a
        // century that is none).
        return FirstDateBetween(note, from, Date{from.year + 8, 12, 31});
    }
    const int year = static_cast<int>(note.yearNumericValue());
    if (year < 1 || year > 9999)
        return std::nullopt;
    const Date end{year, 12, 31};
    if (from.year == year)
        if (const std::optional<Date> d = FirstDateBetween(note, from, end))
            return d;
    return FirstDateBetween(note, Date{year, 1, 1}, end);
}

} // namespace plandeck
