#pragma once

#include "base/TextFile.h"
#include "settings/FeatureSettings.h"
#include "settings/Options.h"

#include <string>
#include <string_view>

namespace plandeck {

// The rules of the options window's fields, as values: which texts are valid, how they are corrected and
// what a Save writes and changes. The window only shows the results.

inline constexpr int kSnapStepMin = 1;
inline constexpr int kSnapStepMax = 60;
inline constexpr int kDaysMin = 1;
inline constexpr int kDaysMax = 8;
inline constexpr int kFirstHourMin = 6;
inline constexpr int kFirstHourMax = 23;
inline constexpr int kLastHourMin = 7;
inline constexpr int kLastHourMax = 24;
inline constexpr int kWorkSpanCount = 4;

// Ranges of the working-span spinners.
inline constexpr int kSpanStartHourMin = 6;
inline constexpr int kSpanEndHourMin = 7;
inline constexpr int kSpanHourMax = 23;
inline constexpr int kSpanMinuteMax = 59;

// The snap step field holds a step the program can use: its numeric value lies within 1..60.
bool SnapStepValid(std::string_view text);

// The snap step in use once the window closes (after Save and after Cancel alike): the field's value when it
// is a valid step, otherwise the step in use before, so an invalid field never reaches the drag code.
int SnapStepAfterClose(std::string_view text, int current);

// The day count field after a key: a value below 1 becomes "1", above 8 becomes "8", anything else stays.
std::string ClampDaysText(const std::string& text);

// The hour range a Save writes: first hour into 6..23, last hour into 7..24, and the last hour always after
// the first ("30" and "5" give 23 and 24; "12" and "12" give 12 and 13).
struct HourPair {
    int first = 0;
    int last = 0;
    friend bool operator==(const HourPair&, const HourPair&) = default;
};
HourPair ClampHourFields(std::string_view firstText, std::string_view lastText);

// The fields Text<n> that hold span i's times.
struct SpanFieldNumbers {
    int startHour, startMinute, endHour, endMinute;
};
SpanFieldNumbers SpanFields(int span);

// Whether one working span can be shaded: both ends within 6:00..23:59, the end after the start, and an
// end in hour 6 only at 6:01.
bool WorkSpanValid(int startHour, int startMinute, int endHour, int endMinute);
bool WorkSpanValid(const OptionsWindowFields& fields, int span);

// Whether a span field holds a number the option file can store: one or two digits.
bool SpanFieldFilled(std::string_view text);

// Whether Save may be pressed: a valid snap step, every span field filled (shaded or not: an empty field
// cannot be stored), and, while the spans are shaded, four valid spans (a span whose box is clear holds
// 6:00 to 7:00 and is valid).
bool SaveAllowed(const OptionsWindowFields& fields);

// Ticking a span's box sets it to 8:00-16:00; clearing it sets 6:00-7:00.
void SetSpanBox(OptionsWindowFields& fields, int span, bool ticked);

// The text a spinner writes into its field: hours as plain digits ("8"), minutes as two digits ("05").
std::string SpinnerText(int value, bool minutes);

// The fields as the window shows them after loading: the files' values, with each span whose box is clear
// reset to 6:00-7:00.
OptionsWindowFields FieldsForWindow(const MainOptions& main, const SystemOptions& system);

// What a Save changed, for the windows that must follow it.
struct OptionsChanges {
    bool skin = false;
    bool language = false;
    bool days = false;  // the N-day view's column count
    bool hours = false; // the configured hour range
    bool font = false;  // the note tiles' font or colour
    bool workSpans = false;
    bool snapStep = false;
    bool notesFile = false;
    bool system = false; // any of the four system boxes
    bool startAtLogon = false;
    bool trayIcon = false;

    // The main window must be built again to take a new skin, language or notes file.
    bool rebuild() const { return skin || language || notesFile; }
    bool any() const;
};

// What a Save writes, worked out before anything touches a file.
struct OptionsSavePlan {
    OptionsWindowFields fields; // corrected: hours clamped, spans padded, day count within 1..8
    OptionsModuleState state;   // with the chosen skin and language
    std::string mainText;       // the main option file's bytes
    MainOptions main;           // the main options as the file then reads
    SystemOptions system;       // the system option file's flags
    OptionsChanges changes;     // compared with `before` and `beforeSystem`
};

// The values a Save starts from: the window's fields, the program's state, the skin and language picked in
// the lists (empty when none was picked) and the options the program runs with.
struct OptionsSaveInput {
    OptionsWindowFields fields;
    OptionsModuleState state;
    std::string pendingSkin;
    std::string pendingLanguage;
    MainOptions before;
    SystemOptions beforeSystem;
};
OptionsSavePlan PlanOptionsSave(const OptionsSaveInput& input);

// What the user set in the options window, handed to the program, which writes the option files and
// applies them. A notes file picked on the system page is saved at once with the fields (the main file only,
// as when the program leaves); the skin and language picked in the lists then wait for a Save.
struct OptionsChoice {
    OptionsWindowFields fields;
    std::string pendingSkin;     // empty when none was picked
    std::string pendingLanguage; // empty when none was picked
    std::string notesPath;       // the notes file just picked; empty for a Save
    FeatureSettings features;    // the ticks of what Plandeck adds to the original options
};

// What the window's Save did, step by step, with the files in `mainPath` and `systemPath`. The main file is
// written first: when that fails nothing else happens. A failed system file still leaves the main file saved.
struct OptionsSaveOutcome {
    OptionsSavePlan plan;
    WriteResult mainWrite;
    WriteResult systemWrite;
    bool saved() const { return mainWrite.ok; }
};
OptionsSaveOutcome SaveOptionsFiles(const OptionsSaveInput& input, const std::string& mainPath,
                                    const std::string& systemPath, bool writeSystem = true);

} // namespace plandeck
