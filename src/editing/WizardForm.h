#pragma once

#include "calendar/DayColumn.h"

#include <array>
#include <string>
#include <string_view>

namespace plandeck {

class CategoryTable;

// The six steps of the note wizard, in the order it walks them.
enum class WizardStep { Year = 0, Month, Day, Time, Category, Text };
inline constexpr int WizardStepCount = 6;

// How the day step fixes the day of the note.
enum class DayChoice { DayOfMonth, Weekly, EveryDay };

// The scroll bars beside the year and the four time boxes.
enum class Spinner { Year = 0, StartHour, StartMinute, EndHour, EndMinute };
inline constexpr int SpinnerCount = 5;

struct SpinnerRange {
    int min = 0;
    int max = 0;
};
SpinnerRange SpinnerLimits(Spinner spinner);

// What a spinner writes into its box: the year and the hours as plain digits, the minutes with two ("05").
std::string SpinnerText(Spinner spinner, int value);

// Everything the wizard's fields hold. Typed fields stay texts, exactly as the user left them; the checks
// and the note line read them.
struct WizardForm {
    std::string yearText = "2003";
    bool everyYear = false;
    int month = 0; // 1..12; 0 while none is chosen
    bool everyMonth = false;
    DayChoice dayChoice = DayChoice::DayOfMonth;
    std::string dayText = "1";
    std::array<bool, 7> weekdays{};                              // Monday .. Sunday
    std::array<std::string, 4> timeTexts{"8", "00", "16", "00"}; // start hour, start minute, end hour, end minute
    std::array<int, SpinnerCount> spinners{2003, 8, 0, 16, 0};
    int category = -1; // the category index; -1 while none is chosen
    std::string text;  // the note text (the prompt text until the user types)
    // Whether the user has changed the year or the month step since the wizard opened. A stored note's
    // year and month were chosen by the user, so an edited note starts with both set.
    bool yearTouched = false;
    bool monthTouched = false;

    std::string& spinnerText(Spinner s);
    const std::string& spinnerText(Spinner s) const;

    friend bool operator==(const WizardForm&, const WizardForm&) = default;
};

// A spinner moved by the user: its position and the text of its box.
void MoveSpinner(WizardForm& form, Spinner spinner, int value);
// The user typed into a spinner's box. The box keeps the text as typed; a whole number within the
// spinner's range also moves the spinner, so its arrows step on from what the box shows.
void TypeIntoBox(WizardForm& form, Spinner spinner, std::string text);

// What the wizard does each time its window becomes active: minute boxes beyond 60 read "60" and below 1
// read "00"; then each spinner takes the rounded number of its box (within its range), and a spinner that
// moves by this rewrites its box.
void ActivateForm(WizardForm& form);

// The user chose how the day step fixes the day. A note that repeats weekly or every day is meant to go on,
// not to end with the month or the year it was typed in: while neither the year nor the month step has been
// touched, choosing either also ticks every year and every month (the user may untick them again).
void ChooseDay(WizardForm& form, DayChoice choice);

// Bit i of the weekday mask stands for box i (Monday = bit 0).
int WeekdayMask(const std::array<bool, 7>& boxes);
std::array<bool, 7> WeekdayBoxes(int mask);

// The outcome of checking all steps after a change.
struct WizardCheck {
    std::array<bool, WizardStepCount> valid{};
    int markedDayCell = -1; // the day-grid cell (0..30) that shows the chosen day, -1 for none

    bool isValid(WizardStep step) const { return valid[static_cast<std::size_t>(step)]; }
    bool canSave() const;
};

// Checks every step of the form. `promptText` is the text the note box shows before the user types; a note
// still holding it is not finished. Never touches a file: it runs after every keystroke.
WizardCheck CheckWizardSteps(const WizardForm& form, std::string_view promptText);

// The notes-file line for a form whose steps are all valid. Line breaks in the text become blanks, so the
// note stays one line.
std::string WizardNoteLine(const WizardForm& form);

// A new form for the new-note command: the defaults with the given year.
WizardForm NewWizardForm(int year, std::string prompt);

// A new form for a press on the empty grid: the column's date, the start time and an end one hour later.
struct GridPressTime {
    int column = 0;
    int startHour = 6;
    int startMinute = 0;
    int endHour = 7;
    int endMinute = 0;
    friend bool operator==(const GridPressTime&, const GridPressTime&) = default;
};
WizardForm WizardFormAt(const GridPressTime& time, const DayColumn& column, std::string prompt);

// The form that edits an existing note line. A category whose index has no name is left unchosen.
WizardForm WizardFormFromNote(std::string_view line, const CategoryTable& categories);

} // namespace plandeck
