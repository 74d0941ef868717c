#include "editing/WizardForm.h"

#include "base/NumberForm.h"
#include "calendar/CalendarMath.h"
#include "editing/CategoryTable.h"
#include "notes/Note.h"

#include <algorithm>
#include <cmath>

namespace plandeck {

namespace {

constexpr int FirstHour = 6;
constexpr int HourEnd = 24;
constexpr int MinuteEnd = 60;
constexpr int LastDayCell = 31;

std::size_t Index(Spinner s) {
    return static_cast<std::size_t>(s);
}

// Every number the wizard writes into the fixed-width header must be plain digits: a text such as "7.5" or
// "8a" would pass a leading-number reading but shift every field after it in the note line.
int WholeNumber(std::string_view text, std::size_t maxDigits) {
    return PlainDecimal(text, maxDigits);
}

int YearValue(const WizardForm& form) {
    return WholeNumber(form.yearText, 4);
}

bool YearValid(const WizardForm& form) {
    if (form.everyYear)
        return true;
    const int year = YearValue(form);
    return year > 1000 && year < 3000;
}

// The last day the chosen month can have. February allows the 29th for every year and for leap years.
int LastDayOfChosenMonth(const WizardForm& form) {
    if (form.everyMonth || form.month < 1 || form.month > 12)
        return 31;
    if (form.month == 2 && (form.everyYear || !YearValid(form)))
        return 29;
    return MonthLength(form.month, YearValue(form));
}

bool DayValid(const WizardForm& form) {
    switch (form.dayChoice) {
    case DayChoice::EveryDay:
        return true;
    case DayChoice::Weekly:
        return WeekdayMask(form.weekdays) != 0;
    case DayChoice::DayOfMonth:
        break;
    }
    const int day = WholeNumber(form.dayText, 2);
    // A day the month never has (31 April) would give a note that is never shown.
    return day >= 1 && day <= LastDayOfChosenMonth(form);
}

bool TimeValid(const WizardForm& form) {
    const int startHour = WholeNumber(form.timeTexts[0], 2);
    const int startMinute = WholeNumber(form.timeTexts[1], 2);
    const int endHour = WholeNumber(form.timeTexts[2], 2);
    const int endMinute = WholeNumber(form.timeTexts[3], 2);
    auto hourOk = [](int h) { return h >= FirstHour && h < HourEnd; };
    auto minuteOk = [](int m) { return m >= 0 && m < MinuteEnd; };
    if (!hourOk(startHour) || !hourOk(endHour) || !minuteOk(startMinute) || !minuteOk(endMinute))
        return false;
    return endHour > startHour || (endHour == startHour && endMinute > startMinute);
}

std::string TwoDigits(int value) {
    return PadField(std::to_string(value));
}

} // namespace

SpinnerRange SpinnerLimits(Spinner spinner) {
    switch (spinner) {
    case Spinner::Year:
        return {1001, 2999};
    case Spinner::StartHour:
    case Spinner::EndHour:
        return {FirstHour, 23};
    case Spinner::StartMinute:
    case Spinner::EndMinute:
        break;
    }
    return {0, 59};
}

std::string SpinnerText(Spinner spinner, int value) {
    if (spinner == Spinner::StartMinute || spinner == Spinner::EndMinute)
        return TwoDigits(value);
    return std::to_string(value);
}

std::string& WizardForm::spinnerText(Spinner s) {
    return s == Spinner::Year ? yearText : timeTexts[Index(s) - 1];
}

const std::string& WizardForm::spinnerText(Spinner s) const {
    return s == Spinner::Year ? yearText : timeTexts[Index(s) - 1];
}

void MoveSpinner(WizardForm& form, Spinner spinner, int value) {
    const SpinnerRange range = SpinnerLimits(spinner);
    value = std::clamp(value, range.min, range.max);
    form.spinners[Index(spinner)] = value;
    form.spinnerText(spinner) = SpinnerText(spinner, value);
}

void TypeIntoBox(WizardForm& form, Spinner spinner, std::string text) {
    const SpinnerRange range = SpinnerLimits(spinner);
    const int value = WholeNumber(text, spinner == Spinner::Year ? 4 : 2);
    if (value >= range.min && value <= range.max)
        form.spinners[Index(spinner)] = value;
    form.spinnerText(spinner) = std::move(text);
}

void ActivateForm(WizardForm& form) {
    for (Spinner minute : {Spinner::EndMinute, Spinner::StartMinute}) {
        std::string& text = form.spinnerText(minute);
        const double value = NumericValue(text);
        if (value > 60)
            text = "60";
        else if (value < 1)
            text = "00";
    }
    for (int i = 0; i < SpinnerCount; ++i) {
        const auto spinner = static_cast<Spinner>(i);
        const SpinnerRange range = SpinnerLimits(spinner);
        const double rounded = std::nearbyint(NumericValue(form.spinnerText(spinner)));
        const int value = static_cast<int>(std::clamp(rounded, double(range.min), double(range.max)));
        if (value != form.spinners[Index(spinner)])
            MoveSpinner(form, spinner, value);
    }
}

void ChooseDay(WizardForm& form, DayChoice choice) {
    form.dayChoice = choice;
    if (choice != DayChoice::DayOfMonth && !form.yearTouched && !form.monthTouched) {
        form.everyYear = true;
        form.everyMonth = true;
    }
}

int WeekdayMask(const std::array<bool, 7>& boxes) {
    int mask = 0;
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i])
            mask += 1 << i;
    return mask;
}

std::array<bool, 7> WeekdayBoxes(int mask) {
    std::array<bool, 7> boxes{};
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i] = (mask >> i) & 1;
    return boxes;
}

bool WizardCheck::canSave() const {
    return std::all_of(valid.begin(), valid.end(), [](bool v) { return v; });
}

WizardCheck CheckWizardSteps(const WizardForm& form, std::string_view promptText) {
    WizardCheck check;
    if (form.dayChoice == DayChoice::DayOfMonth) {
        // The grid marks the cell whose caption is exactly the day text, so "05" marks none.
        for (int cell = 0; cell < LastDayCell; ++cell)
            if (form.dayText == std::to_string(cell + 1))
                check.markedDayCell = cell;
    }
    auto set = [&](WizardStep step, bool ok) { check.valid[static_cast<std::size_t>(step)] = ok; };
    set(WizardStep::Year, YearValid(form));
    set(WizardStep::Month, form.everyMonth || (form.month >= 1 && form.month <= 12));
    set(WizardStep::Day, DayValid(form));
    set(WizardStep::Time, TimeValid(form));
    set(WizardStep::Category, form.category >= 0 && form.category < CategoryTable::Count);
    set(WizardStep::Text, form.text != promptText);
    return check;
}

std::string WizardNoteLine(const WizardForm& form) {
    std::string line = form.everyYear ? std::string("yyyy") : form.yearText;
    line += form.everyMonth ? std::string("yy") : TwoDigits(form.month);
    switch (form.dayChoice) {
    case DayChoice::EveryDay:
        line += "yy";
        break;
    case DayChoice::Weekly:
        line += PadField(DayCodeForWeekdays(WeekdayMask(form.weekdays)));
        break;
    case DayChoice::DayOfMonth:
        line += PadField(DayCodeForDayOfMonth(WholeNumber(form.dayText, 2)));
        break;
    }
    for (const std::string& time : form.timeTexts)
        line += PadField(time);
    line += CategoryChar(std::clamp(form.category, 0, CategoryTable::Count - 1));
    std::string text = form.text;
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    line += text;
    return line;
}

WizardForm NewWizardForm(int year, std::string prompt) {
    WizardForm form;
    form.yearText = std::to_string(year);
    form.text = std::move(prompt);
    return form;
}

WizardForm WizardFormAt(const GridPressTime& time, const DayColumn& column, std::string prompt) {
    WizardForm form;
    form.text = std::move(prompt);
    const int month = WholeNumber(column.month, 2);
    form.month = month >= 1 && month <= 12 ? month : 0;
    form.dayText = column.day;
    form.yearText = column.year;
    form.timeTexts = {std::to_string(time.startHour), TwoDigits(time.startMinute), std::to_string(time.endHour),
                      TwoDigits(time.endMinute)};
    return form;
}

WizardForm WizardFormFromNote(std::string_view line, const CategoryTable& categories) {
    WizardForm form;
    form.yearTouched = true;
    form.monthTouched = true;
    const NoteHeader note(line);
    if (note.everyYear())
        form.everyYear = true;
    else
        form.yearText = std::string(note.yearText());

    if (note.everyMonth()) {
        form.everyMonth = true;
    } else {
        const int m = WholeNumber(note.monthDecoded(), 2);
        form.month = m >= 1 && m <= 12 ? m : 0;
    }

    if (note.everyDay()) {
        form.dayChoice = DayChoice::EveryDay;
    } else if (note.dayKind() == DayKind::Weekdays) {
        form.dayChoice = DayChoice::Weekly;
        form.weekdays = WeekdayBoxes(note.weekdayMask());
    } else {
        form.dayText = std::to_string(note.dayValue());
    }

    form.timeTexts = {DecodeField(note.startHourText()), std::string(note.startMinuteText()),
                      DecodeField(note.endHourText()), std::string(note.endMinuteText())};
    if (note.complete() && !categories.name(note.category()).empty())
        form.category = note.category();
    form.text = std::string(note.text());
    return form;
}

} // namespace plandeck
