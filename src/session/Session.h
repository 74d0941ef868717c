#pragma once

#include "base/DataDirectory.h"
#include "calendar/DayColumns.h"
#include "calendar/HourGrid.h"
#include "calendar/HourGridModel.h"
#include "calendar/Navigation.h"
#include "calendar/TodayStamp.h"
#include "editing/CategoryTable.h"
#include "editing/DropNote.h"
#include "editing/EditHistory.h"
#include "editing/NoteFileEdits.h"
#include "editing/TilePointer.h"
#include "editing/WizardForm.h"
#include "editing/WizardNotes.h"
#include "notes/NoteTextIndex.h"
#include "notes/NotesBackups.h"
#include "notes/NotesFile.h"
#include "notes/WeekRefresh.h"
#include "session/CalendarCommand.h"
#include "session/Changes.h"
#include "session/FoundNote.h"
#include "session/UserQuestions.h"
#include "session/WindowPlan.h"
#include "settings/LanguageTable.h"
#include "settings/Options.h"
#include "settings/OptionsFieldRules.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace plandeck {

// The size and state the main window leaves behind, for the exit save. Sizes are the inner size of the
// normal (not maximised) window in pixels.
struct WindowState {
    bool maximised = false;
    int width = 0;
    int height = 0;
};

struct CategoryFileChange;

// What a Save of the options window did: whether the main option file was written (the window may close),
// the window's fields as written (spans padded, hours corrected), what changed in the options, and what the
// main window must redraw and tell.
struct OptionsSaveResult {
    bool saved = false;
    OptionsWindowFields fields;
    OptionsChanges options;
    Changes changes;
};

// What a save or delete of the note wizard did: what changed, and whether the wizard's work is done.
struct WizardResult {
    Changes changes;
    bool closeWizard = false;
};

// The running program's state and every command a user can give the main window. It reads and writes the
// data files, decides what the window shows and says after each command what changed; it knows nothing of
// widgets. Questions to the user go through `UserQuestions`. Time is always handed in.
class Session {
public:
    // `builtInLanguage` holds the English texts the program carries for a folder whose language files
    // went missing.
    Session(DataDirectory dataDir, UserQuestions& questions, std::string builtInLanguage);

    // Start-up, before the single-instance check: the options, the skin's name, the categories and the
    // language.
    void loadSettings();
    // Start-up, once this copy is the only one: removes past notes when the options ask for it and shows
    // the configured number of days from today.
    Changes openWeek(const TodayStamp& now);
    // Start-up, once this copy holds the lock: temporary files that interrupted saves left behind go.
    void removeLeftoverTemporaryFiles();
    // The options as this run leaves them: shown categories, window size, skin, language, notes file. The
    // notes are never written here.
    WriteResult saveOptionsOnExit(const WindowState& window);
    // What the main option file stores besides the options window's fields, for a window in `window`'s
    // state: shown categories, window size, skin, language and notes file.
    OptionsModuleState optionsState(const WindowState& window) const;

    // Navigation; each brings the columns, the calendar, the captions and the notes up to date.
    Changes back(const TodayStamp& now);
    Changes forward(const TodayStamp& now);
    Changes goToToday(const TodayStamp& now);
    Changes showDay(const TodayStamp& now);
    Changes showDays(const TodayStamp& now);
    Changes showWeek(const TodayStamp& now);
    Changes pickCalendarDay(int cell, const TodayStamp& now);
    // A date the user asked for, shown as a click on it in the month calendar shows it.
    Changes goToDate(const Date& date, const TodayStamp& now);
    // Back or forward by as many days as the view shows (Page Up and Page Down).
    Changes pageBack(const TodayStamp& now);
    Changes pageForward(const TodayStamp& now);
    // The calendar's arrows turn only the calendar.
    Changes nextMonth();
    Changes previousMonth();

    // The find box: the notes whose text holds `query` in any letter case, the first `limit` of them in file
    // order. It searches the notes as held; their texts are decoded and folded once for each version of the
    // file, so a keystroke only scans.
    FindResult findNotes(std::string_view query, std::size_t limit);
    // A note chosen in the find box (its line): its day is shown as a click on it in the month calendar shows
    // it (a repeating note's next day on or after the first day shown), the hours move until it starts within
    // them, and its tile is selected. Nothing moves for a line that holds no note or a note of no day.
    Changes showFoundNote(int line, const TodayStamp& now);

    // The hour buttons beside the grid.
    Changes hourLater();
    Changes hourEarlier();
    Changes resetHours();

    // The category panel: a row's tick and the scroll bar.
    Changes setCategoryShown(int row, bool shown);
    Changes scrollCategories(int first);
    // The number of category rows the panel has room for (six at the least); the panel is filled again
    // when that changes.
    Changes setCategoryRoom(int rows);

    // The category panel's buttons: add a category (a name, then a colour), delete the last one, and rename
    // and recolour the category of a row. Each reloads the panel from the top and shows the notes again.
    Changes addCategory();
    Changes deleteLastCategory();
    Changes renameCategory(int row);

    // The note wizard. Each opening gives the form the wizard starts from: for the new-note command, for a
    // press on the empty grid at (x, y) in grid units, or for the note at a line of the notes file (nothing
    // when that line holds no note).
    WizardForm openWizardForNewNote();
    WizardForm openWizardAt(double x, double y);
    std::optional<WizardForm> openWizardForLine(int line);
    // The categories the wizard offers: index and name of every category with a name.
    std::vector<std::pair<int, std::string>> wizardCategories() const;
    // Writes the wizard's note line; in edit mode it takes the edited note's place at the end of the file.
    WizardResult saveWizardNote(const std::string& line);
    // Deletes the note the wizard edits, asking first when the options say so.
    WizardResult deleteWizardNote();
    // The wizard closed, however: the week is shown again.
    Changes wizardClosed();

    // The grid picture's size in pixels; nothing happens when it did not change.
    Changes setGridSize(int width, int height);
    // The clock moved on: the current-time line and today's date.
    Changes updateTime(const TodayStamp& now);
    // Rebuilds the tiles from the notes as held; the file is read again only when another program changed it.
    // A refresh asked for while one runs (from inside a question to the user) is run once the running one
    // ends, never inside it.
    Changes refreshNotes();

    // Another program may have changed the notes or the category file (the file watcher saw something, or
    // the today window's tick looked): what changed is shown. Nothing is asked: damaged lines are skipped and
    // the hint line says so.
    Changes outsideChanges();
    // Whether a change of the notes is shown but not yet written (see Changes::writePending).
    bool writePending() const { return m_notes.hasPending(); }
    // With this on, a change of the notes is shown first and written by `finishWrites`, so that the window
    // can paint before the disk is touched; off (the default), commands write at once.
    void setWritesAfterPaint(bool on) { m_writesAfterPaint = on; }
    // Writes the change that is shown but not yet written. A write that fails takes back only that change.
    Changes finishWrites();
    // About a second after a write: lines other programs appended to the replaced file are carried over.
    Changes carryLateAppends();

    // Calendar files. The notes, or those that fall on the shown days, written to an .ics file at `path`
    // (`stampUtc`, seconds since 1970, is the moment of the export); and the events of an .ics file that fit a
    // note added after the last line, in one step that undo takes back.
    CalendarExportReport exportCalendar(const std::string& path, bool shownDaysOnly, std::int64_t stampUtc);
    CalendarImportReport importCalendar(const std::string& path);

    // Undo and redo of the changes this program made to the notes and category files.
    Changes undo();
    Changes redo();
    bool canUndo() const { return m_history.nextUndo() != nullptr; }

    // Backups of the notes file. The clock reads the local time to the second when a backup is made; without
    // one, the last clock reading a command was given is taken.
    void setBackupClock(std::function<BackupTime()> clock) { m_backupClock = std::move(clock); }
    // The backups of the notes file in use, newest first, with their notes counted.
    std::vector<NotesBackup> notesBackups() const;
    // The notes become the backup's: one undoable step, made after a backup of the notes as they are.
    Changes restoreBackup(const std::string& backupPath);
    bool canRedo() const { return m_history.nextRedo() != nullptr; }

    // Editing notes and moving them with the mouse. Points are grid coordinates (twips).
    //
    // The pointer rests on the grid: over a tile's text that tile becomes the selection, over the empty
    // grid the selection is cleared, over a grip it stays. Says what the pointer is over.
    PointerHit pointAt(float x, float y, const GripArea& grip);
    std::optional<int> selectedSlot() const { return m_selected; }
    const NoteTile* selectedTile() const;
    void clearSelection() { m_selected.reset(); }
    // A key moves the selection to a neighbouring tile; false when there is none that way.
    bool selectNeighbour(TileStep step);
    // The line number of the selected tile's note (0 for none), for the wizard's edit mode.
    int selectedNoteLine() const;
    // Ctrl held: a note drop copies instead of moving.
    void setCopyFlag(bool on) { m_copyFlag = on; }
    bool copyFlag() const { return m_copyFlag; }
    // Deletes the selected tile's note, first asking when the options say so.
    Changes deleteSelectedNote();
    // Opens the in-place editor on the selected tile; gives its slot, or nothing without a selection.
    std::optional<int> beginInlineEdit();
    // The editor opened by itself on a note with the placeholder text; gives its slot.
    std::optional<int> placeholderEditorOpened();
    bool inlineEditOpen() const { return m_inlineEdit.has_value(); }
    // The note gets the typed text and moves to the end of the file.
    Changes commitInlineEdit(const std::string& typed);
    // Escape in the editor: nothing is saved, the notes are shown again.
    Changes cancelInlineEdit();
    // The editor lost the focus: nothing is saved and nothing redrawn.
    void leaveInlineEdit();
    // A tile let go at a point, `grabY` below its top: the note moves there, or is copied when asked or
    // while Ctrl is held.
    Changes dropTile(int slot, float x, float y, float grabY, bool copy);
    // What a tile let go at a point would become, for the outline that follows the pointer; nothing is
    // written. Nothing when the slot holds no tile.
    std::optional<DropResult> previewTileDrop(int slot, float x, float y, float grabY) const;
    // The tile of the note being edited in place, while it is shown.
    const NoteTile* inlineEditTile() const;
    // A tile's grip let go with its top at `gripTop`: the note ends there.
    Changes resizeTile(int slot, float gripTop);
    // A category let go over the grid: a one-hour note with the placeholder text, centred on the point.
    Changes dropCategory(int category, float x, float y, float ghostHeight);

    // The options window's Save (or a notes file picked in it): writes the main option file, then the system
    // option file, then registers or unregisters the program to start at log-on, each step only when the one
    // before succeeded, and applies what was written. `window` is the main window's state for the lines the
    // window does not edit.
    OptionsSaveResult saveOptions(const OptionsChoice& choice, const WindowState& window, const TodayStamp& now);
    // Writes or removes the program's log-on entry; the session calls it once both option files are saved.
    using StartAtLogon = std::function<WriteResult(bool startAtLogon)>;
    void setStartAtLogon(StartAtLogon apply) { m_startAtLogon = std::move(apply); }
    // The options files were saved; `saved` says what the files now hold and what changed. A new skin, language
    // or notes file opens the week afresh from the files, as at start-up. Otherwise the configured hours
    // are shown again and the N-day view takes the new day count; the day and week views keep their
    // columns until the N-day view is chosen.
    Changes applySavedOptions(const OptionsSavePlan& saved, const TodayStamp& now);
    // Writes the feature ticks when they changed; a failed write keeps the settings in use as they were.
    Changes saveFeatures(const FeatureSettings& chosen);
    // The options window closed, after Save or Cancel: dragged notes snap to `snapMinutes` from now on (the
    // file keeps what was last saved), and the captions are shown again.
    Changes optionsClosed(int snapMinutes, const TodayStamp& now);
    // The step in minutes to which dragged notes snap.
    int snapMinutes() const { return m_snapMinutes.value_or(m_options.snapMinutes); }

    // The today window, the tray icon and the main window's states. The system option file is read afresh
    // each time, so a change saved in the options applies at once. `trayShown` says whether the tray icon is
    // actually up: without a notification area the program behaves as if the icon were switched off, so
    // the main window is never hidden where the user could not get it back.

    // The tray menu to put up when the main window becomes active; nothing when the options want no icon or
    // the desktop has no notification area. Its today item tells what choosing it will do.
    std::optional<std::vector<TrayMenuItem>> trayMenuOnActivation(bool trayAvailable, bool todayVisible) const;
    // The items after the first ("open"), offering to hide the today window when it is on show.
    std::vector<TrayMenuItem> trayMenuTail(bool todayVisible) const;
    // The main window was minimised, restored to normal or maximised.
    WindowPlan mainWindowStateChanged(MainWindowState state, bool todayVisible, bool trayShown);
    // The tray's double click and its "open" item: hide the main window, or bring it back as it was.
    WindowPlan hideOrRestoreMainWindow(bool mainVisible, bool trayShown) const;
    // The tray menu's today item: show the today window, or hide it.
    WindowPlan showOrHideTodayWindow(bool todayVisible, bool trayShown) const;
    // Looked at now and then: a main window hidden in a tray that has since gone (the panel was closed) comes
    // back, or the user could never reach it again.
    WindowPlan trayWatch(bool mainVisible, bool trayShown) const;
    // Whether the main window was maximised when it was last shown, to bring it back the same way.
    bool wasMaximised() const { return m_wasMaximised; }

    const DataDirectory& dataDirectory() const { return m_dataDir; }
    // The option files as last read or saved.
    const MainOptions& options() const { return m_options; }
    const SystemOptions& systemOptions() const { return m_system; }
    const FeatureSettings& features() const { return m_features; }
    // The skin shown: the stored one, or the default skin when the stored one's folder is missing.
    const std::string& shownSkin() const { return m_shownSkin; }
    const LanguageTable& language() const { return m_language; }
    const std::string& entry(int n) const { return m_language.entry(n); }
    const CategoryTable& categories() const { return m_categories; }
    const CategoryPanel& categoryPanel() const { return m_panel; }
    const Navigation& navigation() const { return m_nav; }
    HourRange hours() const { return m_hours; }
    const std::string& notesPath() const { return m_notesPath; }
    const HourGridModel& grid() const { return m_grid; }
    const DateCaptions& dateCaptions() const { return m_captions; }
    // The clock's reading the last command was given.
    const TodayStamp& clockReading() const { return m_clock; }
    // "7 – 9 Dec 2026", followed by the weeks ("7 – 13 Dec 2026 · Week 50") unless week numbers are off.
    std::string shownRangeCaption() const;
    // The shown days as the grid shows them, laid out for a page of `width` x `height` pixels: the same
    // columns, hours, working spans and notes of the shown categories, without the current-time line.
    HourGridModel pageGrid(int width, int height) const;
    // The note that still carries the placeholder text after the last refresh (0 for none), and where its
    // editor goes.
    int editedLine() const { return m_editedLine; }
    const TileRect& editorRect() const { return m_editorRect; }
    bool ready() const { return m_ready; }
    bool quitRequested() const { return m_quitRequested; }
    // Why the notes file could not be read whole at the last refresh; empty when it could. Nothing is
    // written to it until it reads again.
    const std::string& notesReadFailure() const { return m_notesReadFailure; }

private:
    void loadLanguage();
    // After every change of the shown dates.
    Changes datesChanged(const TodayStamp& now);
    // The grid's geometry, background and time line for the current dates, hours and size, then the notes.
    Changes layOutGrid();
    // Geometry, day headers and working spans of the grid at a size; the tiles are the refresh's.
    HourGridModel gridBackground(int width, int height) const;
    // The tiles of the notes held for the shown columns in a view.
    WeekRefreshResult tilesFor(const WeekView& view) const;
    Changes refreshOnce();
    // The damaged lines of the notes file: asked about (or, quietly, counted for the hint line).
    Changes handleDamagedLines();
    // Changes the notes file and shows the result; the change is undoable as `kind`. `refusedChange`, when
    // given, says whether the file did not allow the change (nothing was changed).
    Changes changeNotes(const LineChange& change, EditKind kind, bool* refusedChange = nullptr);
    void followInlineEdit();
    Changes placeNote(const NoteTile& tile, const DropRequest& request);
    DropRequest tileDrop(const NoteTile& tile, float x, float y, float grabY, bool copy) const;
    // A change a file did not allow: said to the user; a stale view is shown again.
    Changes refused(const ChangeOutcome& outcome, const std::string& path);
    // Whether a note may be deleted, by the confirm setting: at once, after asking (also when the setting cannot
    // be read), or never.
    bool deleteConfirmed();
    // Changes the category file; the change is undoable as `kind`.
    Changes changeCategories(const LineChange& change, EditKind kind);
    // After the category file changed: the panel from the top, then the grid or the notes.
    Changes categoriesChanged();
    // The category file as it is now (read again when another program changed it).
    const TextLines& categoryLines();
    Changes undoOrRedo(bool redo);
    // Right before a rewrite replaces the notes file.
    void backUpNotes(const std::string& replacedFile);
    // The first backup that could not be made, told once.
    Changes takeBackupNotice();

    DataDirectory m_dataDir;
    UserQuestions& m_questions;
    std::string m_builtInLanguage;

    MainOptions m_options;
    SystemOptions m_system;
    FeatureSettings m_features;
    std::string m_shownSkin;
    std::string m_languageFile;
    LanguageTable m_language;
    CategoryTable m_categories;
    CategoryPanel m_panel;
    int m_categoryRoom = CategoryPanel::RowCount;
    Navigation m_nav;
    HourRange m_hours;
    HourRange m_configuredHours;
    std::string m_notesPath;
    std::string m_notesReadFailure;
    std::string m_optionsUnreadable; // why the main option file could not be read at start-up
    TodayStamp m_clock{};
    std::optional<int> m_snapMinutes; // set by the options window, until the program ends
    StartAtLogon m_startAtLogon;

    int m_gridWidth = 0;
    int m_gridHeight = 0;
    HourGridModel m_grid;
    DateCaptions m_captions;
    int m_editedLine = 0;
    TileRect m_editorRect;

    long m_lastCategoryColour = 0; // the colour picker opens on the colour chosen last
    std::optional<EditedNote> m_wizardEdit;

    bool m_ready = false;
    bool m_quitRequested = false;
    bool m_wasMaximised = false;
    bool m_refreshing = false;
    bool m_refreshAgain = false;
    bool m_quietRefresh = false; // a refresh no user action started: it asks nothing

    NotesFile m_notes;
    TrackedFile m_categoryFile;
    EditHistory m_history;
    EditKind m_pendingKind = EditKind::EditText;
    bool m_writesAfterPaint = false;
    NotesBackups m_backups;
    std::function<BackupTime()> m_backupClock;
    bool m_forceBackup = false;       // the next rewrite is backed up whatever the hour
    std::string m_backupFailure;      // why the last backup failed, until told
    bool m_backupFailureTold = false; // a failing backup folder is told about once

    // The note texts the find box searches, and the version of the notes they were taken from.
    NoteTextIndex m_textIndex;
    struct TextIndexSource {
        FileStamp stamp;
        bool pending = false;
        std::size_t bytes = 0;
        friend bool operator==(const TextIndexSource&, const TextIndexSource&) = default;
    };
    std::optional<TextIndexSource> m_textIndexSource;

    // The tile the pointer rests on; none is a value of its own, every slot can be selected.
    std::optional<int> m_selected;
    bool m_copyFlag = false;
    // The note whose text is being edited in place, and the line it was when the editor opened.
    struct InlineEdit {
        int line = 0;
        std::string lineText;
    };
    std::optional<InlineEdit> m_inlineEdit;
};

} // namespace plandeck
