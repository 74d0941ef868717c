#pragma once

namespace plandeck {

// Everything the user can ask for by name: the command bar and the bottom strip, the main window's keys, the
// tray menu and the note menu all name one of these, and the main window carries it out in one place
// (MainWindow::run). A new command is a new value here, a row in the tables that offer it, and a case there.
enum class Command {
    // The command bar and the bottom strip.
    NewNote,
    Options,
    Help,
    Exit,
    CalendarFiles, // the menu of calendar files: export, export the shown days, import
    About,
    CopyWebAddress,
    // The window, from the tray and the keys.
    ShowOrHideWindow,
    ShowOrHideToday,
    Minimise,
    // The selected note, from the keys and the note menu.
    EditInWizard,
    EditText,
    DeleteNote,
    // The last change of the notes or the categories, from the keys and the note menu.
    Undo,
    Redo,
    // The notes file's backups, from the note menu and the tray.
    RestoreBackup,
    // The find box and the go-to-date box.
    Find,
    GoToDate,
    // The shown days on paper, from the keys and the print button.
    Print,
    SavePdf,
    // The shown days and hours, from the buttons under the grid, the keys and the wheel.
    Back,        // one day back, a week in the week view
    Forward,     // one day forward, a week in the week view
    PageBack,    // back by as many days as the view shows
    PageForward, // forward by as many days as the view shows
    Today,
    DayView,
    DaysView,
    WeekView,
    HourEarlier,
    HourLater,
    // The selection, from the keys: to a neighbouring note, or through the notes in reading order.
    SelectLeft,
    SelectRight,
    SelectUp,
    SelectDown,
    SelectNext,
    SelectPrevious,
};

} // namespace plandeck
