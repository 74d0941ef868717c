#pragma once

#include "base/DataDirectory.h"
#include "base/TextFile.h"
#include "settings/LanguageTable.h"
#include "settings/Options.h"
#include "settings/OptionsFieldRules.h"

#include <QColor>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

namespace plandeck {

class SpinButtons;

// What the options window starts from besides the option files it reads itself.
struct OptionsWindowSetup {
    DataDirectory dataDir{std::string()};
    LanguageTable language;
    // The options the program runs with: the skin and language in use, the hours, the tiles' font. A Save
    // reports its changes against these.
    MainOptions current;
    // The skin the windows show (the chosen one, or the default while the chosen one's folder is missing);
    // empty for the chosen one.
    std::string shownSkin;
    // The notes file in use, shown on the system page.
    std::string notesPath;
    // The ticks of what Plandeck adds to the original options.
    FeatureSettings features;
    // The main window's title colour, which the window's own title takes.
    QColor titleColour = QColor(30, 40, 60);
};

// The options window: four pages of settings (general, system, appearance, language) that are filled from
// the option files when it opens and dropped by Cancel. Save hands what the user set to the program, which
// writes the files; the window closes itself once they are written, and after Cancel.
class OptionsWindow : public QWidget {
    Q_OBJECT

public:
    enum Page { GeneralPage, SystemPage, AppearancePage, LanguagePage };

    // Writes the option files from what the user set and applies them; gives the fields as written, or
    // nothing when the files could not be written (the handler has told the user why).
    using SaveHandler = std::function<std::optional<OptionsWindowFields>(const OptionsChoice& choice)>;

    explicit OptionsWindow(OptionsWindowSetup setup, QWidget* parent = nullptr);

    void setSaveHandler(SaveHandler handler) { m_saveHandler = std::move(handler); }
    void showPage(Page page);
    Page page() const { return m_page; }

    // The fields as they stand now.
    OptionsWindowFields fields() const;
    bool saveEnabled() const;

    void save();
    void cancel();

signals:
    // The window closes after Save or Cancel; from now on the program snaps to `snapMinutes`.
    void closed(int snapMinutes);

private:
    QString entry(int n) const;
    void buildHeader();
    void buildPageButtons();
    QFrame* buildGeneralPage();
    QFrame* buildSystemPage();
    QFrame* buildAppearancePage();
    QFrame* buildLanguagePage();
    QLineEdit* numberField(const QString& name, QWidget* parent, int width);
    void applyCaptions();

    void showFields(const OptionsWindowFields& fields);
    void showSpanSpinners();
    void setSpanEnabled(int span, bool enabled);
    void spanBoxClicked(int span, bool ticked);
    void updateSave();
    void checkSpans();
    void skinClicked(const QString& name);
    void showSkinPreview(const std::string& name);
    void chooseFont();
    void chooseNotesFile();
    void showLauncherButton();
    void addOrRemoveLauncher();
    void showSample(const QFont& font, const QColor& colour);
    void showNotesPath(const std::string& path);
    OptionsChoice choice() const;
    // Hands `choice` to the program; true when the option files were written.
    bool handOver(const OptionsChoice& choice);
    void closeWindow();

    bool eventFilter(QObject* watched, QEvent* event) override;

    OptionsWindowSetup m_setup;
    SystemOptions m_loadedSystem;
    SaveHandler m_saveHandler;
    std::string m_pendingSkin;
    std::string m_pendingLanguage;
    Page m_page = GeneralPage;
    bool m_closing = false;

    QLabel* m_background = nullptr; // the skin's top picture
    QLabel* m_header = nullptr;     // Image3
    QLabel* m_title = nullptr;      // Label1
    struct PageParts {
        QPushButton* button;
        QFrame* highlight;
        QFrame* frame;
    };
    std::array<PageParts, 4> m_pages{};

    // General page.
    QLabel* m_generalTitle = nullptr; // Label27
    QLabel* m_snapBefore = nullptr;   // Label14
    QLineEdit* m_snap = nullptr;      // Text17
    QLabel* m_snapAfter = nullptr;    // Label35
    QCheckBox* m_confirmDelete = nullptr;
    QCheckBox* m_keepFilter = nullptr;
    QCheckBox* m_purge = nullptr;
    QCheckBox* m_shade = nullptr;
    QGroupBox* m_spanFrame = nullptr; // Frame1
    std::array<QCheckBox*, 4> m_spanBoxes{};
    std::array<QLineEdit*, 17> m_spanFields{};     // Text1..Text16, index 0 unused
    std::array<SpinButtons*, 17> m_spanSpinners{}; // the spinner of field Text<n>
    QTimer* m_spanTimer = nullptr;                 // Timer1

    // System page.
    QLabel* m_systemTitle = nullptr; // Label31
    QCheckBox* m_logon = nullptr;
    QCheckBox* m_notifications = nullptr;
    QCheckBox* m_backups = nullptr;
    QCheckBox* m_weekNumbers = nullptr;
    QCheckBox* m_tray = nullptr;
    QCheckBox* m_todayOnHide = nullptr;
    QCheckBox* m_sound = nullptr;
    QLabel* m_daysLabel = nullptr; // Label7
    QLineEdit* m_days = nullptr;   // Text18
    SpinButtons* m_daysSpinner = nullptr;
    QLabel* m_hoursLabel = nullptr; // Label8
    QLineEdit* m_firstHour = nullptr;
    SpinButtons* m_firstHourSpinner = nullptr;
    QLineEdit* m_lastHour = nullptr;
    SpinButtons* m_lastHourSpinner = nullptr;
    QLabel* m_notesLabel = nullptr; // Label39
    QLabel* m_notesPath = nullptr;  // Label22
    QPushButton* m_notesButton = nullptr;
    QPushButton* m_launcherButton = nullptr; // adds the program to the desktop's menu, or takes it away
    std::string m_notesFile;

    // Appearance page.
    QLabel* m_appearanceTitle = nullptr; // Label28
    QGroupBox* m_skinFrame = nullptr;    // Frame2
    QListWidget* m_skins = nullptr;      // File1
    QLabel* m_preview = nullptr;         // Image2
    QLabel* m_skinDescription = nullptr; // Label25
    QGroupBox* m_fontFrame = nullptr;    // Frame3
    QLabel* m_sample = nullptr;          // Label18
    QPushButton* m_fontButton = nullptr; // Label20
    QFont m_sampleFont;
    QColor m_sampleColour;

    // Language page.
    QLabel* m_languageTitle = nullptr;   // Label37
    QListWidget* m_languages = nullptr;  // File2
    QLabel* m_languageWarning = nullptr; // Label38

    QPushButton* m_save = nullptr;   // Label5(0)
    QPushButton* m_cancel = nullptr; // Label5(1)
};

} // namespace plandeck
