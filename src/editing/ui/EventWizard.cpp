#include "editing/ui/EventWizard.h"

#include "editing/WizardSummary.h"
#include "settings/LanguageEntries.h"
#include "settings/ui/SkinPictures.h"
#include "settings/ui/WindowPalette.h"

#include "platform/Clock.h"
#include "platform/Text.h"
#include "widgets/SpinButtons.h"
#include "widgets/TextButton.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <algorithm>

namespace plandeck {

namespace {

using namespace Entry::WizardText;

// Layout, in pixels: the header picture is 480 x 64; the step list runs down the left, the steps' panels
// fill the rest, and the sentence of what a save would write runs along the bottom.
constexpr int WindowWidth = 480;
constexpr int HeaderHeight = 64;
constexpr int FrameLeft = 124;
constexpr int FrameTop = 76;
constexpr int FrameWidth = WindowWidth - FrameLeft - 12;
constexpr int FrameHeight = 266;
constexpr int ButtonRow = 236;
constexpr int ButtonWidth = 96;
constexpr int ButtonHeight = 26;
constexpr int NextLeft = 112;
constexpr int CancelLeft = FrameWidth - ButtonWidth;
constexpr int StepRowHeight = 26;
constexpr int SideLeft = 16;
constexpr int SideWidth = FrameLeft - 24;
constexpr int SaveTop = FrameTop + 4 + WizardStepCount * StepRowHeight + 10;
constexpr int SummaryTop = FrameTop + FrameHeight + 4;
constexpr int SummaryHeight = 54;
constexpr int WindowHeight = SummaryTop + SummaryHeight + 6;

// The chosen day of the day grid: yellow with dark numbers in every skin.
const QColor Marked(0xFF, 0xE8, 0x60);
const QColor OnMarked(0x1d, 0x24, 0x30);

// A step that is not valid yet is written in the skin's warning colour.
QColor Invalid() {
    return SkinColour(ShownSkinPalette().warningText);
}

std::size_t At(int i) {
    return static_cast<std::size_t>(i);
}

void SetTextIfChanged(QLineEdit* edit, const QString& text) {
    if (edit->text() != text)
        edit->setText(text);
}

// The caption with an Alt+letter key: its first letter that no caption before it took (`used` collects
// them), so every button of a step has a key of its own in any language.
QString WithMnemonic(const QString& caption, QString& used) {
    QString text = caption;
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i].toLower();
        if (c.isLetter() && !used.contains(c)) {
            used += c;
            text.insert(i, QLatin1Char('&'));
            break;
        }
    }
    return text;
}

// A caption too wide for its button breaks onto a second line at a blank.
QString FittedCaption(const QPushButton* button, QString text) {
    QString shown = text;
    shown.remove(QLatin1Char('&'));
    const int space = text.indexOf(QLatin1Char(' '));
    if (space > 0 && button->fontMetrics().horizontalAdvance(shown) > button->width() - 12)
        text[space] = QLatin1Char('\n');
    return text;
}

// A released key typed a character into a box, as opposed to a shortcut such as Ctrl+A or a move.
bool TypedACharacter(const QKeyEvent* key) {
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key->text();
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint() && !c.isSpace(); });
}

// The spinner beside each time box: start hour, start minute, end hour, end minute.
constexpr std::array<Spinner, 4> TimeSpinners = {Spinner::StartHour, Spinner::StartMinute, Spinner::EndHour,
                                                 Spinner::EndMinute};
constexpr std::array<const char*, 4> TimeBoxNames = {"Text3", "Text4", "Text5", "Text6"};
constexpr std::array<const char*, 4> TimeScrollNames = {"VScroll2", "VScroll1", "VScroll3", "VScroll4"};

// A list in which no row is current until the user picks one. Qt makes the first row current when a list
// takes the focus; it would look chosen although the user chose nothing. The arrow keys still start at
// the first row.
class ChoiceList : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    void focusInEvent(QFocusEvent* event) override {
        QListWidget::focusInEvent(event);
        if (selectedItems().isEmpty())
            selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
};

} // namespace

EventWizard::EventWizard(const LanguageTable& language, std::vector<CategoryItem> categories, QWidget* parent)
    : QWidget(parent, Qt::Window), m_language(language), m_categories(std::move(categories)),
      m_prompt(language.entry(NotePromptText)) {
    setObjectName(QStringLiteral("frmwizy"));
    setFixedSize(WindowWidth, WindowHeight);
    setAutoFillBackground(true);

    m_header = new QLabel(this);
    m_header->setObjectName(QStringLiteral("Image1"));
    m_header->setScaledContents(true);
    m_header->setGeometry(0, 0, WindowWidth, HeaderHeight);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("Label26"));
    QFont titleFont = m_title->font();
    titleFont.setPixelSize(20);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_title->setGeometry(16, 14, WindowWidth - 32, 36);

    for (int i = 0; i < WizardStepCount; ++i) {
        auto* label = new TextButton(QStringLiteral("Label33(%1)").arg(i), this);
        QFont f = label->font();
        f.setPixelSize(14);
        label->setFont(f);
        label->setGeometry(16, FrameTop + 4 + i * StepRowHeight, FrameLeft - 24, StepRowHeight - 4);
        connect(label, &TextButton::clicked, this, [this, i] { goToStep(static_cast<WizardStep>(i)); });
        m_stepLabels[At(i)] = label;
    }
    m_save = button(QStringLiteral("Label24"), this);
    QFont saveFont = m_save->font();
    saveFont.setBold(true);
    m_save->setFont(saveFont);
    connect(m_save, &QPushButton::clicked, this, &EventWizard::save);

    m_deleteFrame = new QWidget(this);
    m_deleteFrame->setObjectName(QStringLiteral("Frame7"));
    m_deleteFrame->setGeometry(SideLeft, SaveTop + ButtonHeight + 10, SideWidth, 40);
    m_delete = button(QStringLiteral("Label32"), m_deleteFrame);
    m_delete->setGeometry(0, 0, SideWidth, 40);
    m_delete->setStyleSheet(QStringLiteral("color: %1;").arg(Invalid().name()));
    connect(m_delete, &QPushButton::clicked, this, [this] {
        if (m_editLine > 0)
            emit deleteRequested(m_editLine);
    });
    m_deleteFrame->hide();
    m_editLineLabel = new QLabel(this);
    m_editLineLabel->setObjectName(QStringLiteral("Label31"));
    m_editLineLabel->hide();

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("Summary"));
    m_summary->setGeometry(SideLeft, SummaryTop, WindowWidth - 2 * SideLeft, SummaryHeight);
    m_summary->setWordWrap(true);
    m_summary->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont summaryFont = m_summary->font();
    summaryFont.setPixelSize(13);
    m_summary->setFont(summaryFont);
    m_summary->setStyleSheet(
        QStringLiteral("border-top: 1px solid %1; padding-top: 2px;").arg(palette().color(QPalette::Mid).name()));

    for (int i = 0; i < WizardStepCount; ++i)
        m_frames[At(i)] = createFrame(i);
    createYearStep();
    createMonthStep();
    createDayStep();
    createTimeStep();
    createCategoryStep();
    createTextStep();
    applyCaptions();
    startNew(m_form);
}

QString EventWizard::entry(int n) const {
    return FromFileText(m_language.entry(n));
}

QPushButton* EventWizard::button(const QString& name, QWidget* parent) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    QFont f = b->font();
    f.setPixelSize(13);
    b->setFont(f);
    // Enter presses the button that has the focus.
    b->setAutoDefault(true);
    return b;
}

QWidget* EventWizard::createFrame(int step) {
    auto* frame = new QWidget(this);
    frame->setObjectName(QStringLiteral("Frame%1").arg(step + 1));
    frame->setGeometry(FrameLeft, FrameTop, FrameWidth, FrameHeight);
    auto navigation = [&](const QString& name, int x) {
        QPushButton* b = button(QStringLiteral("%1(%2)").arg(name).arg(step), frame);
        b->setGeometry(x, ButtonRow, ButtonWidth, ButtonHeight);
        return b;
    };
    if (step > 0) {
        m_back[At(step)] = navigation(QStringLiteral("BackButton"), 0);
        connect(m_back[At(step)], &QPushButton::clicked, this,
                [this, step] { goToStep(static_cast<WizardStep>(step - 1)); });
    }
    if (step < WizardStepCount - 1) {
        m_next[At(step)] = navigation(QStringLiteral("NextButton"), NextLeft);
        connect(m_next[At(step)], &QPushButton::clicked, this,
                [this, step] { goToStep(static_cast<WizardStep>(step + 1)); });
    }
    m_cancel[At(step)] = navigation(QStringLiteral("CancelButton"), CancelLeft);
    connect(m_cancel[At(step)], &QPushButton::clicked, this, &QWidget::close);
    return frame;
}

QLabel* EventWizard::prompt(QWidget* frame, const QString& name, int entryNumber, int y, int height) {
    auto* label = new QLabel(frame);
    label->setObjectName(name);
    label->setProperty("entry", entryNumber);
    label->setGeometry(0, y, FrameWidth, height);
    label->setWordWrap(height > 20);
    m_prompts.push_back(label);
    return label;
}

void EventWizard::createYearStep() {
    QWidget* frame = m_frames[0];
    prompt(frame, QStringLiteral("YearPrompt"), YearPrompt, 4);
    m_year = new QLineEdit(frame);
    m_year->setObjectName(QStringLiteral("Text1"));
    m_year->setGeometry(0, 32, 64, 26);
    m_year->setMaxLength(8);
    connect(m_year, &QLineEdit::textEdited, this, [this](const QString& t) {
        TypeIntoBox(m_form, Spinner::Year, ToFileText(t));
        m_form.yearTouched = true;
        m_filling = true;
        m_yearScroll->setValue(m_form.spinners[At(static_cast<int>(Spinner::Year))]);
        m_filling = false;
        checkSteps();
    });
    const SpinnerRange years = SpinnerLimits(Spinner::Year);
    m_yearScroll = new QScrollBar(Qt::Horizontal, frame);
    m_yearScroll->setObjectName(QStringLiteral("HScroll1"));
    m_yearScroll->setRange(years.min, years.max);
    m_yearScroll->setPageStep(10);
    m_yearScroll->setGeometry(74, 36, 200, 18);
    connect(m_yearScroll, &QScrollBar::valueChanged, this, [this](int v) {
        if (m_filling)
            return;
        m_form.yearTouched = true;
        spinnerMoved(Spinner::Year, v);
    });
    m_everyYear = new QCheckBox(frame);
    m_everyYear->setObjectName(QStringLiteral("Check1"));
    m_everyYear->setGeometry(0, 70, FrameWidth, 22);
    connect(m_everyYear, &QCheckBox::toggled, this, [this](bool on) {
        if (m_filling)
            return;
        m_form.everyYear = on;
        m_form.yearTouched = true;
        if (!on) {
            m_form.yearText = std::to_string(Clock::now().date().year());
            SetTextIfChanged(m_year, FromFileText(m_form.yearText));
        }
        checkSteps();
    });
}

void EventWizard::createMonthStep() {
    QWidget* frame = m_frames[1];
    prompt(frame, QStringLiteral("MonthPrompt"), MonthPrompt, 4);
    m_months = new ChoiceList(frame);
    m_months->setObjectName(QStringLiteral("List2"));
    m_months->setGeometry(0, 30, FrameWidth, 122);
    // Three columns of four months, so the whole year shows at once.
    m_months->setFlow(QListView::TopToBottom);
    m_months->setWrapping(true);
    m_months->setResizeMode(QListView::Adjust);
    m_months->setGridSize(QSize((FrameWidth - 8) / 3, 28));
    m_months->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int m = 1; m <= 12; ++m)
        m_months->addItem(QString());
    // A month is chosen when the user selects it. The row the list makes current when it takes the focus
    // is only where the keys start.
    connect(m_months, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_filling)
            return;
        const QList<QListWidgetItem*> selected = m_months->selectedItems();
        m_form.month = selected.isEmpty() ? 0 : m_months->row(selected.front()) + 1;
        m_form.monthTouched = true;
        checkSteps();
    });
    m_everyMonth = new QCheckBox(frame);
    m_everyMonth->setObjectName(QStringLiteral("Check2"));
    m_everyMonth->setGeometry(0, 162, FrameWidth, 22);
    connect(m_everyMonth, &QCheckBox::toggled, this, [this](bool on) {
        if (m_filling)
            return;
        m_form.everyMonth = on;
        m_form.monthTouched = true;
        checkSteps();
    });
}

void EventWizard::createDayStep() {
    QWidget* frame = m_frames[2];
    prompt(frame, QStringLiteral("DayPrompt"), DayPrompt, 0);
    auto option = [&](const char* name, DayChoice choice, int y) {
        auto* b = new QRadioButton(frame);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(0, y, FrameWidth, 20);
        connect(b, &QRadioButton::toggled, this, [this, choice](bool on) {
            if (m_filling || !on)
                return;
            ChooseDay(m_form, choice);
            m_filling = true;
            m_everyYear->setChecked(m_form.everyYear);
            m_everyMonth->setChecked(m_form.everyMonth);
            m_filling = false;
            checkSteps();
        });
        return b;
    };
    m_dayOfMonth = option("Option2", DayChoice::DayOfMonth, 24);
    m_day = new QLineEdit(frame);
    m_day->setObjectName(QStringLiteral("Text2"));
    m_day->setGeometry(20, 48, 40, 24);
    m_day->setMaxLength(4);
    connect(m_day, &QLineEdit::textEdited, this, [this](const QString& t) {
        m_form.dayText = ToFileText(t);
        checkSteps();
    });
    constexpr int CellWidth = 26;
    constexpr int CellHeight = 16;
    for (int i = 0; i < 31; ++i) {
        auto* cell = new TextButton(QStringLiteral("Label34(%1)").arg(i), frame);
        cell->setText(QString::number(i + 1));
        cell->setAlignment(Qt::AlignCenter);
        QFont f = cell->font();
        f.setPixelSize(11);
        cell->setFont(f);
        cell->setAutoFillBackground(true);
        cell->setGeometry(72 + (i % 7) * CellWidth, 48 + (i / 7) * CellHeight, CellWidth - 1, CellHeight - 1);
        connect(cell, &TextButton::clicked, this, [this, i] {
            m_form.dayText = std::to_string(i + 1);
            SetTextIfChanged(m_day, QString::number(i + 1));
            checkSteps();
        });
        m_dayCells[At(i)] = cell;
    }
    m_weekly = option("Option1", DayChoice::Weekly, 132);
    for (int i = 0; i < 7; ++i) {
        auto* box = new QCheckBox(frame);
        box->setObjectName(QStringLiteral("Check3(%1)").arg(i));
        box->setGeometry((i % 3) * 114, 152 + (i / 3) * 18, 114, 18);
        QFont f = box->font();
        f.setPixelSize(11);
        box->setFont(f);
        connect(box, &QCheckBox::toggled, this, [this, i](bool on) {
            if (m_filling)
                return;
            m_form.weekdays[At(i)] = on;
            checkSteps();
        });
        m_weekdays[At(i)] = box;
    }
    m_everyDay = option("Option3", DayChoice::EveryDay, 210);
}

void EventWizard::createTimeStep() {
    QWidget* frame = m_frames[3];
    prompt(frame, QStringLiteral("StartPrompt"), StartPrompt, 4);
    prompt(frame, QStringLiteral("EndPrompt"), EndPrompt, 66);
    prompt(frame, QStringLiteral("TimeRule"), TimeRule, 130, 40);
    for (int i = 0; i < 4; ++i) {
        const int y = i < 2 ? 28 : 90;
        const int x = (i % 2) * 70;
        auto* box = new QLineEdit(frame);
        box->setObjectName(QString::fromLatin1(TimeBoxNames[At(i)]));
        box->setGeometry(x, y, 40, 26);
        box->setMaxLength(4);
        box->setAlignment(Qt::AlignCenter);
        box->installEventFilter(this);
        connect(box, &QLineEdit::textEdited, this, [this, i](const QString& t) {
            const Spinner spinner = TimeSpinners[At(i)];
            TypeIntoBox(m_form, spinner, ToFileText(t));
            m_timeScrolls[At(i)]->setValue(m_form.spinners[At(static_cast<int>(spinner))]);
            checkSteps();
        });
        const Spinner spinner = TimeSpinners[At(i)];
        const SpinnerRange range = SpinnerLimits(spinner);
        // The upper arrow counts up.
        auto* scroll =
            new SpinButtons(QString::fromLatin1(TimeScrollNames[At(i)]), Qt::Vertical, range.min, range.max, frame);
        scroll->setGeometry(x + 42, y + 2, 16, 22);
        connect(scroll, &SpinButtons::stepped, this, [this, spinner](int v) { spinnerMoved(spinner, v); });
        m_times[At(i)] = box;
        m_timeScrolls[At(i)] = scroll;
        if (i % 2 == 0) {
            auto* colon = new QLabel(QStringLiteral(":"), frame);
            colon->setGeometry(x + 59, y, 8, 26);
        }
    }
}

void EventWizard::createCategoryStep() {
    QWidget* frame = m_frames[4];
    prompt(frame, QStringLiteral("CategoryPrompt"), CategoryPrompt, 4);
    m_categoryList = new ChoiceList(frame);
    m_categoryList->setObjectName(QStringLiteral("List6"));
    m_categoryList->setGeometry(0, 30, FrameWidth, 180);
    m_categoryList->setSpacing(2);
    for (const CategoryItem& c : m_categories) {
        QPixmap swatch(12, 12);
        swatch.fill(FromColourNumber(c.colour));
        m_categoryList->addItem(new QListWidgetItem(QIcon(swatch), FromFileText(c.name)));
    }
    // As with the months, only a row the user selects chooses a category.
    connect(m_categoryList, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_filling)
            return;
        const QList<QListWidgetItem*> selected = m_categoryList->selectedItems();
        const int row = selected.isEmpty() ? -1 : m_categoryList->row(selected.front());
        // The list leaves out categories without a name, so a row is not an index.
        m_form.category = row >= 0 && At(row) < m_categories.size() ? m_categories[At(row)].index : -1;
        checkSteps();
    });
}

void EventWizard::createTextStep() {
    QWidget* frame = m_frames[5];
    prompt(frame, QStringLiteral("Label30"), NoteTextPrompt, 4);
    m_text = new QLineEdit(frame);
    m_text->setObjectName(QStringLiteral("Text7"));
    m_text->setGeometry(0, 30, FrameWidth, 28);
    m_text->setMaxLength(NoteTextLimit);
    m_text->installEventFilter(this);
    connect(m_text, &QLineEdit::textEdited, this, [this](const QString& t) {
        m_form.text = ToFileText(t);
        checkSteps();
    });
    connect(m_text, &QLineEdit::returnPressed, this, [this] {
        if (m_check.canSave())
            save();
    });
}

void EventWizard::applyCaptions() {
    QString used;
    const QString save = WithMnemonic(entry(SaveCaption), used);
    const QString next = WithMnemonic(entry(NextCaption), used);
    const QString back = WithMnemonic(entry(BackCaption), used);
    const QString cancel = WithMnemonic(entry(CancelCaption), used);
    const QString remove = WithMnemonic(entry(DeleteCaption), used);
    for (int i = 0; i < WizardStepCount; ++i) {
        m_stepLabels[At(i)]->setText(entry(FirstStepCaption + i));
        if (m_next[At(i)])
            m_next[At(i)]->setText(next);
        if (m_back[At(i)])
            m_back[At(i)]->setText(back);
        m_cancel[At(i)]->setText(cancel);
    }
    m_save->setText(save);
    m_delete->setText(FittedCaption(m_delete, remove));
    for (QLabel* label : m_prompts)
        label->setText(entry(label->property("entry").toInt()));
    m_everyYear->setText(entry(EveryYearCaption));
    m_everyMonth->setText(entry(EveryMonthCaption));
    for (int m = 1; m <= 12; ++m)
        m_months->item(m - 1)->setText(FromFileText(m_language.monthName(m)));
    m_dayOfMonth->setText(entry(DayOfMonthCaption));
    m_weekly->setText(entry(WeeklyCaption));
    m_everyDay->setText(entry(EveryDayCaption));
    for (int i = 0; i < 7; ++i)
        m_weekdays[At(i)]->setText(entry(FirstWeekdayCaption + i));
}

void EventWizard::setHeaderPicture(const QPixmap& picture) {
    if (!picture.isNull())
        m_header->setPixmap(picture);
}

void EventWizard::setTitleColour(const QColor& colour) {
    m_title->setStyleSheet(QStringLiteral("color: %1;").arg(colour.name()));
}

void EventWizard::startNew(const WizardForm& form, WizardStep step) {
    m_form = form;
    m_editLine = 0;
    m_editLineLabel->clear();
    m_deleteFrame->hide();
    setWindowTitle(entry(NewTitle));
    m_title->setText(entry(NewTitle));
    showForm();
    goToStep(step);
}

void EventWizard::startEdit(const WizardForm& form, int lineNumber) {
    m_form = form;
    m_editLine = lineNumber;
    m_editLineLabel->setText(QString::number(lineNumber));
    m_deleteFrame->show();
    setWindowTitle(entry(EditTitle));
    m_title->setText(entry(EditTitle));
    showForm();
    goToStep(WizardStep::Year);
}

void EventWizard::goToStep(WizardStep step) {
    m_step = step;
    for (int i = 0; i < WizardStepCount; ++i)
        m_frames[At(i)]->setVisible(i == static_cast<int>(step));
    placeSaveButton();
    checkSteps();
    // The step's first field takes the focus, so the keys work on what the step shows.
    switch (step) {
    case WizardStep::Year:
        (m_year->isEnabled() ? static_cast<QWidget*>(m_year) : m_everyYear)->setFocus();
        break;
    case WizardStep::Month:
        (m_months->isEnabled() ? static_cast<QWidget*>(m_months) : m_everyMonth)->setFocus();
        break;
    case WizardStep::Day:
        (m_form.dayChoice == DayChoice::DayOfMonth ? m_dayOfMonth
         : m_form.dayChoice == DayChoice::Weekly   ? m_weekly
                                                   : m_everyDay)
            ->setFocus();
        break;
    case WizardStep::Time:
        m_times[0]->setFocus();
        break;
    case WizardStep::Category:
        m_categoryList->setFocus();
        break;
    case WizardStep::Text:
        m_text->setFocus();
        break;
    }
}

void EventWizard::placeSaveButton() {
    if (m_step == WizardStep::Text) {
        m_save->setGeometry(FrameLeft + NextLeft, FrameTop + ButtonRow, ButtonWidth, ButtonHeight);
        // In the tab order it follows Back, as Next does on the other steps.
        setTabOrder(m_back[At(WizardStepCount - 1)], m_save);
        setTabOrder(m_save, m_cancel[At(WizardStepCount - 1)]);
    } else {
        m_save->setGeometry(SideLeft, SaveTop, SideWidth, ButtonHeight);
    }
    m_save->raise();
}

void EventWizard::save() {
    if (!m_check.canSave())
        return;
    emit saveRequested(WizardNoteLine(m_form));
}

void EventWizard::spinnerMoved(Spinner spinner, int value) {
    MoveSpinner(m_form, spinner, value);
    const QString text = FromFileText(m_form.spinnerText(spinner));
    if (spinner == Spinner::Year)
        SetTextIfChanged(m_year, text);
    else
        SetTextIfChanged(m_times[At(static_cast<int>(spinner) - 1)], text);
    checkSteps();
}

void EventWizard::activate() {
    ActivateForm(m_form);
    showForm();
    checkSteps();
}

void EventWizard::showForm() {
    m_filling = true;
    SetTextIfChanged(m_year, FromFileText(m_form.yearText));
    m_yearScroll->setValue(m_form.spinners[At(static_cast<int>(Spinner::Year))]);
    m_everyYear->setChecked(m_form.everyYear);
    if (m_form.month >= 1 && m_form.month <= 12) {
        m_months->setCurrentRow(m_form.month - 1);
    } else {
        m_months->setCurrentRow(-1);
        m_months->clearSelection();
    }
    m_everyMonth->setChecked(m_form.everyMonth);
    m_dayOfMonth->setChecked(m_form.dayChoice == DayChoice::DayOfMonth);
    m_weekly->setChecked(m_form.dayChoice == DayChoice::Weekly);
    m_everyDay->setChecked(m_form.dayChoice == DayChoice::EveryDay);
    SetTextIfChanged(m_day, FromFileText(m_form.dayText));
    for (int i = 0; i < 7; ++i)
        m_weekdays[At(i)]->setChecked(m_form.weekdays[At(i)]);
    for (int i = 0; i < 4; ++i) {
        SetTextIfChanged(m_times[At(i)], FromFileText(m_form.timeTexts[At(i)]));
        m_timeScrolls[At(i)]->setValue(m_form.spinners[At(static_cast<int>(TimeSpinners[At(i)]))]);
    }
    int row = -1;
    for (std::size_t r = 0; r < m_categories.size(); ++r)
        if (m_categories[r].index == m_form.category)
            row = static_cast<int>(r);
    m_categoryList->setCurrentRow(row);
    if (row < 0)
        m_categoryList->clearSelection();
    SetTextIfChanged(m_text, FromFileText(m_form.text));
    m_filling = false;
}

void EventWizard::checkSteps() {
    m_check = CheckWizardSteps(m_form, m_prompt);
    for (int i = 0; i < WizardStepCount; ++i) {
        TextButton* label = m_stepLabels[At(i)];
        QFont f = label->font();
        f.setBold(i == static_cast<int>(m_step));
        label->setFont(f);
        const QColor ink = m_check.valid[At(i)] ? palette().color(QPalette::WindowText) : Invalid();
        label->setStyleSheet(QStringLiteral("color: %1;").arg(ink.name()));
    }
    for (int i = 0; i < 31; ++i) {
        QPalette p = m_dayCells[At(i)]->palette();
        const bool marked = i == m_check.markedDayCell;
        p.setColor(QPalette::Window, marked ? Marked : palette().color(QPalette::Base));
        p.setColor(QPalette::WindowText, marked ? OnMarked : palette().color(QPalette::Text));
        m_dayCells[At(i)]->setPalette(p);
    }
    m_year->setEnabled(!m_form.everyYear);
    m_yearScroll->setEnabled(!m_form.everyYear);
    m_months->setEnabled(!m_form.everyMonth);
    m_day->setEnabled(m_form.dayChoice == DayChoice::DayOfMonth);
    for (QCheckBox* box : m_weekdays)
        box->setEnabled(m_form.dayChoice == DayChoice::Weekly);
    m_save->setEnabled(m_check.canSave());
    m_summary->setText(FromFileText(WizardSummary(m_form, m_language)));
}

void EventWizard::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        activate();
}

void EventWizard::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_closedReported = false;
    // The offscreen and some X11 window managers never activate a new window; the boxes must agree anyway.
    activate();
}

void EventWizard::keyPressEvent(QKeyEvent* event) {
    // Escape closes the wizard as Cancel does.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void EventWizard::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (!m_closedReported) {
        m_closedReported = true;
        emit closed();
    }
}

bool EventWizard::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        // The prompt gives way at the first key.
        if (ToFileText(m_text->text()) == m_prompt) {
            m_text->clear();
            m_form.text.clear();
            checkSteps();
        }
        return false;
    }
    for (int i = 0; i < 4; ++i)
        if (watched == m_times[At(i)])
            return timeBoxEvent(i, event);
    return QWidget::eventFilter(watched, event);
}

bool EventWizard::timeBoxEvent(int i, QEvent* event) {
    QLineEdit* box = m_times[At(i)];
    switch (event->type()) {
    case QEvent::FocusIn:
        // A press that gives the focus also places the cursor: the box is selected once the button is up.
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
            m_selectOnRelease = box;
        else
            box->selectAll();
        break;
    case QEvent::FocusOut:
        m_selectOnRelease = nullptr;
        break;
    case QEvent::MouseButtonRelease:
        if (m_selectOnRelease == box) {
            m_selectOnRelease = nullptr;
            // Unless the user dragged over a part of the text.
            if (!box->hasSelectedText())
                box->selectAll();
        }
        break;
    case QEvent::KeyRelease:
        // Two typed digits move on to the next box, so a time is typed in one go.
        if (i < 3 && box->text().size() == 2 && TypedACharacter(static_cast<QKeyEvent*>(event))) {
            QLineEdit* next = m_times[At(i + 1)];
            next->setFocus();
            // Selected now, not later: the next key may already be on its way.
            next->selectAll();
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace plandeck
