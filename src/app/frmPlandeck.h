#pragma once

#include "calendar/HourGrid.h"
#include "calendar/Navigation.h"
#include "calendar/ui/HourGridWidget.h"
#include "editing/CategoryTable.h"
#include "base/DataDirectory.h"
#include "settings/LanguageTable.h"
#include "settings/Options.h"
#include "settings/SkinColours.h"
#include "settings/ui/SkinPictures.h"

#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>

namespace plandeck {

class CategoryPanelWidget;
class ClockWidget;
class MonthGridWidget;
class PictureButton;
class SingleInstance;

// The main window: the day columns over the hour grid, the month calendar, the category panel, the
// command bar and the hint line. It owns the state of the shown dates and hours and turns every user
// action into a call of the logic followed by a repaint.
class frmPlandeck : public QWidget {
    Q_OBJECT

public:
    explicit frmPlandeck(DataDirectory dataDir, QWidget* parent = nullptr);
    ~frmPlandeck() override;

    // Start-up: options, skin, categories, language, the single-instance check, the week of today. False
    // when the program must end at once (another copy runs).
    bool Form_Load();
    // Shows the window as the options ask (maximised or at its stored size).
    void showAsStored();

    const DataDirectory& dataDirectory() const { return m_dataDir; }
    const MainOptions& options() const { return m_options; }
    const std::string& notesPath() const { return m_notesPath; }
    const LanguageTable& language() const { return m_language; }
    const CategoryTable& categories() const { return m_categories; }
    const Navigation& navigation() const { return *m_nav; }
    HourRange hours() const { return m_hours; }
    bool ready() const { return m_ready; }
    int editedLine() const { return m_editedLine; }
    // True when the user chose to end the program from the malformed-line question.
    bool quitRequested() const { return m_quitRequested; }
    HourGridWidget* grid() const { return m_grid; }

    // The grid background for the current dates and hours, then the notes.
    void resizing();
    // The current-time line, the clock hands and today's captions.
    void vremena();
    // Rebuilds the note tiles from the notes file.
    void WeekRefresh();
    // Saves the options as the program leaves them; false when the file could not be written. A failure is
    // shown to the user, or only written to the error output when `askUser` is false.
    bool saveOptionsOnExit(bool askUser = true);

public slots:
    // Closes the window for a log-out or a kill: the same orderly shutdown, but nothing may wait for the
    // user.
    void terminate();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createWidgets();
    QLabel* picture(const QString& name, QWidget* parent);
    QLabel* text(const QString& name, QWidget* parent, int pixelSize, bool bold = false);
    PictureButton* button(const QString& name, QWidget* parent, int hintEntry);
    void setHint(QWidget* widget, int entry);
    void showHint(int entry);

    void loadSkin();
    void applySkinColours(const SkinColours& colours);
    void loadSkinPictures();
    void loadLanguage();
    void applyLanguageCaptions();
    void loadCategories(int first);
    void layOutWindow();
    void placeGridButtons();
    void keepWithinSizeLimits();

    // After every change of the shown dates: captions, calendar, grid and notes.
    void afterNavigation();
    void showMonthGrid();
    void showViewButtons();
    TodayStamp nowStamp() const;
    QString entry(int n) const;

    DataDirectory m_dataDir;
    MainOptions m_options;
    std::string m_notesPath;
    std::string m_skinName;
    std::string m_languageFile;
    LanguageTable m_language;
    CategoryTable m_categories;
    std::unique_ptr<Navigation> m_nav;
    std::unique_ptr<SingleInstance> m_instance;
    HourRange m_hours;
    HourRange m_configuredHours;
    bool m_ready = false;
    bool m_quitRequested = false;
    bool m_closing = false;
    bool m_terminating = false;
    int m_editedLine = 0;
    int m_categoryFirst = 0;
    HourGridModel m_model;
    DateCaptions m_dateCaptions;
    SkinPictureStore m_store;
    SkinColours m_colours;

    // Widgets, named after the controls they stand for.
    QLabel* m_header = nullptr;    // Image17
    QLabel* m_clockFace = nullptr; // Image25
    ClockWidget* m_clock = nullptr;
    QLabel* m_title = nullptr;    // Label4
    QLabel* m_subtitle = nullptr; // Label10
    struct CommandItem {
        QLabel* highlight;
        QLabel* icon;
        QLabel* label;
    };
    std::array<CommandItem, 4> m_commands{};
    QLabel* m_calendarBack = nullptr;    // Image16
    QLabel* m_calendarCaption = nullptr; // Label26
    MonthGridWidget* m_month = nullptr;
    QLabel* m_todayBack = nullptr;          // Image9
    QLabel* m_todayCaption = nullptr;       // Label28
    QLabel* m_todayWeekday = nullptr;       // Label37
    QLabel* m_todayDay = nullptr;           // Label38
    QLabel* m_todayMonth = nullptr;         // Label39
    PictureButton* m_todaySecond = nullptr; // Image19
    QWidget* m_panel = nullptr;             // Frame2
    QLabel* m_panelTop = nullptr;           // Image31
    QLabel* m_panelBottom = nullptr;        // Image8
    QLabel* m_categoryBack = nullptr;       // Image1
    QLabel* m_categoryCaption = nullptr;    // Label27
    CategoryPanelWidget* m_categoryPanel = nullptr;
    HourGridWidget* m_grid = nullptr;       // Picture2
    PictureButton* m_back = nullptr;        // Image20
    PictureButton* m_dayView = nullptr;     // Image11
    PictureButton* m_daysView = nullptr;    // Image12
    PictureButton* m_weekView = nullptr;    // Image13
    PictureButton* m_forward = nullptr;     // Image22
    PictureButton* m_today = nullptr;       // Image21
    PictureButton* m_hourLater = nullptr;   // Image18
    PictureButton* m_hourReset = nullptr;   // Image23
    PictureButton* m_hourEarlier = nullptr; // Image33
    QLabel* m_yearFirst = nullptr;          // Label11(0)
    QLabel* m_yearLast = nullptr;           // Label11(7)
    QLineEdit* m_editor = nullptr;          // Text2
    QLineEdit* m_keys = nullptr;            // Text1
    QLabel* m_bottom = nullptr;             // Image32
    QLabel* m_about = nullptr;              // Image24
    QLabel* m_aboutCaption = nullptr;       // Label17
    QLabel* m_hint = nullptr;               // Label30
    QLabel* m_motto = nullptr;              // Label42
    QLabel* m_web = nullptr;                // Label41
    QTimer* m_timer = nullptr;              // Timer1
    QHash<QObject*, int> m_hints;
};

} // namespace plandeck
