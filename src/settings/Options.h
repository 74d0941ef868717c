#pragma once

#include "base/TextFile.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace plandeck {

// The main option file, pdopt.ini: 26 positional lines. Defaults apply to every line the file lacks.
struct MainOptions {
    static constexpr int LineCount = 26;
    static constexpr int CategoryFlagCount = 101;

    bool keepCategoryFilter = false;                                      // line 1
    std::string categoryShownFlags = std::string(CategoryFlagCount, '1'); // line 9
    std::string skinName = "Default";                                     // line 10
    bool purgePastNotes = false;                                          // line 11
    bool confirmDelete = false;                                           // line 12
    std::string workSpans = "08000800080008001600160016001600";           // line 13
    bool shadeWorkSpans = false;                                          // line 14
    std::string workSpanEnabled = "1111";                                 // line 15
    std::string tileFontName = "DejaVu Sans";                             // line 16
    double tileFontSize = 9;                                              // line 17
    long tileForeColor = 0;                                               // line 18, red in the low byte
    bool maximised = false;                                               // lines 19-20 hold "max"
    int windowHeight = 10800;                                             // line 19, twips
    int windowWidth = 16500;                                              // line 20, twips
    int snapMinutes = 5;                                                  // line 21, 0..60; 0 and 1 snap nothing
    std::string languageFile = "English.lng";                             // line 22
    int configuredDays = 3;                                               // line 23, 1..8
    int firstHour = 8;                                                    // line 24, 6..23
    int lastHour = 20;                                                    // line 25, 7..24
    std::string notesFilePath;                                            // line 26, empty = default file

    friend bool operator==(const MainOptions&, const MainOptions&) = default;
};

// The system option file, sys.ini: four flags.
struct SystemOptions {
    static constexpr int LineCount = 4;

    bool startAtLogon = false;
    bool useTrayIcon = true;
    bool todayOnHide = true;
    bool reminderSound = true;

    friend bool operator==(const SystemOptions&, const SystemOptions&) = default;
};

// Readers. Any bytes give a defined result; values that would break the program (a snap step of 0, a
// day count of 40, an hour range that is empty) fall back to their defaults.
MainOptions ParseMainOptions(const TextLines& lines);
SystemOptions ParseSystemOptions(const TextLines& lines);
MainOptions LoadMainOptions(const std::string& path);

// The main option file with how its read went: a file that exists but could not be read gives the
// defaults and status Failed, and must not be written over (SaveOptions refuses to).
struct MainOptionsRead {
    MainOptions options;
    ReadStatus status = ReadStatus::Missing;
    std::string error;
};
MainOptionsRead ReadMainOptions(const std::string& path);
SystemOptions LoadSystemOptions(const std::string& path);

// Writers: the files' exact text, CR LF after every line.
std::string FormatMainOptions(const MainOptions& options);
std::string FormatSystemOptions(const SystemOptions& options);
WriteResult WriteSystemOptions(const std::string& path, const SystemOptions& options);

// What the options window's fields hold, as far as the option files are concerned. `spanText[n]` is the
// field `Text<n>` (n = 1..16) of the working spans.
struct OptionsWindowFields {
    bool keepCategoryFilter = false;      // keep the category filter
    bool purgePastNotes = false;          // purge past notes
    bool confirmDelete = false;           // confirm deletes
    bool shadeWorkSpans = false;          // shade the working spans
    std::array<bool, 4> spanEnabled{};    // spans enabled
    std::array<std::string, 17> spanText; // index 0 unused
    std::string fontName;                 // the sample label's font
    double fontSize = 9;
    long foreColor = 0;
    std::string snapText;       // snap step
    std::string daysText;       // configured days
    std::string firstHourText;  // first hour
    std::string lastHourText;   // last hour
    bool startAtLogon = false;  // start at log-on
    bool useTrayIcon = false;   // tray icon
    bool todayOnHide = false;   // today window on hide
    bool reminderSound = false; // reminder sound
};

// Module state that the main option file stores beside the window's fields.
struct OptionsModuleState {
    std::vector<std::string> categoryShown; // 101 flags, "1"/"0" (a flag may be empty)
    std::string skinName;
    bool maximised = false;
    int windowHeight = 0; // twips
    int windowWidth = 0;
    std::string languageFile;
    std::string notesPath;
};

// The options window filled from the files, as when it is loaded.
OptionsWindowFields FieldsFromOptions(const MainOptions& main, const SystemOptions& system);

// The module state as the options file describes it (for a save that changes nothing).
OptionsModuleState ModuleStateFromOptions(const MainOptions& main);

// The 26 lines of the main option file from the window's fields and the module state. Line 9 is always 101
// characters of "1" and "0". One-character span
// fields are padded with a leading "0" in `fields` too, so the window shows what was saved.
std::string SaveOptionsText(OptionsWindowFields& fields, const OptionsModuleState& state);
// Refuses, with the reason, when the file exists but cannot be read.
WriteResult SaveOptions(const std::string& path, OptionsWindowFields& fields, const OptionsModuleState& state);

// The system option file's four flags from the window's check boxes.
SystemOptions SystemOptionsFromFields(const OptionsWindowFields& fields);

// The shown flags of categories 0..100 at start-up: all "1", or line 9 character by character when line 1
// asks for it (a position past the end of the line gives an empty flag).
std::vector<std::string> StartupCategoryFlags(const MainOptions& options);

// Positions of the span fields in line 13: character pair k (k = 0..15) belongs to field Text<n>.
extern const std::array<int, 16> kSpanFieldOrder;

// Line 13 as the program uses it: always 32 digits. A span whose four fields are not each two digits, or
// every span of a line that is not 32 characters long (its fields have shifted, so none can be trusted),
// reads as 08:00 to 16:00.
std::string WorkSpansFromLine(const std::string& line);

// What the delete command does by the confirm setting (the numeric value of option line 12).
enum class DeleteConfirmation {
    DeleteAtOnce, // 0
    Ask,          // 1
    Never,        // anything else
};
DeleteConfirmation DeleteConfirmationFromSetting(double value);
// Line 12 of the main option file, read when a delete is asked for; nothing when the file exists but could
// not be read (a missing file reads as empty: 0).
std::optional<DeleteConfirmation> ReadDeleteConfirmation(const std::string& optionsPath);

} // namespace plandeck
