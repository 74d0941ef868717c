#pragma once

namespace plandeck {

// The language file's entries by what they are for: entry n is line n of the file. Month and weekday
// names are addressed through LanguageTable's name functions instead.
namespace Entry {
inline constexpr int Motto = 2;           // the main window's motto in the bottom strip
inline constexpr int CalendarCaption = 3; // over the month calendar
inline constexpr int CommandNewNote = 4;  // the four items of the command bar
inline constexpr int CommandOptions = 5;
inline constexpr int CommandHelp = 6;
inline constexpr int CommandExit = 7;
inline constexpr int CategoryCaption = 8; // over the category panel
inline constexpr int HintAddCategory = 9;
inline constexpr int HintDeleteCategory = 10;
inline constexpr int TrayShowToday = 11;
inline constexpr int TrayHideToday = 12;
inline constexpr int TodayCaption = 16; // over today's date in the header
inline constexpr int HintGrid = 24;
inline constexpr int HintCommandNewNote = 25; // 25..28 follow the command bar's order
inline constexpr int HintCalendarCaption = 29;
inline constexpr int HintCategoryCaption = 30;
inline constexpr int HintTodayCaption = 31;
inline constexpr int HintCategoryName = 32;
inline constexpr int AskCategoryName = 33;
inline constexpr int HintPreviousMonth = 34;
inline constexpr int HintToday = 35;
inline constexpr int HintNextMonth = 36;
inline constexpr int HintBack = 37;
inline constexpr int HintForward = 38;
inline constexpr int About = 39; // the about caption and its hint
inline constexpr int HintNote = 40;
inline constexpr int AddressCopied = 41;
inline constexpr int HintWebAddress = 42;
inline constexpr int AboutText = 112;
inline constexpr int TrayOpen = 132;
inline constexpr int TrayAbout = 133;
inline constexpr int TrayExit = 134;
inline constexpr int ConfirmDelete = 135;
inline constexpr int ConfirmDeleteTitle = 136;
inline constexpr int DamagedLine = 137;
inline constexpr int DamagedLineTitle = 138;
inline constexpr int DamagedLineKept = 139;
inline constexpr int DamagedLineQuit = 140;
inline constexpr int TodayRunning = 142;
inline constexpr int TodayNext = 143;
inline constexpr int HintResizeGrip = 147;
inline constexpr int HintCategoryDrag = 148;
inline constexpr int HintEditor = 149;
inline constexpr int HintWeekView = 153;
inline constexpr int HintDayView = 154;
inline constexpr int HintDaysView = 155;
inline constexpr int HintHourEarlier = 156;
inline constexpr int HintHourLater = 157;
inline constexpr int HintHourReset = 158;
inline constexpr int AlreadyRunning = 161;
inline constexpr int MenuEditInWizard = 162;
inline constexpr int MenuEditText = 163;
inline constexpr int MenuDelete = 164;
inline constexpr int HelpNotOpened = 166;
inline constexpr int LanguageName = 200; // the language's own name ("Русский"), as the language list shows it
inline constexpr int AddCategoryCaption = 233; // the category panel's buttons
inline constexpr int DeleteCategoryCaption = 234;
} // namespace Entry

// The note wizard's texts.
namespace Entry::WizardText {
inline constexpr int FirstStepCaption = 55; // Year .. Text
inline constexpr int NoteTextPrompt = 61;
inline constexpr int NotePromptText = 62;
inline constexpr int SaveCaption = 63;
inline constexpr int NextCaption = 64;
inline constexpr int BackCaption = 65;
inline constexpr int CancelCaption = 66;
inline constexpr int CategoryPrompt = 67;
inline constexpr int StartPrompt = 68;
inline constexpr int EndPrompt = 69;
inline constexpr int TimeRule = 70;
inline constexpr int DayPrompt = 71;
inline constexpr int DayOfMonthCaption = 72;
inline constexpr int WeeklyCaption = 73;
inline constexpr int EveryDayCaption = 74;
inline constexpr int FirstWeekdayCaption = 75; // Monday .. Sunday
inline constexpr int MonthPrompt = 82;
inline constexpr int EveryMonthCaption = 83;
inline constexpr int YearPrompt = 84;
inline constexpr int EveryYearCaption = 85;
inline constexpr int EditTitle = 86;
inline constexpr int NewTitle = 87;
inline constexpr int DeleteCaption = 88;
} // namespace Entry::WizardText

// The options window's texts.
namespace Entry::OptionsText {
inline constexpr int EntryGeneral = 89, EntrySystem = 90, EntryAppearance = 91, EntryLanguage = 92;
inline constexpr int EntrySnapBefore = 93, EntryConfirmDelete = 94, EntryKeepFilter = 95, EntryPurge = 96;
inline constexpr int EntryShade = 97, EntrySnapAfter = 98, EntrySpanFrame = 99, EntrySystemTitle = 101;
inline constexpr int EntryLogon = 102, EntryTray = 103, EntrySkinFrame = 104, EntryFontFrame = 105,
                     EntryFontButton = 106;
inline constexpr int EntrySave = 108, EntryTitle = 109, EntrySaveTip = 110, EntryCancel = 66, EntryCancelTip = 111;
inline constexpr int EntryTodayOnHide = 144, EntrySound = 146, EntryDays = 151, EntryHours = 152;
inline constexpr int EntryNotesFile = 159, EntryNotesButton = 160, EntryNotNotesFile = 165;
inline constexpr int EntryFirstSpanRow = 194;                               // the four working-span rows, 194..197
inline constexpr int EntryAllFilesFilter = 198, EntryTextFilesFilter = 199; // the notes-file dialog's filters
// The ticks of what Plandeck adds to the original options.
inline constexpr int EntryNotifications = 235, EntryBackups = 236, EntryWeekNumbers = 237;
} // namespace Entry::OptionsText

// Undo, redo and the notes changed by another program.
namespace Entry::History {
inline constexpr int Undone = 171, Redone = 172; // "%1" stands for what was undone or redone
inline constexpr int NothingToUndo = 173, NothingToRedo = 174;
inline constexpr int CannotUndo = 175, CannotRedo = 176;
inline constexpr int UndoCaption = 177, RedoCaption = 178;
// What a step was, 179.. in the order of EditKind.
inline constexpr int FirstKind = 179;
inline constexpr int NotesChangedElsewhere = 192;
inline constexpr int DamagedLinesSkipped = 193; // "%1" stands for how many
} // namespace Entry::History

// The wizard's sentence of what it will save. One pattern for each way a note repeats; a pattern names the
// parts it takes as {day}, {month}, {year} and {weekdays}. The weekday and month names have entries of their
// own in the form the patterns need them (a Russian pattern needs "по вторникам", "5 марта").
namespace Entry::WizardSummary {
inline constexpr int OnceOnDay = 201;               // one day of one month of one year
inline constexpr int YearlyOnDay = OnceOnDay + 1;   // one day of one month, every year
inline constexpr int MonthlyInYear = OnceOnDay + 2; // one day of every month of one year
inline constexpr int MonthlyOnDay = OnceOnDay + 3;  // one day of every month, every year
inline constexpr int WeeklyInMonth = OnceOnDay + 4; // chosen weekdays of one month of one year
inline constexpr int WeeklyYearly = OnceOnDay + 5;  // chosen weekdays of one month, every year
inline constexpr int WeeklyInYear = OnceOnDay + 6;  // chosen weekdays of every month of one year
inline constexpr int Weekly = OnceOnDay + 7;        // chosen weekdays, always
inline constexpr int DailyInMonth = OnceOnDay + 8;  // every day of one month of one year
inline constexpr int DailyYearly = OnceOnDay + 9;   // every day of one month, every year
inline constexpr int DailyInYear = OnceOnDay + 10;  // every day of one year
inline constexpr int Daily = OnceOnDay + 11;        // every day, always
inline constexpr int And = OnceOnDay + 12;          // joins the last two weekdays of a list
inline constexpr int WeekdayFormBase = And;         // + weekday 1..7 (Monday = 1)
inline constexpr int MonthFormBase = And + 7;       // + month 1..12
inline constexpr int Last = MonthFormBase + 12;
} // namespace Entry::WizardSummary

// The find box and the go-to-date box.
namespace Entry::Find {
inline constexpr int FindFirst = 238;
inline constexpr int Title = FindFirst;               // the find box's title
inline constexpr int Prompt = FindFirst + 1;          // the find field's grey prompt
inline constexpr int Hidden = FindFirst + 2;          // after the category of a note of a hidden category
inline constexpr int Count = FindFirst + 3;           // "%1" stands for how many notes were found
inline constexpr int FirstOf = FindFirst + 4;         // "%1" the notes listed, "%2" all that were found
inline constexpr int NoneFound = FindFirst + 5;       // nothing holds the text
inline constexpr int FirstHeading = FindFirst + 6;    // the list's headings: date, time, category, text
inline constexpr int GoToTitle = FindFirst + 10;      // the go-to-date box's title
inline constexpr int GoToPrompt = FindFirst + 11;     // over its date field
inline constexpr int GoToButton = FindFirst + 12;     // its button that goes
inline constexpr int FirstDateError = FindFirst + 13; // why a date was not taken, in the order of DateEntryError
inline constexpr int HintGoToDate = FindFirst + 18;   // over the month calendar's title
inline constexpr int Last = HintGoToDate;
} // namespace Entry::Find

// Week numbers, and printing the shown days or saving them as PDF.
namespace Entry {
inline constexpr int PrintFirst = Find::Last + 1;
} // namespace Entry
namespace Entry::Print {
inline constexpr int OneWeek = PrintFirst;        // "Week %1" after the shown dates
inline constexpr int TwoWeeks = PrintFirst + 1;   // "Weeks %1", %1 standing for "50–51"
inline constexpr int Hint = PrintFirst + 2;       // the print button's hint, with its keys
inline constexpr int AskColours = PrintFirst + 3; // Yes: the skin's colours, No: black on white
inline constexpr int Title = PrintFirst + 4;
inline constexpr int SavePdfTitle = PrintFirst + 5;
inline constexpr int PdfFilter = PrintFirst + 6;
inline constexpr int Failed = PrintFirst + 7; // "%1" stands for the printer or the file
inline constexpr int PdfSaved = PrintFirst + 8;
inline constexpr int Printed = PrintFirst + 9;
inline constexpr int Last = Printed;
} // namespace Entry::Print

// The main window's keys and wheel, and what a screen reader is told of the grid.
namespace Entry::Keys {
inline constexpr int KeysFirst = Print::Last + 1;
inline constexpr int Tooltip = KeysFirst;          // "%1" stands for the keys of a button, after its hint
inline constexpr int WheelHours = KeysFirst + 1;   // the wheel as the hour buttons
inline constexpr int WheelDays = KeysFirst + 2;    // the wheel as the back and forward buttons
inline constexpr int HintSelected = KeysFirst + 3; // the hint line once a key selected a note
// What a screen reader says of a tile; the parts are {weekday}, {day}, {month}, {start}, {end}, {category}
// and {text}. The second is for a note whose category has no name.
inline constexpr int TileName = KeysFirst + 4;
inline constexpr int TileNameNoCategory = KeysFirst + 5;
inline constexpr int GridName = KeysFirst + 6; // the grid itself
inline constexpr int Last = GridName;
} // namespace Entry::Keys

// Calendar files (.ics): the command bar's menu, the report of an import or export and its reasons.
namespace Entry::Calendar {
inline constexpr int CalendarFirst = Keys::Last + 1;
inline constexpr int Caption = CalendarFirst;       // the command bar's item
inline constexpr int Hint = CalendarFirst + 1;      // its hint line
inline constexpr int ExportAll = CalendarFirst + 2; // the menu's items
inline constexpr int ExportShown = CalendarFirst + 3;
inline constexpr int Import = CalendarFirst + 4;
inline constexpr int FileFilter = CalendarFirst + 5;      // the file dialogs' filter
inline constexpr int UndoName = CalendarFirst + 6;        // what an undo of an import takes back
inline constexpr int ReportTitle = CalendarFirst + 7;     // the report window
inline constexpr int Imported = CalendarFirst + 8;        // "%1" stands for how many
inline constexpr int Duplicates = CalendarFirst + 9;      // "%1" stands for how many
inline constexpr int Refused = CalendarFirst + 10;        // "%1" stands for how many
inline constexpr int NoSuchCategory = CalendarFirst + 11; // "%1" stands for the category's name
inline constexpr int FileRefused = CalendarFirst + 12;    // "%1" stands for libical's reason
inline constexpr int Exported = CalendarFirst + 13;       // "%1" stands for how many
inline constexpr int LeftOut = CalendarFirst + 14;        // "%1" stands for how many
inline constexpr int Close = CalendarFirst + 15;
inline constexpr int FirstExportProblem = CalendarFirst + 16; // + ExportProblem, 6 of them
inline constexpr int FirstImportProblem = CalendarFirst + 22; // + ImportProblem, 16 of them
inline constexpr int Last = FirstImportProblem + 15;
} // namespace Entry::Calendar

// Reminders that reach the user, and the backups of the notes.
namespace Entry::Alerts {
inline constexpr int AlertsFirst = Calendar::Last + 1;
inline constexpr int Missed = AlertsFirst;            // marks a missed reminder in the today window
inline constexpr int MissedSummary = AlertsFirst + 1; // the title of the notification of missed reminders
inline constexpr int RestoreCommand = AlertsFirst + 2;
inline constexpr int RestoreTitle = AlertsFirst + 3;
inline constexpr int RestoreDate = AlertsFirst + 4, RestoreSize = AlertsFirst + 5, RestoreNotes = AlertsFirst + 6;
inline constexpr int RestoreButton = AlertsFirst + 7;
inline constexpr int NoBackups = AlertsFirst + 8;
inline constexpr int BackupFailed = AlertsFirst + 9; // "%1" stands for the reason
inline constexpr int RestoreKind = AlertsFirst + 10; // what an undone restore was, for the hint line
inline constexpr int Restored = AlertsFirst + 11;    // "%1" stands for the backup's date and time
inline constexpr int Last = Restored;
} // namespace Entry::Alerts

// The options window's button that puts the program in the desktop's menu, or takes it out.
namespace Entry::Launcher {
inline constexpr int Add = Alerts::Last + 1;
inline constexpr int Remove = Add + 1;
inline constexpr int Failed = Add + 2; // "%1" stands for why
inline constexpr int Last = Failed;
} // namespace Entry::Launcher

namespace Entry {
// The last entry the shipped language files hold; new entries go after it, in both files.
inline constexpr int LastShipped = Launcher::Last;
// January .. December as they follow a day number ("9 декабря"), as the wizard's sentences use them too.
inline constexpr int FirstMonthAfterDay = WizardSummary::MonthFormBase + 1;
inline constexpr int LastMonthAfterDay = WizardSummary::MonthFormBase + 12;
} // namespace Entry

} // namespace plandeck
