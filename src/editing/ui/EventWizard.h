#pragma once

#include "editing/WizardForm.h"
#include "settings/LanguageTable.h"

#include <QWidget>
#include <array>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace plandeck {

class SpinButtons;
class TextButton;

// The note wizard: year, month, day, time, category and text, one step at a time, checked after every
// change. It writes nothing itself: a save hands the finished note line to whoever opened it, a delete the
// edited line's number, and every close is reported so the week can be shown again.
class EventWizard : public QWidget {
    Q_OBJECT

public:
    // A category the user can choose: its index in the category table, its name (file bytes) and colour.
    struct CategoryItem {
        int index = 0;
        std::string name;
        long colour = 0xFFFFFF;
    };

    EventWizard(const LanguageTable& language, std::vector<CategoryItem> categories, QWidget* parent = nullptr);

    void setHeaderPicture(const QPixmap& picture);
    void setTitleColour(const QColor& colour);

    // New mode, showing `step` first.
    void startNew(const WizardForm& form, WizardStep step = WizardStep::Year);
    // Edit mode on the note at `lineNumber`: the delete button is offered and a save replaces the note.
    void startEdit(const WizardForm& form, int lineNumber);

    bool editMode() const { return m_editLine > 0; }
    int editLine() const { return m_editLine; }
    const WizardForm& form() const { return m_form; }
    WizardStep currentStep() const { return m_step; }
    const WizardCheck& check() const { return m_check; }
    // The text the note box shows until the user types.
    const std::string& promptText() const { return m_prompt; }

    void goToStep(WizardStep step);
    // The save button: hands the note line on when every step is valid.
    void save();

signals:
    void saveRequested(const std::string& line);
    void deleteRequested(int lineNumber);
    void closed();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString entry(int n) const;
    QPushButton* button(const QString& name, QWidget* parent);
    QWidget* createFrame(int step);
    QLabel* prompt(QWidget* frame, const QString& name, int entryNumber, int y, int height = 20);
    void createYearStep();
    void createMonthStep();
    void createDayStep();
    void createTimeStep();
    void createCategoryStep();
    void createTextStep();
    void applyCaptions();

    // The window became active: boxes and spinners are brought together, then all steps are checked.
    void activate();
    // Shows every field of the form in its control.
    void showForm();
    // Checks all steps and shows the outcome: the step list's colours, the marked day and the save button.
    void checkSteps();
    void spinnerMoved(Spinner spinner, int value);
    // The save button sits under the step list, and in the last step where Next would be.
    void placeSaveButton();
    // A time box was entered: its whole content is selected, so typing replaces it.
    bool timeBoxEvent(int box, QEvent* event);

    LanguageTable m_language;
    std::vector<CategoryItem> m_categories;
    std::string m_prompt;
    WizardForm m_form;
    WizardCheck m_check;
    WizardStep m_step = WizardStep::Year;
    int m_editLine = 0;
    bool m_filling = false;
    bool m_closedReported = false;

    QLabel* m_header = nullptr; // Image1
    QLabel* m_title = nullptr;  // Label26
    std::array<TextButton*, WizardStepCount> m_stepLabels{};
    std::array<QWidget*, WizardStepCount> m_frames{};
    std::array<QPushButton*, WizardStepCount> m_next{};
    std::array<QPushButton*, WizardStepCount> m_back{};
    std::array<QPushButton*, WizardStepCount> m_cancel{};
    QPushButton* m_save = nullptr;     // Label24
    QWidget* m_deleteFrame = nullptr;  // Frame7
    QPushButton* m_delete = nullptr;   // Label32
    QLabel* m_editLineLabel = nullptr; // Label31
    QLabel* m_summary = nullptr;       // the sentence of what a save would write

    QLineEdit* m_year = nullptr;                 // Text1
    QScrollBar* m_yearScroll = nullptr;          // HScroll1
    QCheckBox* m_everyYear = nullptr;            // Check1
    QListWidget* m_months = nullptr;             // List2
    QCheckBox* m_everyMonth = nullptr;           // Check2
    QRadioButton* m_dayOfMonth = nullptr;        // Option2
    QRadioButton* m_weekly = nullptr;            // Option1
    QRadioButton* m_everyDay = nullptr;          // Option3
    QLineEdit* m_day = nullptr;                  // Text2
    std::array<QLabel*, 31> m_dayCells{};        // Label34(0..30)
    std::array<QCheckBox*, 7> m_weekdays{};      // Check3(0..6)
    std::array<QLineEdit*, 4> m_times{};         // Text3..Text6
    std::array<SpinButtons*, 4> m_timeScrolls{}; // VScroll2, VScroll1, VScroll3, VScroll4
    QLineEdit* m_selectOnRelease = nullptr;      // a time box entered by a mouse press
    QListWidget* m_categoryList = nullptr;       // List6
    QLineEdit* m_text = nullptr;                 // Text7
    std::vector<QLabel*> m_prompts;
};

} // namespace plandeck
