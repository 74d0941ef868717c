#include "app/MainWindow.h"
#include "app/AgendaCommandLine.h"
#include "app/WindowLook.h"

#include "calendar/ui/ClockWidget.h"
#include "calendar/ui/MonthGridWidget.h"
#include "calendar/ui/TodayWindow.h"
#include "editing/ui/CategoryPanelWidget.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileWatcher.h"
#include "platform/SingleInstance.h"
#include "platform/Text.h"
#include "platform/TrayIcon.h"
#include "settings/LanguageEntries.h"
#include "settings/Skin.h"
#include "settings/ui/WindowPalette.h"
#include "widgets/LabelLetters.h"
#include "widgets/PictureButton.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QIcon>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

namespace plandeck {

namespace {

using namespace window;

// Parts of the window at its smallest size, in pixels.
constexpr int HeaderHeight = 117;
constexpr int PanelWidth = 90;
constexpr int BottomHeight = 16;
// How much the header's cards, the left panel and their letters grow with the window: not at all while either
// side is at its smallest, by half at most when both have grown by half.
constexpr double MostGrowth = 1.5;

double GrowthAt(int width, int height) {
    return std::clamp(std::min(width / 800.0, height / 600.0), 1.0, MostGrowth);
}

int Scaled(double length, double growth) {
    return static_cast<int>(std::lround(length * growth));
}

constexpr int ButtonTop = 6240; // grid units
const QSize MinimumSize(800, 600);
const QSize MaximumSize(1600, 1200);

} // namespace

MainWindow::MainWindow(DataDirectory dataDir, QWidget* parent)
    : QWidget(parent), m_session(std::make_unique<Session>(std::move(dataDir), *this, BuiltInEnglish())) {
    setObjectName(QStringLiteral("frmPlandeck"));
    setWindowTitle(QStringLiteral("Plandeck"));
    setMinimumSize(MinimumSize);
    buildHeader();
    buildCalendar();
    buildTodayCard();
    buildCategoryPanel();
    buildGrid();
    buildGridButtons();
    buildBottomStrip();
    connectNavigation();
    buildNoteEditing();

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(30000);
    connect(m_timer, &QTimer::timeout, this, [this] { apply(m_session->updateTime(now())); });
    // A change of the notes is painted first and written after, in the same handler.
    m_session->setWritesAfterPaint(true);
    // Backups are named by the local time to the second.
    m_session->setBackupClock([] {
        const QDateTime now = Clock::now();
        return BackupTime{{now.date().year(), now.date().month(), now.date().day()},
                          now.time().hour(),
                          now.time().minute(),
                          now.time().second()};
    });
}

MainWindow::~MainWindow() {
    delete m_todayWindow;
    // The windows' colours belong to this window's skin; a window made after it starts from the designed ones.
    ApplySkinPalette(SkinColours{});
}

QString MainWindow::entry(int n) const {
    return FromFileText(m_session->entry(n));
}

TodayStamp MainWindow::now() {
    const QDateTime now = Clock::now();
    return TodayStamp{Date{now.date().year(), now.date().month(), now.date().day()}, now.time().hour(),
                      now.time().minute()};
}

// ---- Building the window

QLabel* MainWindow::picture(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setScaledContents(true);
    return label;
}

QLabel* MainWindow::text(const QString& name, QWidget* parent, int pixelSize, bool bold) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    QFont f = label->font();
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    label->setFont(f);
    return label;
}

PictureButton* MainWindow::button(const QString& name, QWidget* parent, int hintEntry) {
    auto* b = new PictureButton(name, parent);
    b->resize(24, 24);
    // The grid under the buttons has a hint of its own: a move over a button must not reach it.
    b->setAttribute(Qt::WA_NoMousePropagation);
    setHint(b, hintEntry);
    return b;
}

void MainWindow::setHint(QWidget* widget, int entry) {
    m_hints.insert(widget, entry);
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

void MainWindow::showHint(int n) {
    m_hintEntry = n;
    SetFittedText(m_hint, n > 0 ? entry(n) : QString());
}

void MainWindow::buildHeader() {
    // Clock, title, shown range and the command bar.
    m_header = picture(QStringLiteral("Image17"), this);
    setHint(m_header, 0);
    m_clockFace = picture(QStringLiteral("Image25"), this);
    setHint(m_clockFace, 0);
    m_clock = new ClockWidget(this);
    m_title = text(QStringLiteral("Label4"), this, 22, true);
    m_title->setText(QStringLiteral("Plandeck"));
    m_shownRange = text(QStringLiteral("Label10"), this, 12);

    struct BarItem {
        std::array<const char*, 3> names; // highlight, icon, caption
        Command command;
    };
    const std::array<BarItem, 5> bar = {
        {{{"Shape2", "Image3", "Label23"}, Command::NewNote},
         {{"Shape6", "Image26", "Label31"}, Command::Options},
         {{"Shape4", "Image4", "Label24"}, Command::Help},
         {{"Shape5", "Image5", "Label25"}, Command::Exit},
         {{"CalendarFilesBar", "CalendarFilesIcon", "CalendarFilesCaption"}, Command::CalendarFiles}}};
    for (std::size_t i = 0; i < m_commands.size(); ++i) {
        const std::array<const char*, 3>& commandNames = bar[i].names;
        CommandItem& item = m_commands[i];
        item.command = bar[i].command;
        item.highlight = new QLabel(this);
        item.highlight->setObjectName(QString::fromLatin1(commandNames[0]));
        item.highlight->setStyleSheet(QStringLiteral("background: rgba(120, 130, 150, 45); border-radius: 6px;"));
        item.highlight->hide();
        item.icon = picture(QString::fromLatin1(commandNames[1]), this);
        item.label = text(QString::fromLatin1(commandNames[2]), this, 12, true);
        item.label->setCursor(Qt::PointingHandCursor);
        // The icon only highlights its item; the caption also explains it in the hint line.
        item.icon->setMouseTracking(true);
        item.icon->installEventFilter(this);
        setHint(item.label, item.command == Command::CalendarFiles ? Entry::Calendar::Hint
                                                                   : Entry::HintCommandNewNote + static_cast<int>(i));
    }
    m_commands.back().icon->setPixmap(calendarFilesIcon());
}

void MainWindow::buildCalendar() {
    m_calendarBack = picture(QStringLiteral("Image16"), this);
    m_calendarCaption = text(QStringLiteral("Label26"), this, 10, true);
    m_calendarCaption->setAlignment(Qt::AlignCenter);
    setHint(m_calendarCaption, Entry::HintCalendarCaption);
    m_month = new MonthGridWidget(this);
    setHint(m_month->nextArrow(), Entry::HintNextMonth);
    setHint(m_month->prevArrow(), Entry::HintPreviousMonth);
    setHint(m_month->monthTitle(), Entry::Find::HintGoToDate);
    setHint(m_month->yearTitle(), Entry::Find::HintGoToDate);
    m_month->nextArrow()->setFallbackText(QStringLiteral("\u203A"));
    m_month->prevArrow()->setFallbackText(QStringLiteral("\u2039"));
}

void MainWindow::buildTodayCard() {
    m_todayBack = picture(QStringLiteral("Image9"), this);
    m_todayCaption = text(QStringLiteral("Label28"), this, 10, true);
    setHint(m_todayCaption, Entry::HintTodayCaption);
    m_todayWeekday = text(QStringLiteral("Label37"), this, 12, true);
    m_todayDay = text(QStringLiteral("Label38"), this, 34, true);
    m_todayMonth = text(QStringLiteral("Label39"), this, 12, true);
    for (QLabel* l : {m_todayWeekday, m_todayDay, m_todayMonth})
        l->setAlignment(Qt::AlignCenter);
    m_todayCardButton = button(QStringLiteral("Image19"), this, Entry::HintToday);
    m_todayCardButton->setFallbackText(QStringLiteral("\u25CF"));
}

void MainWindow::buildCategoryPanel() {
    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("Frame2"));
    m_panelTop = picture(QStringLiteral("Image31"), m_panel);
    // Pointing at the panel's background takes the highlight off the command bar.
    m_panelTop->setMouseTracking(true);
    m_panelTop->installEventFilter(this);
    m_panelBottom = picture(QStringLiteral("Image8"), m_panel);
    m_categoryBack = picture(QStringLiteral("Image1"), m_panel);
    m_categoryCaption = text(QStringLiteral("Label27"), m_panel, 11, true);
    m_categoryCaption->setAlignment(Qt::AlignCenter);
    setHint(m_categoryCaption, Entry::HintCategoryCaption);
    m_categoryPanel = new CategoryPanelWidget(m_panel);
    for (int r = 0; r < m_categoryPanel->rowCount(); ++r)
        setHint(m_categoryPanel->name(r), Entry::HintCategoryName);
    setHint(m_categoryPanel->addButton(), Entry::HintAddCategory);
    setHint(m_categoryPanel->deleteButton(), Entry::HintDeleteCategory);
    connect(m_categoryPanel, &CategoryPanelWidget::shownChanged, this, [this](int row, bool shown) {
        apply(m_session->setCategoryShown(row, shown));
        m_keys->setFocus();
    });
    connect(m_categoryPanel, &CategoryPanelWidget::scrolled, this, [this](int first) {
        apply(m_session->scrollCategories(first));
        m_keys->setFocus();
    });
    connect(m_categoryPanel, &CategoryPanelWidget::addClicked, this, [this] { apply(m_session->addCategory()); });
    connect(m_categoryPanel, &CategoryPanelWidget::deleteClicked, this,
            [this] { apply(m_session->deleteLastCategory()); });
    connect(m_categoryPanel, &CategoryPanelWidget::renameRequested, this,
            [this](int row) { apply(m_session->renameCategory(row)); });
}

void MainWindow::buildGrid() {
    m_grid = new HourGridWidget(this);
    connect(m_grid, &HourGridWidget::resized, this, [this] {
        placeGridButtons();
        apply(m_session->setGridSize(m_grid->width(), m_grid->height()));
    });
    m_yearFirst = text(QStringLiteral("Label11(0)"), m_grid, 11, true);
    m_yearLast = text(QStringLiteral("Label11(7)"), m_grid, 11, true);

    m_editor = new QLineEdit(m_grid);
    m_editor->setObjectName(QStringLiteral("Text2"));
    m_editor->setMaxLength(NoteTextLimit);
    m_editor->hide();
    setHint(m_editor, Entry::HintEditor);
    // Keyboard commands arrive in a field nobody sees.
    m_keys = new QLineEdit(this);
    m_keys->setObjectName(QStringLiteral("Text1"));
    m_keys->setGeometry(-20, -20, 1, 1);
}

void MainWindow::buildGridButtons() {
    m_back = button(QStringLiteral("Image20"), m_grid, Entry::HintBack);
    m_dayView = button(QStringLiteral("Image11"), m_grid, Entry::HintDayView);
    m_daysView = button(QStringLiteral("Image12"), m_grid, Entry::HintDaysView);
    m_weekView = button(QStringLiteral("Image13"), m_grid, Entry::HintWeekView);
    m_forward = button(QStringLiteral("Image22"), m_grid, Entry::HintForward);
    m_today = button(QStringLiteral("Image21"), m_grid, Entry::HintToday);
    m_hourLater = button(QStringLiteral("Image18"), m_grid, Entry::HintHourLater);
    m_hourReset = button(QStringLiteral("Image23"), m_grid, Entry::HintHourReset);
    m_hourEarlier = button(QStringLiteral("Image33"), m_grid, Entry::HintHourEarlier);
    m_print = button(QStringLiteral("PrintButton"), m_grid, Entry::Print::Hint);
    const std::pair<PictureButton*, const char*> glyphs[] = {
        {m_back, "\u25C0"},      {m_dayView, "1"},        {m_daysView, "N"},
        {m_weekView, "7"},       {m_forward, "\u25B6"},   {m_today, "\u25CF"},
        {m_hourLater, "\u25BC"}, {m_hourReset, "\u21BA"}, {m_hourEarlier, "\u25B2"}};
    for (auto [b, glyph] : glyphs)
        b->setFallbackText(QString::fromUtf8(glyph));
}

void MainWindow::buildBottomStrip() {
    // About, hint line, motto, web address.
    m_bottom = picture(QStringLiteral("Image32"), this);
    setHint(m_bottom, 0);
    m_about = picture(QStringLiteral("Image24"), this);
    m_about->setCursor(Qt::PointingHandCursor);
    setHint(m_about, Entry::About);
    m_aboutCaption = text(QStringLiteral("Label17"), this, 11, true);
    m_aboutCaption->setCursor(Qt::PointingHandCursor);
    setHint(m_aboutCaption, Entry::About);
    m_hint = text(QStringLiteral("Label30"), this, 11);
    m_hint->setIndent(6);
    m_motto = text(QStringLiteral("Label42"), this, 11, true);
    m_motto->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_web = text(QStringLiteral("Label41"), this, 11);
    m_web->setText(QString::fromLatin1(kWebAddress).section(QLatin1Char('/'), 2));
    m_web->setCursor(Qt::PointingHandCursor);
    setHint(m_web, Entry::HintWebAddress);
}

void MainWindow::connectNavigation() {
    auto on = [this](PictureButton* b, auto command) {
        connect(b, &PictureButton::clicked, this, [this, command] { apply(command()); });
    };
    on(m_month->nextArrow(), [this] { return m_session->nextMonth(); });
    on(m_month->prevArrow(), [this] { return m_session->previousMonth(); });
    connect(m_month, &MonthGridWidget::cellClicked, this,
            [this](int cell) { apply(m_session->pickCalendarDay(cell, now())); });
    connect(m_month, &MonthGridWidget::titleClicked, this, &MainWindow::openGoToDate);
    connect(m_print, &PictureButton::clicked, this, [this] { run(Command::Print); });
    // The buttons under the grid give the commands the keys and the wheel give too.
    const std::pair<PictureButton*, Command> commands[] = {{m_back, Command::Back},
                                                           {m_forward, Command::Forward},
                                                           {m_today, Command::Today},
                                                           {m_todayCardButton, Command::Today},
                                                           {m_dayView, Command::DayView},
                                                           {m_daysView, Command::DaysView},
                                                           {m_weekView, Command::WeekView},
                                                           {m_hourLater, Command::HourLater},
                                                           {m_hourEarlier, Command::HourEarlier}};
    for (auto [b, command] : commands)
        connect(b, &PictureButton::clicked, this, [this, command = command] { run(command); });
    on(m_hourReset, [this] { return m_session->resetHours(); });
    // The wheel over the grid moves the hours, over the calendar the days.
    m_grid->installEventFilter(this);
    m_month->installEventFilter(this);
    // Pressing one hour button shows it pressed; releasing shows all three normal again.
    for (PictureButton* b : {m_hourLater, m_hourReset, m_hourEarlier})
        connect(b, &PictureButton::released, this, [this] {
            m_hourLater->setNormalPicture(m_store.picture(Picture::HourLater));
            m_hourReset->setNormalPicture(m_store.picture(Picture::HourReset));
            m_hourEarlier->setNormalPicture(m_store.picture(Picture::HourEarlier));
        });
}

// ---- Start-up and shutdown

bool MainWindow::start() {
    m_session->loadSettings();
    loadSkinBackground();
    applyTileFont();

    m_instance = std::make_unique<SingleInstance>(QString::fromStdString(m_session->dataDirectory().root()));
    if (!m_instance->acquire()) {
        // The running copy comes to the front; only when it does not answer is the user told.
        if (!m_instance->wakeRunningCopy())
            Dialogs::message(this, entry(Entry::AlreadyRunning), QStringLiteral("Plandeck"), Dialogs::Buttons::Ok);
        return false;
    }
    connect(m_instance.get(), &SingleInstance::wakeRequested, this, &MainWindow::bringToFront);
    m_instance->setImportHandler([this](const QString& path) { return importForAnotherStart(path); });
    m_session->removeLeftoverTemporaryFiles();

    const MainOptions& options = m_session->options();
    if (!options.maximised && options.windowWidth > 0 && options.windowHeight > 0)
        resize(options.windowWidth / WeekView::TwipsPerPixel, options.windowHeight / WeekView::TwipsPerPixel);
    const QString logo = QString::fromStdString(m_session->dataDirectory().aboutLogo());
    if (QFile::exists(logo))
        setWindowIcon(QIcon(logo));
    loadSkinPictures();
    layOutWindow();
    // The grid's size is known before the week opens, so the notes are read once before the first paint.
    m_session->setGridSize(m_grid->width(), m_grid->height());
    apply(m_session->openWeek(now()));
    if (m_terminating) {
        // Ended while a question was open: the options are saved as at every exit.
        if (!m_closing && !m_session->quitRequested())
            close();
        return false;
    }
    m_timer->start();
    return !m_session->quitRequested();
}

void MainWindow::showAsStored() {
    m_shownAsStored = true;
    fitIntoScreen();
    if (m_session->options().maximised)
        showMaximized();
    else
        show();
    m_keys->setFocus();
    // The services start right after the first paint; a window that is never painted (mapped on another
    // desktop) gets them a moment later all the same.
    QTimer::singleShot(1000, this, &MainWindow::startServices);
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!m_servicesStarted)
        QMetaObject::invokeMethod(this, &MainWindow::startServices, Qt::QueuedConnection);
}

bool MainWindow::saveOptionsOnExit(bool askUser) {
    const QSize size = isMaximized() ? normalGeometry().size() : this->size();
    const WriteResult saved = m_session->saveOptionsOnExit({isMaximized(), size.width(), size.height()});
    if (!saved.ok && askUser)
        Dialogs::message(this, FromFileText(saved.error), QStringLiteral("Plandeck"), Dialogs::Buttons::Ok, true);
    else if (!saved.ok)
        std::fprintf(stderr, "Plandeck: the settings were not saved: %s\n", saved.error.c_str());
    return saved.ok;
}

void MainWindow::terminate() {
    m_terminating = true;
    // An open question closes as the answer that changes nothing; start-up, if it is still running, ends
    // once that answer has been taken.
    Dialogs::endAll();
    if (m_session->ready())
        close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    m_servicesStarted = true; // none starts on the way out
    // The wizard goes with the main window; nothing is shown again on the way out.
    closeWizard(false);
    removeTrayIcon();
    if (!m_closing && !m_session->quitRequested() && m_session->ready()) {
        m_closing = true;
        m_timer->stop();
        saveOptionsOnExit(!m_terminating);
    }
    event->accept();
    delete m_todayWindow;
    m_todayWindow = nullptr;
    // The program ends with its main window, even while that is hidden in the tray and other windows are
    // on show; it does not wait for the last window to close.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

// ---- Questions to the user

UserQuestions::Answer MainWindow::ask(const std::string& text, const std::string& title, Buttons buttons,
                                      Answer defaultAnswer, const std::string& detail) {
    QString shown = FromFileText(text);
    if (!detail.empty())
        shown += QStringLiteral("\n\n") + FromFileText(detail);
    const auto answer =
        Dialogs::message(this, shown, FromFileText(title),
                         buttons == Buttons::YesNo ? Dialogs::Buttons::YesNo : Dialogs::Buttons::YesNoCancel, true,
                         defaultAnswer == Answer::Yes  ? Dialogs::Answer::Yes
                         : defaultAnswer == Answer::No ? Dialogs::Answer::No
                                                       : Dialogs::Answer::Cancel);
    switch (answer) {
    case Dialogs::Answer::Yes:
        return Answer::Yes;
    case Dialogs::Answer::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void MainWindow::tell(const std::string& text, const std::string& title) {
    Dialogs::message(this, FromFileText(text), FromFileText(title), Dialogs::Buttons::Ok);
}

std::optional<std::string> MainWindow::askText(const std::string& prompt, const std::string& title,
                                               const std::string& initial) {
    const QString caption = title.empty() ? QStringLiteral("Plandeck") : FromFileText(title);
    const std::optional<QString> text = Dialogs::input(this, FromFileText(prompt), caption, FromFileText(initial));
    if (!text)
        return std::nullopt;
    return ToFileText(*text);
}

std::optional<long> MainWindow::chooseColour(long initial) {
    const std::optional<QColor> colour = Dialogs::colour(this, FromColourNumber(initial));
    if (!colour)
        return std::nullopt;
    return ToColourNumber(*colour);
}

// ---- Redrawing what changed

void MainWindow::apply(const Changes& changes) {
    for (const Failure& failure : changes.failures)
        Dialogs::message(this, FromFileText(failure.reason), QStringLiteral("Plandeck"), Dialogs::Buttons::Ok, true);
    for (const std::string& notice : changes.notices)
        Dialogs::message(this, FromFileText(notice), QStringLiteral("Plandeck"), Dialogs::Buttons::Ok);
    if (changes.quit) {
        // The user chose to end the program: nothing more is shown or saved.
        hide();
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return;
    }
    if (changes.look) {
        loadSkinBackground();
        loadSkinPictures();
    }
    if (changes.categories)
        showCategories();
    if (changes.dates)
        showDates();
    else if (changes.calendar)
        showMonthGrid();
    if (changes.words)
        applyLanguageCaptions();
    if (m_todayWindow && changes.words)
        m_todayWindow->setLanguage(m_session->language());
    if (m_findBox && changes.words)
        m_findBox->setLanguage(m_session->language());
    else if (m_findBox && m_findBox->isVisible() && changes.notes)
        m_findBox->searchAgain(); // the rows name notes by their lines, which a change may have moved
    if (m_todayWindow && changes.look)
        m_todayWindow->setSkin(m_session->shownSkin());
    if (m_todayWindow)
        m_todayWindow->setNotesPath(m_session->notesPath());
    if (changes.clock)
        showTime();
    if (changes.dates || changes.hours || changes.notes || changes.clock)
        showGrid();
    if (!changes.hint.empty())
        SetFittedText(m_hint, FromFileText(changes.hint));
    if (m_watcher)
        m_watcher->setFiles({QString::fromStdString(m_session->notesPath()),
                             QString::fromStdString(m_session->dataDirectory().categoryFile())});
    if (changes.writePending)
        finishPendingWrite();
}

void MainWindow::showDates() {
    const DayColumns& cols = m_session->navigation().columns();
    const DateCaptions& captions = m_session->dateCaptions();
    showMonthGrid();
    m_yearFirst->setText(QString::fromStdString(cols[0].year));
    m_yearLast->setText(QString::fromStdString(cols[7].year));
    SetFittedText(m_shownRange, FromFileText(m_session->shownRangeCaption()));
    SetFittedText(m_aboutCaption, FromFileText(captions.aboutCaption));
    m_todayWeekday->setText(FromFileText(captions.todayWeekday));
    m_todayMonth->setText(FromFileText(captions.todayMonth));
    showViewButtons();
    placeGridButtons();
}

void MainWindow::showMonthGrid() {
    const MonthGrid& grid = m_session->navigation().grid();
    m_month->setWeekNumbersShown(m_session->features().weekNumbers);
    m_month->setGrid(grid, FromFileText(m_session->language().monthName(grid.month())));
}

void MainWindow::showViewButtons() {
    // The active view shows pressed.
    const Navigation& nav = m_session->navigation();
    const bool week = nav.view() == Navigation::View::Week;
    const bool day = nav.view() == Navigation::View::Day;
    const bool days = nav.view() == Navigation::View::Days;
    auto show = [this](PictureButton* b, bool active, int normal, int pressed) {
        b->setPictures(m_store.picture(active ? pressed : normal), m_store.picture(pressed),
                       m_store.picture(active ? pressed : normal));
    };
    show(m_dayView, day, Picture::DayView, Picture::DayViewPressed);
    show(m_daysView, days, Picture::DaysView, Picture::DaysViewPressed);
    show(m_weekView, week, Picture::WeekView, Picture::WeekViewPressed);
}

void MainWindow::showCategories() {
    const int rows = m_categoryPanel->rowCount();
    m_categoryPanel->setPanel(m_session->categoryPanel());
    // Rows made for a taller panel explain themselves and take drags like the first six.
    for (int r = 0; r < m_categoryPanel->rowCount(); ++r)
        setHint(m_categoryPanel->name(r), Entry::HintCategoryName);
    if (rows != m_categoryPanel->rowCount())
        layOutWindow();
}

void MainWindow::showTime() {
    const TodayStamp& now = m_session->clockReading();
    m_clock->setHands(ClockHandsAt(now.hour, now.minute));
    m_todayDay->setText(QString::number(now.date.day));
    m_todayMonth->setText(FromFileText(m_session->language().monthNameAfterDay(now.date.month)));
}

void MainWindow::showGrid() {
    m_grid->setModel(m_session->grid());
    m_grid->setSelectedSlot(m_session->selectedSlot());
    showEditor();
}

// ---- Skin, font and language

void MainWindow::loadSkinBackground() {
    Skin skin(m_session->dataDirectory(), m_session->shownSkin());
    const QPixmap background = SkinPixmap(skin, kMainWindowPictures[0]);
    if (!background.isNull()) {
        HourGridLook look = m_grid->look();
        look.background = background;
        m_grid->setLook(look);
    }
    m_colours = LoadSkinColours(skin.colourList());
    ApplySkinPalette(m_colours);
    applySkinColours(m_colours);
}

void MainWindow::applySkinColours(const SkinColours& c) {
    const QColor ink(40, 48, 60);
    SetTextColour(m_motto, Colour(c.titleText, ink));
    SetTextColour(m_title, Colour(c.label4Text, ink));
    SetTextColour(m_shownRange, Colour(c.label10Text, ink));
    for (QLabel* l : {m_todayWeekday, m_todayDay, m_todayMonth})
        SetTextColour(l, Colour(c.todayText, ink));
    SetTextColour(m_yearFirst, Colour(c.yearText, ink));
    SetTextColour(m_yearLast, Colour(c.yearText, ink));
    m_hint->setStyleSheet(
        QStringLiteral("color: %1; background: %2;")
            .arg(Colour(c.hintText, ink).name(), Colour(c.hintBackground, QColor(236, 239, 244)).name()));
    SetTextColour(m_web, Colour(c.aboutText, ink));
    SetTextColour(m_aboutCaption, Colour(c.aboutText, ink));
    for (QLabel* l : {m_calendarCaption, m_categoryCaption, m_todayCaption})
        SetTextColour(l, Colour(c.panelTitleText, ink));
    for (const CommandItem& item : m_commands)
        SetTextColour(item.label, Colour(c.commandText, ink));
    m_categoryPanel->setTextColour(Colour(c.commandText, ink));
    m_clock->setHandColour(Colour(c.clockHandColour, ink));
    m_month->setTextColour(Colour(c.monthGridText, ink));

    HourGridLook look = m_grid->look();
    look.foreground = Colour(c.gridForeColour, look.foreground);
    look.rowLines = ColourText(c.rowLineColour, look.rowLines);
    look.hourLines = ColourText(c.hourLineColour, look.hourLines);
    for (std::size_t i = 0; i < 4; ++i)
        look.spanColours[i] = ColourText(c.spanColour[i], look.spanColours[i]);
    // Today's column and heading stand out the same way on light and dark skins: towards the skin's text
    // colour on a dark one, towards black on a light one.
    const bool dark = IsDark(look.foreground);
    look.todayHeaderText = dark ? look.foreground.lighter(125) : look.foreground.darker(130);
    look.todayColumn = dark ? QColor(look.foreground.red(), look.foreground.green(), look.foreground.blue(), 22)
                            : QColor(128, 128, 255, 38);
    look.todayHourLines = dark ? std::optional<QColor>(look.hourLines.lighter(160)) : std::nullopt;
    m_grid->setLook(look);

    // The category scroll bar takes the skin's colours on a dark skin; a light one keeps the desktop's.
    if (auto* scroll = m_categoryPanel->findChild<QScrollBar*>(QStringLiteral("VScroll1")))
        scroll->setStyleSheet(dark ? QStringLiteral("QScrollBar:vertical { background: %1; width: 10px; }"
                                                    "QScrollBar::handle:vertical { background: %2; min-height: 16px;"
                                                    " border-radius: 4px; margin: 1px; }"
                                                    "QScrollBar::add-line, QScrollBar::sub-line { height: 0px; }")
                                         .arg(look.hourLines.name(), look.foreground.darker(140).name())
                                   : QString());
}

void MainWindow::loadSkinPictures() {
    Skin skin(m_session->dataDirectory(), m_session->shownSkin());
    HourGridLook look = m_grid->look();
    for (std::size_t i = 1; i < kMainWindowPictures.size(); ++i) {
        const SkinPicture& p = kMainWindowPictures[i];
        const QPixmap image = SkinPixmap(skin, p);
        if (image.isNull())
            continue;
        const QString element = QString::fromLatin1(p.element.data(), static_cast<qsizetype>(p.element.size()));
        if (element == QLatin1String("Picture3(1)"))
            look.todayHeader = image;
        else if (element == QLatin1String("Picture3(2)"))
            look.otherHeader = image;
        else if (auto* label = findChild<QLabel*>(element))
            label->setPixmap(image);
    }
    const QPixmap grip = SkinPixmap(skin, kResizeGripPicture);
    if (!grip.isNull())
        look.grip = grip;
    m_grid->setLook(look);
    m_clock->setDrawFace(m_clockFace->pixmap().isNull());

    m_store.load(skin);
    auto pictures = [this](PictureButton* b, int pressed, int released) {
        b->setPictures(b->pixmap(), m_store.picture(pressed), m_store.picture(released));
    };
    pictures(m_back, Picture::BackPressed, Picture::BackReleased);
    pictures(m_forward, Picture::ForwardPressed, Picture::ForwardReleased);
    pictures(m_today, Picture::TodayPressed, Picture::TodayReleased);
    pictures(m_todayCardButton, Picture::TodayPressed, Picture::TodayReleased);
    pictures(m_month->nextArrow(), Picture::ForwardPressed, Picture::ForwardReleased);
    pictures(m_month->prevArrow(), Picture::BackPressed, Picture::BackReleased);
    m_hourLater->setPictures(m_store.picture(Picture::HourLater), m_store.picture(Picture::HourLaterPressed));
    m_hourReset->setPictures(m_store.picture(Picture::HourReset), m_store.picture(Picture::HourResetPressed));
    m_hourEarlier->setPictures(m_store.picture(Picture::HourEarlier), m_store.picture(Picture::HourEarlierPressed));
    showPrintButton();
    showViewButtons();
}

void MainWindow::applyTileFont() {
    const MainOptions& options = m_session->options();
    QFont tileFont(FromFileText(options.tileFontName));
    tileFont.setPointSizeF(options.tileFontSize);
    HourGridLook look = m_grid->look();
    look.tileFont = tileFont;
    look.tileText = FromColourNumber(options.tileForeColor);
    m_grid->setLook(look);
}

void MainWindow::applyLanguageCaptions() {
    for (const ControlCaption& c : MainWindowCaptions(m_session->language()))
        if (auto* label = findChild<QLabel*>(QString::fromStdString(c.control)))
            SetFittedText(label, FromFileText(c.text));
    // The buttons without a caption show their hint as a tooltip too, and a screen reader reads it as their
    // name; the keys that do the same follow it.
    for (auto it = m_hints.cbegin(); it != m_hints.cend(); ++it) {
        auto* w = static_cast<QWidget*>(it.key());
        const QString keys = keysTooltip(w);
        if (auto* b = qobject_cast<PictureButton*>(w)) {
            b->setToolTip(keys.isEmpty() ? entry(it.value()) : entry(it.value()) + QLatin1Char('\n') + keys);
            b->setAccessibleName(entry(it.value()));
            b->setAccessibleDescription(keys);
        } else if (!keys.isEmpty()) {
            w->setToolTip(keys);
        }
    }
    m_grid->setAccessibleName(entry(Entry::Keys::GridName));
    layOutWindow(); // captions change the widths of the command bar
    showHint(m_hintEntry);
    m_web->setToolTip(QString::fromLatin1(kWebAddress));
    showHint(m_hintEntry);
}

// ---- Layout

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOutWindow();
    keepWithinSizeLimits();
}

void MainWindow::fitIntoScreen() {
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    // A small screen, or a large scale, leaves less room than the window's smallest size: it shrinks to the
    // room there is, and the window opens within it, never larger than the screen.
    const QRect room = screen->availableGeometry();
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize roomInside = (room.size() - frame).expandedTo(QSize(1, 1));
    setMinimumSize(MinimumSize.boundedTo(roomInside));
    resize(size().boundedTo(roomInside));
    QRect place = frameGeometry();
    if (!room.contains(place)) {
        place.moveLeft(std::clamp(place.left(), room.left(), std::max(room.left(), room.right() + 1 - place.width())));
        place.moveTop(std::clamp(place.top(), room.top(), std::max(room.top(), room.bottom() + 1 - place.height())));
        move(place.topLeft());
    }
}

void MainWindow::keepWithinSizeLimits() {
    // The window may not be dragged larger than 1600 x 1200. The limit is not given to the window manager
    // as a maximum size, because several managers then refuse to maximise the window on a larger screen:
    // a normal window that grows past it is brought back instead.
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))
        return;
    const QSize limited = size().boundedTo(MaximumSize);
    if (limited != size())
        QTimer::singleShot(0, this, [this] {
            if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
                resize(size().boundedTo(MaximumSize));
        });
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        if (m_servicesStarted)
            recreateTrayIcon();
        // Keyboard commands go to the hidden key field whenever the window becomes active.
        if (!m_editor->isVisible())
            m_keys->setFocus();
    }
    if (event->type() == QEvent::WindowStateChange && m_todayWindow && !m_closing) {
        const Qt::WindowStates state = windowState();
        const MainWindowState now = (state & Qt::WindowMinimized)   ? MainWindowState::Minimised
                                    : (state & Qt::WindowMaximized) ? MainWindowState::Maximised
                                                                    : MainWindowState::Normal;
        // Hiding the window from inside its own state change confuses some window managers: done right after.
        const WindowPlan plan = m_session->mainWindowStateChanged(now, m_todayWindow->isVisible(), trayShown());
        QTimer::singleShot(0, this, [this, plan] { carryOut(plan); });
    }
}

void MainWindow::layOutWindow() {
    const int w = width();
    const int h = height();
    // At the smallest size every part has its designed place; a larger window gives the month calendar,
    // today's card, their letters and the left panel more room, and the category panel as many rows as fit.
    const double g = GrowthAt(w, h);
    const int headerHeight = Scaled(HeaderHeight, g);
    const int panelWidth = PanelWidth + Scaled(260 * (g - 1), 1);
    // The clock, the title and the command bar stay together in the middle of a taller header.
    const int top = (headerHeight - HeaderHeight) / 2;
    m_header->setGeometry(0, 0, w, headerHeight);
    m_clockFace->setGeometry(0, top, 118, HeaderHeight);
    m_clock->setGeometry(0, top, 118, HeaderHeight);
    m_title->setGeometry(124, top + 10, 300, 30);
    m_shownRange->setGeometry(126, top + 40, 330, 20);
    // The command bar: each item as wide as its caption, all of them within the space left of the calendar.
    // When the captions are too long for it, the last items show their icon alone (their caption becomes its
    // tooltip), and what is still too long is shortened, the longest caption first.
    const int calendarLeft = w - Scaled(274, g);
    constexpr std::size_t CommandCount = std::tuple_size_v<decltype(m_commands)>;
    constexpr int IconOnlyWidth = 36, CaptionGap = 46;
    std::array<int, CommandCount> widths{};
    for (std::size_t i = 0; i < CommandCount; ++i) {
        const QLabel* label = m_commands[i].label;
        widths[i] = std::min(label->fontMetrics().horizontalAdvance(label->property("fullText").toString()) + 4, 120);
    }
    std::size_t captioned = CommandCount;
    auto room = [&] {
        return (calendarLeft - 4) - 120 - CaptionGap * static_cast<int>(captioned) -
               IconOnlyWidth * static_cast<int>(CommandCount - captioned);
    };
    auto total = [&] { return std::accumulate(widths.begin(), widths.begin() + captioned, 0); };
    // The first item keeps its caption whatever the width: a bar of icons alone would not say what it is.
    while (captioned > 1 && total() > room())
        --captioned;
    for (int sum = 0; (sum = total()) > room() && sum > 0;)
        --*std::max_element(widths.begin(), widths.begin() + captioned);
    int x = 120;
    for (std::size_t i = 0; i < CommandCount; ++i) {
        const CommandItem& item = m_commands[i];
        const bool caption = i < captioned;
        item.label->setVisible(caption);
        item.icon->setToolTip(caption ? QString() : item.label->property("fullText").toString());
        item.icon->setCursor(caption ? Qt::ArrowCursor : Qt::PointingHandCursor);
        if (caption) {
            item.highlight->setGeometry(x, top + 70, widths[i] + 42, 36);
            item.label->setGeometry(x + 36, top + 76, widths[i], 24);
            FitText(item.label);
        } else {
            item.highlight->setGeometry(x, top + 70, IconOnlyWidth, 36);
        }
        item.icon->setGeometry(x + 6, top + 76, 24, 24);
        x += caption ? widths[i] + CaptionGap : IconOnlyWidth + 4;
    }
    auto at = [&](QWidget* widget, int left, int y, int width, int height) {
        widget->setGeometry(w - Scaled(left, g), Scaled(y, g), Scaled(width, g), Scaled(height, g));
    };
    m_calendarBack->setGeometry(calendarLeft, 0, Scaled(156, g), headerHeight);
    at(m_calendarCaption, 270, 2, 148, 12);
    at(m_month, 270, 14, 148, 101);
    at(m_todayBack, 115, 4, 112, 109);
    at(m_todayCaption, 111, 8, 80, 14);
    m_todayCardButton->move(w - Scaled(30, g), Scaled(6, g));
    at(m_todayWeekday, 113, 26, 108, 18);
    at(m_todayDay, 80, 44, 42, 40);
    at(m_todayMonth, 113, 86, 108, 18);
    SetPixelSize(m_calendarCaption, Scaled(10, g));
    SetPixelSize(m_todayCaption, Scaled(10, g));
    SetPixelSize(m_todayWeekday, Scaled(12, g));
    SetPixelSize(m_todayDay, Scaled(34, g));
    SetPixelSize(m_todayMonth, Scaled(12, g));

    const int bodyHeight = std::max(0, h - headerHeight - BottomHeight);
    // Six category rows at the smallest height; each 20 pixels more give room for one more.
    constexpr int SmallestBody = 600 - HeaderHeight - BottomHeight;
    if (m_session->setCategoryRoom(CategoryPanel::RowCount + std::max(0, bodyHeight - SmallestBody) / 20).categories)
        showCategories();
    const int categoryHeight = CategoryPanelWidget::HeightFor(m_categoryPanel->rowCount());
    m_panel->setGeometry(0, headerHeight, panelWidth, bodyHeight);
    const bool stretch = m_colours.stretchLeftPanel.value_or(false);
    const int topHeight = stretch ? bodyHeight : std::min(bodyHeight, 190);
    m_panelTop->setGeometry(0, 0, panelWidth, topHeight);
    m_panelBottom->setGeometry(0, topHeight, panelWidth, bodyHeight - topHeight);
    m_panelBottom->setVisible(!stretch);
    m_categoryBack->setGeometry(0, 0, panelWidth, categoryHeight + 28);
    m_categoryCaption->setGeometry(2, 6, panelWidth - 4, 16);
    m_categoryPanel->setGeometry(3, 26, panelWidth - 6, categoryHeight);

    m_grid->setGeometry(panelWidth, headerHeight, std::max(0, w - panelWidth), bodyHeight);
    m_bottom->setGeometry(0, h - BottomHeight, w, BottomHeight);
    m_about->setGeometry(2, h - BottomHeight, 16, 16);
    // The about caption takes the width of its text, the hint line what is left up to the motto.
    const int aboutWidth = std::clamp(
        m_aboutCaption->fontMetrics().horizontalAdvance(m_aboutCaption->property("fullText").toString()) + 6, 110, 220);
    m_aboutCaption->setGeometry(22, h - BottomHeight, aboutWidth, BottomHeight);
    const int hintLeft = 22 + aboutWidth + 4;
    m_hint->setGeometry(hintLeft, h - BottomHeight, std::max(0, w - hintLeft - 326), BottomHeight);
    m_motto->setGeometry(w - 320, h - BottomHeight, 190, BottomHeight);
    m_web->setGeometry(w - 123, h - BottomHeight, 121, BottomHeight);
    for (QLabel* l : {m_aboutCaption, m_hint, m_motto, m_shownRange})
        FitText(l);
    placeGridButtons();
}

void MainWindow::placeGridButtons() {
    const Navigation& nav = m_session->navigation();
    const HourRange hours = m_session->hours();
    const WeekView v = WeekView::Compute(m_grid->width(), m_grid->height(), nav.days(), hours.first, hours.last);
    const int top = static_cast<int>(v.vScale * ButtonTop / WeekView::TwipsPerPixel);
    auto at = [&](QWidget* b, double twips) { b->move(static_cast<int>(twips / WeekView::TwipsPerPixel), top); };
    at(m_back, 1260);
    at(m_dayView, 1620);
    at(m_daysView, 2160);
    at(m_weekView, 2520);
    at(m_forward, 3060);
    at(m_today, v.hScale * 5160);
    at(m_hourLater, v.hScale * 8500 - 360);
    at(m_hourReset, v.hScale * 8500);
    at(m_hourEarlier, v.hScale * 8500 + 360);
    at(m_print, v.hScale * 6830);
    m_yearFirst->setGeometry(static_cast<int>(v.hScale * 1410 / WeekView::TwipsPerPixel), 0, 60, 14);
    m_yearLast->setGeometry(static_cast<int>(v.hScale * 8520 / WeekView::TwipsPerPixel), 0, 60, 14);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (noteEditingEvent(watched, event))
        return true;
    if (event->type() == QEvent::Wheel && (watched == m_grid || watched == m_month))
        return wheelCommand(watched, static_cast<QWheelEvent*>(event));
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
        auto it = m_hints.constFind(watched);
        if (it != m_hints.constEnd())
            showHint(it.value());
        // Pointing at a command shows its highlight alone; any other control takes it off.
        const bool command = std::any_of(m_commands.begin(), m_commands.end(), [watched](const CommandItem& item) {
            return item.icon == watched || item.label == watched;
        });
        if (command || it != m_hints.constEnd() || watched == m_panelTop)
            for (const CommandItem& item : m_commands)
                item.highlight->setVisible(item.icon == watched || item.label == watched);
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
               static_cast<QWidget*>(watched)->rect().contains(
                   static_cast<QMouseEvent*>(event)->position().toPoint())) {
        if (const std::optional<Command> command = commandAt(watched)) {
            run(*command);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace plandeck
