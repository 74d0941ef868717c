#pragma once

#include "calendar/ui/GoToDateBox.h"
#include "calendar/ui/HourGridWidget.h"
#include "editing/ui/EventWizard.h"
#include "editing/ui/NoteMenu.h"
#include "notes/ui/CalendarReportWindow.h"
#include "notes/ui/FindBox.h"
#include "platform/TrayIcon.h"
#include "session/Command.h"
#include "session/Session.h"
#include "settings/SkinColours.h"
#include "settings/ui/AboutBox.h"
#include "settings/ui/OptionsWindow.h"
#include "settings/ui/SkinPictures.h"

#include <QFrame>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace plandeck {

class CategoryPanelWidget;
class DragWatch;
class FileWatcher;
class ClockWidget;
class MonthGridWidget;
class PictureButton;
class RestoreBackupDialog;
class SingleInstance;
class TodayWindow;

// The main window: the day columns over the hour grid, the month calendar, the category panel, the
// command bar and the hint line. It builds the widgets, hands every user action to one command of the
// session and redraws what the command says changed.
class MainWindow : public QWidget, public UserQuestions {
    Q_OBJECT

public:
    explicit MainWindow(DataDirectory dataDir, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up: options, skin, categories, language, the single-instance check, the week of today. False
    // when the program must end at once (another copy runs, or the user chose to end it).
    bool start();
    // Shows the window as the options ask (maximised or at its stored size). What the first paint does not
    // need (the today window with its chime, the tray icon) starts right after it.
    void showAsStored();

    Session& session() { return *m_session; }
    const Session& session() const { return *m_session; }
    HourGridWidget* grid() const { return m_grid; }
    // The today window, made hidden right after the first paint and kept until exit; the tray icon while there
    // is one.
    TodayWindow* todayWindow() const { return m_todayWindow; }
    // The report of the last calendar file imported or exported, while it is open.
    CalendarReportWindow* calendarReport() const { return m_calendarReport; }
    TrayIcon* trayIcon() const { return m_tray; }

    // The note wizard, one at a time, shown beside the main window: for a new note (the new-note command),
    // for a press on the empty grid at a point in grid units, and on the note at a line of the notes file.
    // A new-note wizard that is open is reused; any other is replaced. Every close shows the week again.
    void openNewNoteWizard();
    void openWizardAt(QPointF twips);
    void openWizardForLine(int line);
    EventWizard* wizard() const { return m_wizard; }

    // Carries out a command, whichever control, key or menu gave it.
    void run(Command command);
    // Redraws what a command changed and tells the user what went wrong.
    void apply(const Changes& changes);
    // Saves the options as the program leaves them; false when the file could not be written. A failure is
    // shown to the user, or only written to the error output when `askUser` is false.
    bool saveOptionsOnExit(bool askUser = true);

    // The command bar and the bottom strip.
    // A fresh options window, filled from the option files; one that was open is closed first.
    void openOptions();
    // The about box; an open one is brought to the front.
    void openAbout();
    // Prints the shown days, or saves them as PDF: asks for the colours (the skin's or black on white), then
    // for the printer or the file, and says in the hint line where the page went.
    void printShownDays(bool pdf);
    OptionsWindow* optionsWindow() const { return m_optionsWindow; }
    AboutBox* aboutBox() const { return m_aboutBox; }
    // Registers or unregisters the program to start at log-on when the options are saved.
    void setAutorunHook(Session::StartAtLogon hook) { m_session->setStartAtLogon(std::move(hook)); }

    // The find box (one, kept once made) and the go-to-date box (a fresh one each time).
    void openFindBox();
    void openGoToDate();
    FindBox* findBox() const { return m_findBox; }
    GoToDateBox* goToDateBox() const { return m_goToDateBox; }

    NoteMenu* noteMenu() const { return m_menu; }

    // The list of the notes file's backups, one of which the user may restore.
    void openRestoreBackup();
    RestoreBackupDialog* restoreDialog() const;
    QWidget* ghost() const { return m_ghost; }

signals:
    // The today window and the tray icon are in place, right after the first paint.
    void servicesStarted();
    // The window came to the front for another start of the program.
    void broughtToFront();
    // "Edit in the wizard" (Enter on a selected tile, or the note menu's first item) for the note on this
    // line of the notes file. The wizard connects here.
    void editInWizardRequested(int line);

public slots:
    // Closes the window for a log-out or a kill: the same orderly shutdown, but nothing may wait for the
    // user.
    void terminate();
    // The tray's double click and its "open" item: hides the window to the tray, or brings it back as it was.
    void hideOrRestore();
    // Another start of the program on this folder: the window comes back from the tray or from being
    // minimised, in front of the others.
    void bringToFront();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // UserQuestions, answered with message boxes.
    Answer ask(const std::string& text, const std::string& title, Buttons buttons, Answer defaultAnswer,
               const std::string& detail) override;
    void tell(const std::string& text, const std::string& title) override;
    std::optional<std::string> askText(const std::string& prompt, const std::string& title,
                                       const std::string& initial) override;
    std::optional<long> chooseColour(long initial) override;

    // A wizard on `form`: reuses an open new-note wizard for a new note, otherwise closes the open one first.
    void showWizard(const WizardForm& form, WizardStep step, int editLine);
    EventWizard* createWizard(bool editMode);
    // Closes the open wizard; `showWeek` false on the way out, where nothing is redrawn.
    void closeWizard(bool showWeek);

    // The window region by region.
    void centreOverWindow(QWidget* window) const;
    void buildHeader();
    void buildCalendar();
    void buildTodayCard();
    void buildCategoryPanel();
    void buildGrid();
    void buildGridButtons();
    void buildBottomStrip();
    void connectNavigation();

    QLabel* picture(const QString& name, QWidget* parent);
    QLabel* text(const QString& name, QWidget* parent, int pixelSize, bool bold = false);
    PictureButton* button(const QString& name, QWidget* parent, int hintEntry);
    void setHint(QWidget* widget, int entry);
    void showHint(int entry);
    QString entry(int n) const;

    void loadSkinBackground();
    void applySkinColours(const SkinColours& colours);
    void loadSkinPictures();
    void applyTileFont();
    void applyLanguageCaptions();
    void layOutWindow();
    void placeGridButtons();
    void keepWithinSizeLimits();
    // Opens the window within the screen's free area, shrinking its smallest size where that is too small.
    void fitIntoScreen();

    void showDates();
    void showMonthGrid();
    void showViewButtons();
    void showCategories();
    void showGrid();

    // Editing notes and moving them with the mouse (MainWindowEditing.cpp).
    void buildNoteEditing();
    // The key field's and the editor's keys, the category names' drags; true when the event was used.
    bool noteEditingEvent(QObject* watched, QEvent* event);
    bool keyCommand(QKeyEvent* event);
    // The wheel over the grid or the month calendar; true when it was used.
    bool wheelCommand(QObject* watched, QWheelEvent* event);
    // A key moves the selection to another tile; false when there is none that way.
    bool selectTile(TileStep step);
    // "Keys: PgUp, Alt+Left; …" for a control that keys or the wheel can stand in for; empty for others.
    QString keysTooltip(const QObject* control) const;
    bool editorKey(QKeyEvent* event);
    bool categoryDragEvent(int row, QEvent* event);
    void pointerOverGrid(QPointF twips);
    void deleteSelectedNote();
    void beginInlineEdit();
    void editInWizard();
    // The editor after a refresh: opened on a placeholder note, or left alone while the user types.
    void showEditor();
    void closeEditor();
    void placeEditor(const NoteTile& tile);
    void releaseTile(int slot, QPoint globalPos, float grabY, Qt::KeyboardModifiers modifiers);
    // The grid point a drag let go at a point on the screen drops at, by what lies there; nothing when that
    // control takes no drop. `draggedSlot` is the tile being moved (0 for a category).
    std::optional<GridPoint> dropPointAt(QPoint globalPos, int draggedSlot) const;
    void showTime();
    // The command a click on a control of the command bar or the bottom strip gives; nothing for any other.
    std::optional<Command> commandAt(const QObject* control) const;
    // The note menu's items and their captions in the language shown.
    static std::vector<NoteMenu::Item> noteMenuItems();
    std::vector<QString> noteMenuCaptions() const;
    // The options window's Save: the fields as written, or nothing when the files could not be written.
    std::optional<OptionsWindowFields> saveOptions(const OptionsChoice& choice);
    // The clock's reading as the logic takes it.
    static TodayStamp now();

    // The today window and the tray icon.
    void startServices();
    void createTodayWindow();
    void recreateTrayIcon();
    void removeTrayIcon();
    bool trayShown() const;
    void showOrHideTodayWindow();
    void refreshTrayMenu(const std::vector<TrayMenuItem>& tail);
    void carryOut(const WindowPlan& plan);

    // MainWindowFiles.cpp: the files other programs change, and undo.
    void watchFiles();
    // Shows what another program changed, once no drag, editor, wizard or question is open.
    void outsideChange();
    bool busyForOutsideChanges() const;
    // After a change was painted: it is written now.
    void finishPendingWrite();
    void undoOrRedo(bool redo);
    // MainWindowPrint.cpp: the print button's picture, drawn in the grid's text colour.
    void showPrintButton();

    // MainWindowCalendar.cpp: calendar files, from the command bar's menu and from a second start.
    static QPixmap calendarFilesIcon();
    void openCalendarMenu();
    void exportCalendarFile(bool shownDaysOnly);
    void importCalendarFile();
    // Imports a file, shows what changed and the report.
    CalendarImportReport importCalendarFrom(const QString& path);
    // A second start's "--import-ics": the exit code on the first line, then the report.
    QByteArray importForAnotherStart(const QString& path);
    void showCalendarReport(const std::vector<ReportLine>& lines);

    std::unique_ptr<Session> m_session;
    std::unique_ptr<SingleInstance> m_instance;
    QPointer<QMenu> m_calendarMenu;
    QPointer<CalendarReportWindow> m_calendarReport;
    bool m_closing = false;
    bool m_terminating = false;
    bool m_servicesStarted = false;
    bool m_shownAsStored = false; // start-up is over and the window was shown
    SkinPictureStore m_store;
    SkinColours m_colours;

    // Widgets; each carries the name of the control it stands for as its object name.
    QLabel* m_header = nullptr;
    QLabel* m_clockFace = nullptr;
    ClockWidget* m_clock = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_shownRange = nullptr;
    struct CommandItem {
        QLabel* highlight;
        QLabel* icon;
        QLabel* label;
        Command command;
    };
    std::array<CommandItem, 5> m_commands{};
    QLabel* m_calendarBack = nullptr;
    QLabel* m_calendarCaption = nullptr;
    MonthGridWidget* m_month = nullptr;
    QLabel* m_todayBack = nullptr;
    QLabel* m_todayCaption = nullptr;
    QLabel* m_todayWeekday = nullptr;
    QLabel* m_todayDay = nullptr;
    QLabel* m_todayMonth = nullptr;
    PictureButton* m_todayCardButton = nullptr;
    QWidget* m_panel = nullptr;
    QLabel* m_panelTop = nullptr;
    QLabel* m_panelBottom = nullptr;
    QLabel* m_categoryBack = nullptr;
    QLabel* m_categoryCaption = nullptr;
    CategoryPanelWidget* m_categoryPanel = nullptr;
    HourGridWidget* m_grid = nullptr;
    PictureButton* m_back = nullptr;
    PictureButton* m_dayView = nullptr;
    PictureButton* m_daysView = nullptr;
    PictureButton* m_weekView = nullptr;
    PictureButton* m_forward = nullptr;
    PictureButton* m_today = nullptr;
    PictureButton* m_hourLater = nullptr;
    PictureButton* m_hourReset = nullptr;
    PictureButton* m_hourEarlier = nullptr;
    PictureButton* m_print = nullptr;
    QLabel* m_yearFirst = nullptr;
    QLabel* m_yearLast = nullptr;
    QLineEdit* m_editor = nullptr;
    QLineEdit* m_keys = nullptr;
    QLabel* m_bottom = nullptr;
    QLabel* m_about = nullptr;
    QLabel* m_aboutCaption = nullptr;
    QLabel* m_hint = nullptr;
    int m_hintEntry = 0; // the entry the hint line shows, shown again when the language changes
    QLabel* m_motto = nullptr;
    QLabel* m_web = nullptr;
    QTimer* m_timer = nullptr;
    QHash<QObject*, int> m_hints;
    QPointer<OptionsWindow> m_optionsWindow;
    QPointer<AboutBox> m_aboutBox;
    TodayWindow* m_todayWindow = nullptr;
    QPointer<TrayIcon> m_tray;
    QRect m_placeBeforeHiding;
    QPointer<EventWizard> m_wizard;
    QPointer<RestoreBackupDialog> m_restoreDialog;
    QPointer<FindBox> m_findBox;
    QPointer<GoToDateBox> m_goToDateBox;

    NoteMenu* m_menu = nullptr;
    QPointF m_menuPoint; // where the note menu was opened, in twips
    QFrame* m_ghost = nullptr;
    // A category being dragged onto the grid.
    struct CategoryDrag {
        int category = -1;
        float ghostHeight = 0; // twips
    };
    std::optional<CategoryDrag> m_categoryDrag;
    DragWatch* m_categoryDragWatch = nullptr;
    void cancelCategoryDrag();
    bool m_closingEditor = false;
    int m_wheelRest = 0; // eighths of a degree the wheel turned short of a notch

    // Other programs' changes of the notes and category files, and the carrying over of late appends.
    FileWatcher* m_watcher = nullptr;
    QTimer* m_lateAppends = nullptr;
    QTimer* m_fileLook = nullptr;
};

} // namespace plandeck
