#include "app/frmPlandeck.h"

#include "widgets/PictureButton.h"
#include "calendar/CalendarMath.h"
#include "calendar/ui/ClockWidget.h"
#include "calendar/ui/MonthGridWidget.h"
#include "editing/ui/CategoryPanelWidget.h"
#include "notes/Note.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/SingleInstance.h"
#include "platform/Text.h"
#include "settings/StartupFallbacks.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QMouseEvent>
#include <cstdio>

namespace plandeck {

namespace {

// Fixed parts of the window, in pixels.
constexpr int HeaderHeight = 117;
constexpr int PanelWidth = 90;
constexpr int BottomHeight = 16;
constexpr int ButtonTop = 6240; // grid units
const QSize MinimumSize(800, 600);
const QSize MaximumSize(1600, 1200);

// Hint entries of the language file.
constexpr int HintBack = 37, HintToday = 35, HintForward = 38, HintNextMonth = 36, HintPrevMonth = 34;
constexpr int HintDayView = 154, HintDaysView = 155, HintWeekView = 153;
constexpr int HintHourEarlier = 156, HintHourLater = 157, HintHourReset = 158;
constexpr int HintCategoryName = 32, HintAdd = 9, HintDelete = 10, HintAbout = 39, HintWeb = 42, HintEditor = 149;

constexpr const char* WebAddress = "https://plandeck.example.org";

QColor Colour(const std::optional<long>& value, const QColor& designed) {
    return value ? FromColourNumber(*value) : designed;
}

QColor ColourText(const std::optional<std::string>& text, const QColor& designed) {
    if (!text)
        return designed;
    auto value = ColourValue(*text);
    return value ? FromColourNumber(*value) : designed;
}

void SetTextColour(QLabel* label, const QColor& colour) {
    label->setStyleSheet(QStringLiteral("color: %1;").arg(colour.name()));
}

} // namespace

frmPlandeck::frmPlandeck(DataDirectory dataDir, QWidget* parent) : QWidget(parent), m_dataDir(std::move(dataDir)) {
    setObjectName(QStringLiteral("frmPlandeck"));
    setWindowTitle(QStringLiteral("Plandeck"));
    m_nav = std::make_unique<Navigation>(m_language, m_options.configuredDays);
    createWidgets();
}

frmPlandeck::~frmPlandeck() = default;

QString frmPlandeck::entry(int n) const {
    return FromFileText(m_language.entry(n));
}

QLabel* frmPlandeck::picture(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setScaledContents(true);
    return label;
}

QLabel* frmPlandeck::text(const QString& name, QWidget* parent, int pixelSize, bool bold) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    QFont f = label->font();
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    label->setFont(f);
    return label;
}

PictureButton* frmPlandeck::button(const QString& name, QWidget* parent, int hintEntry) {
    auto* b = new PictureButton(name, parent);
    b->resize(24, 24);
    setHint(b, hintEntry);
    return b;
}

void frmPlandeck::setHint(QWidget* widget, int entry) {
    m_hints.insert(widget, entry);
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

void frmPlandeck::showHint(int n) {
    m_hint->setText(n > 0 ? entry(n) : QString());
}

void frmPlandeck::createWidgets() {
    setMinimumSize(MinimumSize);
    // Header: clock, title, command bar, month calendar, today's date.
    m_header = picture(QStringLiteral("Image17"), this);
    setHint(m_header, 0);
    m_clockFace = picture(QStringLiteral("Image25"), this);
    setHint(m_clockFace, 0);
    m_clock = new ClockWidget(this);
    m_title = text(QStringLiteral("Label4"), this, 22, true);
    m_title->setText(QStringLiteral("Plandeck"));
    m_subtitle = text(QStringLiteral("Label10"), this, 12);

    const std::array<std::array<const char*, 3>, 4> commandNames = {{{"Shape2", "Image3", "Label23"},
                                                                     {"Shape6", "Image26", "Label31"},
                                                                     {"Shape4", "Image4", "Label24"},
                                                                     {"Shape5", "Image5", "Label25"}}};
    for (std::size_t i = 0; i < m_commands.size(); ++i) {
        CommandItem& item = m_commands[i];
        item.highlight = new QLabel(this);
        item.highlight->setObjectName(QString::fromLatin1(commandNames[i][0]));
        item.highlight->setStyleSheet(QStringLiteral("background: rgba(120, 130, 150, 45); border-radius: 6px;"));
        item.highlight->hide();
        item.icon = picture(QString::fromLatin1(commandNames[i][1]), this);
        item.label = text(QString::fromLatin1(commandNames[i][2]), this, 12, true);
        item.label->setCursor(Qt::PointingHandCursor);
        setHint(item.icon, 0);
        setHint(item.label, 25 + static_cast<int>(i));
    }

    m_calendarBack = picture(QStringLiteral("Image16"), this);
    m_calendarCaption = text(QStringLiteral("Label26"), this, 10, true);
    m_calendarCaption->setAlignment(Qt::AlignCenter);
    setHint(m_calendarCaption, 29);
    m_month = new MonthGridWidget(this);
    setHint(m_month->nextArrow(), HintNextMonth);
    setHint(m_month->prevArrow(), HintPrevMonth);
    // The arrows turn only the calendar.
    connect(m_month->nextArrow(), &PictureButton::clicked, this, [this] {
        m_nav->NextMonthArrow();
        showMonthGrid();
    });
    connect(m_month->prevArrow(), &PictureButton::clicked, this, [this] {
        m_nav->PrevMonthArrow();
        showMonthGrid();
    });
    connect(m_month, &MonthGridWidget::cellClicked, this, [this](int i) {
        m_nav->ClickCell(i);
        afterNavigation();
    });

    m_todayBack = picture(QStringLiteral("Image9"), this);
    m_todayCaption = text(QStringLiteral("Label28"), this, 10, true);
    setHint(m_todayCaption, 31);
    m_todayWeekday = text(QStringLiteral("Label37"), this, 12, true);
    m_todayDay = text(QStringLiteral("Label38"), this, 34, true);
    m_todayMonth = text(QStringLiteral("Label39"), this, 12, true);
    for (QLabel* l : {m_todayWeekday, m_todayDay, m_todayMonth})
        l->setAlignment(Qt::AlignCenter);
    m_todaySecond = button(QStringLiteral("Image19"), this, HintToday);

    // Left panel: the categories.
    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("Frame2"));
    m_panelTop = picture(QStringLiteral("Image31"), m_panel);
    m_panelBottom = picture(QStringLiteral("Image8"), m_panel);
    m_categoryBack = picture(QStringLiteral("Image1"), m_panel);
    m_categoryCaption = text(QStringLiteral("Label27"), m_panel, 11, true);
    m_categoryCaption->setAlignment(Qt::AlignCenter);
    setHint(m_categoryCaption, 30);
    m_categoryPanel = new CategoryPanelWidget(m_panel);
    for (int r = 0; r < CategoryPanel::RowCount; ++r)
        setHint(m_categoryPanel->name(r), HintCategoryName);
    setHint(m_categoryPanel->addButton(), HintAdd);
    setHint(m_categoryPanel->deleteButton(), HintDelete);
    connect(m_categoryPanel, &CategoryPanelWidget::shownChanged, this, [this](int row, bool shown) {
        m_categories.setShown(m_categoryFirst + row, shown);
        if (m_nav->days() == 1)
            resizing();
        else
            WeekRefresh();
        m_keys->setFocus();
    });
    connect(m_categoryPanel, &CategoryPanelWidget::scrolled, this, [this](int first) {
        loadCategories(first);
        m_keys->setFocus();
    });

    // The hour grid with its buttons.
    m_grid = new HourGridWidget(this);
    connect(m_grid, &HourGridWidget::hintEntry, this, &frmPlandeck::showHint);
    connect(m_grid, &HourGridWidget::resized, this, [this] {
        placeGridButtons();
        resizing();
    });
    m_back = button(QStringLiteral("Image20"), m_grid, HintBack);
    m_dayView = button(QStringLiteral("Image11"), m_grid, HintDayView);
    m_daysView = button(QStringLiteral("Image12"), m_grid, HintDaysView);
    m_weekView = button(QStringLiteral("Image13"), m_grid, HintWeekView);
    m_forward = button(QStringLiteral("Image22"), m_grid, HintForward);
    m_today = button(QStringLiteral("Image21"), m_grid, HintToday);
    m_hourLater = button(QStringLiteral("Image18"), m_grid, HintHourLater);
    m_hourReset = button(QStringLiteral("Image23"), m_grid, HintHourReset);
    m_hourEarlier = button(QStringLiteral("Image33"), m_grid, HintHourEarlier);
    const std::pair<PictureButton*, const char*> glyphs[] = {{m_back, "\u25C0"},
                                                             {m_dayView, "1"},
                                                             {m_daysView, "N"},
                                                             {m_weekView, "7"},
                                                             {m_forward, "\u25B6"},
                                                             {m_today, "\u25CF"},
                                                             {m_hourLater, "\u25BC"},
                                                             {m_hourReset, "\u21BA"},
                                                             {m_hourEarlier, "\u25B2"},
                                                             {m_todaySecond, "\u25CF"},
                                                             {m_month->nextArrow(), "\u203A"},
                                                             {m_month->prevArrow(), "\u2039"}};
    for (auto [b, glyph] : glyphs)
        b->setFallbackText(QString::fromUtf8(glyph));
    m_yearFirst = text(QStringLiteral("Label11(0)"), m_grid, 11, true);
    m_yearLast = text(QStringLiteral("Label11(7)"), m_grid, 11, true);

    // Every step of the dates ends with the same refresh.
    auto step = [this](PictureButton* b, auto move) {
        connect(b, &PictureButton::clicked, this, [this, move] {
            move(*m_nav);
            afterNavigation();
        });
    };
    step(m_back, [](Navigation& n) { n.Back(); });
    step(m_forward, [](Navigation& n) { n.Forward(); });
    step(m_today, [this](Navigation& n) { n.GoToToday(nowStamp()); });
    step(m_todaySecond, [this](Navigation& n) { n.GoToToday(nowStamp()); });
    step(m_dayView, [this](Navigation& n) { n.ShowDay(nowStamp()); });
    step(m_daysView, [this](Navigation& n) { n.ShowDays(nowStamp()); });
    step(m_weekView, [this](Navigation& n) { n.ShowWeek(nowStamp()); });
    // Pressing one hour button shows it pressed; releasing shows all three normal again.
    auto hourButton = [this](PictureButton* b, auto change) {
        connect(b, &PictureButton::released, this, [this] {
            m_hourLater->setNormalPicture(m_store.picture(15));
            m_hourReset->setNormalPicture(m_store.picture(16));
            m_hourEarlier->setNormalPicture(m_store.picture(17));
        });
        connect(b, &PictureButton::clicked, this, [this, change] {
            m_hours = change(m_hours);
            resizing();
        });
    };
    hourButton(m_hourLater, [](HourRange r) { return r.later(); });
    hourButton(m_hourEarlier, [](HourRange r) { return r.earlier(); });
    hourButton(m_hourReset, [this](HourRange) { return m_configuredHours; });

    m_editor = new QLineEdit(m_grid);
    m_editor->setObjectName(QStringLiteral("Text2"));
    m_editor->hide();
    setHint(m_editor, HintEditor);
    m_keys = new QLineEdit(this);
    m_keys->setObjectName(QStringLiteral("Text1"));
    m_keys->setGeometry(-20, -20, 1, 1);

    // Bottom strip: about, hint line, motto, web address.
    m_bottom = picture(QStringLiteral("Image32"), this);
    setHint(m_bottom, 0);
    m_about = picture(QStringLiteral("Image24"), this);
    m_about->setCursor(Qt::PointingHandCursor);
    setHint(m_about, HintAbout);
    m_aboutCaption = text(QStringLiteral("Label17"), this, 11, true);
    m_aboutCaption->setCursor(Qt::PointingHandCursor);
    setHint(m_aboutCaption, HintAbout);
    m_hint = text(QStringLiteral("Label30"), this, 11);
    m_hint->setIndent(6);
    m_motto = text(QStringLiteral("Label42"), this, 11, true);
    m_motto->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_web = text(QStringLiteral("Label41"), this, 11);
    m_web->setText(QString::fromLatin1(WebAddress).section(QLatin1Char('/'), 2));
    m_web->setCursor(Qt::PointingHandCursor);
    setHint(m_web, HintWeb);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(30000);
    connect(m_timer, &QTimer::timeout, this, &frmPlandeck::vremena);
}

bool frmPlandeck::Form_Load() {
    // The options; a missing or short file leaves the defaults in place.
    m_options = LoadMainOptions(m_dataDir.mainOptionsFile());
    m_categories.setShownFlags(StartupCategoryFlags(m_options));
    m_skinName = ChooseSkinName(m_dataDir, m_options.skinName);
    loadSkin();

    QFont tileFont(FromFileText(m_options.tileFontName));
    tileFont.setPointSizeF(m_options.tileFontSize);
    HourGridLook look = m_grid->look();
    look.tileFont = tileFont;
    look.tileText = FromColourNumber(m_options.tileForeColor);
    m_grid->setLook(look);

    m_ready = false;
    m_languageFile = m_options.languageFile;
    m_nav->setConfiguredDays(m_options.configuredDays);
    m_configuredHours = m_hours = HourRange{m_options.firstHour, m_options.lastHour};
    m_notesPath = m_dataDir.resolveNotesFile(m_options.notesFilePath);
    loadCategories(0);
    loadLanguage();

    m_instance = std::make_unique<SingleInstance>(QString::fromStdString(m_dataDir.root()));
    if (!m_instance->acquire()) {
        Dialogs::message(this, entry(161), QStringLiteral("Plandeck"), Dialogs::Buttons::Ok);
        return false;
    }

    if (!m_options.maximised && m_options.windowWidth > 0 && m_options.windowHeight > 0)
        resize(m_options.windowWidth / WeekView::TwipsPerPixel, m_options.windowHeight / WeekView::TwipsPerPixel);

    if (m_options.purgePastNotes) {
        const QDate today = Clock::now().date();
        PurgeResult purge = RemovePastNotes(NotesStore(m_notesPath), Date{today.year(), today.month(), today.day()});
        if (!purge.write.ok)
            Dialogs::message(this, QString::fromStdString(purge.write.error), QStringLiteral("Plandeck"),
                             Dialogs::Buttons::Ok, true);
    }

    m_ready = true;
    const QString logo = QString::fromStdString(m_dataDir.aboutLogo());
    if (QFile::exists(logo))
        setWindowIcon(QIcon(logo));
    loadSkinPictures();
    layOutWindow();
    m_nav->ShowDays(nowStamp());
    afterNavigation();
    applyLanguageCaptions();
    m_timer->start();
    return !m_quitRequested;
}

void frmPlandeck::showAsStored() {
    if (m_options.maximised)
        showMaximized();
    else
        show();
    m_keys->setFocus();
}

TodayStamp frmPlandeck::nowStamp() const {
    const QDateTime now = Clock::now();
    return TodayStamp{Date{now.date().year(), now.date().month(), now.date().day()}, now.time().hour(),
                      now.time().minute()};
}

void frmPlandeck::loadSkin() {
    Skin skin(m_dataDir, m_skinName);
    const QImage background = LoadSkinPicture(skin, kMainWindowPictures[0]);
    if (!background.isNull()) {
        HourGridLook look = m_grid->look();
        look.background = QPixmap::fromImage(background);
        m_grid->setLook(look);
    }
    m_colours = LoadSkinColours(skin.colourList());
    applySkinColours(m_colours);
}

void frmPlandeck::applySkinColours(const SkinColours& c) {
    const QColor ink(40, 48, 60);
    SetTextColour(m_motto, Colour(c.titleText, ink));
    SetTextColour(m_title, Colour(c.label4Text, ink));
    SetTextColour(m_subtitle, Colour(c.label10Text, ink));
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
    m_grid->setLook(look);
}

void frmPlandeck::loadSkinPictures() {
    Skin skin(m_dataDir, m_skinName);
    HourGridLook look = m_grid->look();
    for (std::size_t i = 1; i < kMainWindowPictures.size(); ++i) {
        const SkinPicture& p = kMainWindowPictures[i];
        const QImage image = LoadSkinPicture(skin, p);
        if (image.isNull())
            continue;
        const QString element = QString::fromLatin1(p.element.data(), static_cast<qsizetype>(p.element.size()));
        if (element == QLatin1String("Picture3(1)"))
            look.todayHeader = QPixmap::fromImage(image);
        else if (element == QLatin1String("Picture3(2)"))
            look.otherHeader = QPixmap::fromImage(image);
        else if (auto* label = findChild<QLabel*>(element))
            label->setPixmap(QPixmap::fromImage(image));
    }
    const QImage grip = LoadSkinPicture(skin, kResizeGripPicture);
    if (!grip.isNull())
        look.grip = QPixmap::fromImage(grip);
    m_grid->setLook(look);
    m_clock->setDrawFace(m_clockFace->pixmap().isNull());

    m_store.load(skin);
    m_back->setPictures(m_back->pixmap(), m_store.picture(4), m_store.picture(5));
    m_forward->setPictures(m_forward->pixmap(), m_store.picture(6), m_store.picture(7));
    m_today->setPictures(m_today->pixmap(), m_store.picture(2), m_store.picture(3));
    m_todaySecond->setPictures(m_todaySecond->pixmap(), m_store.picture(2), m_store.picture(3));
    m_month->nextArrow()->setPictures(m_month->nextArrow()->pixmap(), m_store.picture(6), m_store.picture(7));
    m_month->prevArrow()->setPictures(m_month->prevArrow()->pixmap(), m_store.picture(4), m_store.picture(5));
    m_hourLater->setPictures(m_store.picture(15), m_store.picture(18));
    m_hourReset->setPictures(m_store.picture(16), m_store.picture(19));
    m_hourEarlier->setPictures(m_store.picture(17), m_store.picture(20));
    showViewButtons();
}

void frmPlandeck::showViewButtons() {
    // The active view shows pressed.
    const bool week = m_nav->weekMode();
    const bool day = !week && m_nav->days() == 1;
    m_dayView->setPictures(m_store.picture(day ? 10 : 9), m_store.picture(10), m_store.picture(day ? 10 : 9));
    m_daysView->setPictures(m_store.picture(!week && !day ? 12 : 11), m_store.picture(12),
                            m_store.picture(!week && !day ? 12 : 11));
    m_weekView->setPictures(m_store.picture(week ? 14 : 13), m_store.picture(14), m_store.picture(week ? 14 : 13));
}

void frmPlandeck::loadLanguage() {
    // A language file that went missing must not leave the window without a word: another installed
    // language is taken, or the English texts built into the program.
    const std::string file = ChooseLanguageFile(m_dataDir, m_languageFile);
    if (!file.empty()) {
        m_language = LanguageTable::Load(LanguageTable::FilePath(m_dataDir, file));
    } else {
        QFile builtIn(QStringLiteral(":/builtin/English.lng"));
        builtIn.open(QIODevice::ReadOnly);
        const QByteArray bytes = builtIn.readAll();
        m_language =
            LanguageTable::FromBytes(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
    m_nav->setLanguage(m_language);
}

void frmPlandeck::applyLanguageCaptions() {
    // The table as loaded, so captions come from the same texts as everything else (also when they are the
    // built-in ones).
    for (const ControlCaption& c : MainWindowCaptions(m_language))
        if (auto* label = findChild<QLabel*>(QString::fromStdString(c.control)))
            label->setText(FromFileText(c.text));
    layOutWindow(); // captions change the widths of the command bar
    m_web->setToolTip(QString::fromLatin1(WebAddress));
}

void frmPlandeck::loadCategories(int first) {
    m_categoryFirst = first;
    m_categoryPanel->setPanel(m_categories.LoadCategories(m_dataDir.categoryFile(), first));
}

void frmPlandeck::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOutWindow();
    keepWithinSizeLimits();
}

void frmPlandeck::keepWithinSizeLimits() {
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

void frmPlandeck::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Keyboard commands go to the hidden key field whenever the window becomes active.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_editor->isVisible())
        m_keys->setFocus();
}

void frmPlandeck::layOutWindow() {
    const int w = width();
    const int h = height();
    m_header->setGeometry(0, 0, w, HeaderHeight);
    m_clockFace->setGeometry(0, 0, 118, HeaderHeight);
    m_clock->setGeometry(0, 0, 118, HeaderHeight);
    m_title->setGeometry(124, 10, 300, 30);
    m_subtitle->setGeometry(126, 40, 330, 20);
    // The command bar: each item as wide as its caption, all of them within the space left of the calendar.
    int x = 120;
    for (const CommandItem& item : m_commands) {
        const int textWidth = std::min(item.label->fontMetrics().horizontalAdvance(item.label->text()) + 4, 120);
        item.highlight->setGeometry(x, 70, textWidth + 42, 36);
        item.icon->setGeometry(x + 6, 76, 24, 24);
        item.label->setGeometry(x + 36, 76, textWidth, 24);
        x += textWidth + 46;
    }
    m_calendarBack->setGeometry(w - 274, 0, 156, HeaderHeight);
    m_calendarCaption->setGeometry(w - 270, 2, 148, 12);
    m_month->setGeometry(w - 270, 14, 148, 101);
    m_todayBack->setGeometry(w - 115, 4, 112, 109);
    m_todayCaption->setGeometry(w - 111, 8, 80, 14);
    m_todaySecond->move(w - 30, 6);
    m_todayWeekday->setGeometry(w - 113, 26, 108, 18);
    m_todayDay->setGeometry(w - 80, 44, 42, 40);
    m_todayMonth->setGeometry(w - 113, 86, 108, 18);

    const int bodyHeight = std::max(0, h - HeaderHeight - BottomHeight);
    m_panel->setGeometry(0, HeaderHeight, PanelWidth, bodyHeight);
    const bool stretch = m_colours.stretchLeftPanel.value_or(false);
    const int topHeight = stretch ? bodyHeight : std::min(bodyHeight, 190);
    m_panelTop->setGeometry(0, 0, PanelWidth, topHeight);
    m_panelBottom->setGeometry(0, topHeight, PanelWidth, bodyHeight - topHeight);
    m_panelBottom->setVisible(!stretch);
    m_categoryBack->setGeometry(0, 0, PanelWidth, 176);
    m_categoryCaption->setGeometry(2, 6, PanelWidth - 4, 16);
    m_categoryPanel->setGeometry(3, 26, PanelWidth - 6, 148);

    m_grid->setGeometry(PanelWidth, HeaderHeight, std::max(0, w - PanelWidth), bodyHeight);
    m_bottom->setGeometry(0, h - BottomHeight, w, BottomHeight);
    m_about->setGeometry(2, h - BottomHeight, 16, 16);
    m_aboutCaption->setGeometry(22, h - BottomHeight, 110, BottomHeight);
    m_hint->setGeometry(136, h - BottomHeight, std::max(0, w - 136 - 326), BottomHeight);
    m_motto->setGeometry(w - 320, h - BottomHeight, 190, BottomHeight);
    m_web->setGeometry(w - 123, h - BottomHeight, 121, BottomHeight);
    placeGridButtons();
}

void frmPlandeck::placeGridButtons() {
    const WeekView v = WeekView::Compute(m_grid->width(), m_grid->height(), m_nav->days(), m_hours.first, m_hours.last);
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
    m_yearFirst->setGeometry(static_cast<int>(v.hScale * 1410 / WeekView::TwipsPerPixel), 0, 60, 14);
    m_yearLast->setGeometry(static_cast<int>(v.hScale * 8520 / WeekView::TwipsPerPixel), 0, 60, 14);
}

void frmPlandeck::showMonthGrid() {
    m_month->setGrid(m_nav->grid(), FromFileText(m_language.monthName(m_nav->grid().month())));
}

void frmPlandeck::afterNavigation() {
    const DayColumns& cols = m_nav->columns();
    showMonthGrid();
    m_yearFirst->setText(QString::fromStdString(cols[0].year));
    m_yearLast->setText(QString::fromStdString(cols[7].year));
    m_subtitle->setText(FromFileText(ShownRangeCaption(cols, m_nav->days(), m_language)));
    m_dateCaptions = ShowDateCaptions(cols, m_language, nowStamp().date);
    m_aboutCaption->setText(FromFileText(m_dateCaptions.label17));
    m_todayWeekday->setText(FromFileText(m_dateCaptions.label37));
    m_todayMonth->setText(FromFileText(m_dateCaptions.label39));
    showViewButtons();
    placeGridButtons();
    resizing();
}

void frmPlandeck::resizing() {
    if (m_grid->width() <= 0 || m_grid->height() <= 0)
        return;
    const DayColumns& cols = m_nav->columns();
    m_model.view = WeekView::Compute(m_grid->width(), m_grid->height(), m_nav->days(), m_hours.first, m_hours.last);
    m_model.layout = LayOutHourGrid(m_model.view, cols, m_nav->today().date);
    m_model.dayHeaders.clear();
    for (int j = 0; j < m_model.view.days; ++j) {
        const DayColumn& c = cols[static_cast<std::size_t>(j)];
        m_model.dayHeaders.push_back(DayHeader(c, m_dateCaptions.label22[static_cast<std::size_t>(j)]));
    }
    // The spans as last saved.
    const MainOptions saved = LoadMainOptions(m_dataDir.mainOptionsFile());
    m_model.spans = saved.shadeWorkSpans
                        ? PaintWorkSpans(m_model.view, WorkSpansFromOptions(saved.workSpans, saved.workSpanEnabled))
                        : std::vector<SpanBand>{};
    m_model.captions.clear();
    vremena();
    if (m_ready)
        WeekRefresh();
    else
        m_grid->setModel(m_model);
}

void frmPlandeck::vremena() {
    const QDateTime now = Clock::now();
    const int h = now.time().hour();
    const int m = now.time().minute();
    m_clock->setHands(ClockHandsAt(h, m));
    m_model.timeLineY = TimeLineY(m_model.view, h, m);
    m_todayDay->setText(QString::number(now.date().day()));
    m_todayMonth->setText(FromFileText(m_language.monthName(now.date().month())));
    m_grid->setModel(m_model);
}

void frmPlandeck::WeekRefresh() {
    const DayColumns& cols = m_nav->columns();
    WeekRefreshInput input{m_model.view,
                           std::span<const DayColumn>(cols.data(), cols.size()),
                           m_categories.names(),
                           m_categories.colours(),
                           m_categories.shownColumn(),
                           [this](const DamagedLinesQuestion& question) {
                               QString lines;
                               for (const DamagedLine& d : question.listed)
                                   lines += QStringLiteral("\n") + QString::number(d.lineNumber) +
                                            QStringLiteral(": ") + FromFileText(d.text);
                               if (question.moreCount > 0)
                                   lines += QStringLiteral("\n… +") + QString::number(question.moreCount);
                               const auto answer = Dialogs::message(this, entry(137) + QStringLiteral("\n") + lines,
                                                                    entry(138), Dialogs::Buttons::YesNoCancel, true,
                                                                    Dialogs::Answer::No);
                               if (answer == Dialogs::Answer::Yes)
                                   return MalformedAnswer::Remove;
                               if (answer == Dialogs::Answer::No) {
                                   Dialogs::message(this, entry(139), entry(138), Dialogs::Buttons::Ok);
                                   return MalformedAnswer::Keep;
                               }
                               Dialogs::message(this, entry(140), entry(138), Dialogs::Buttons::Ok);
                               return MalformedAnswer::Quit;
                           }};
    WeekRefreshResult result = plandeck::WeekRefresh(NotesStore(m_notesPath), input);
    for (const std::string& error : result.saveErrors)
        Dialogs::message(this, FromFileText(error), QStringLiteral("Plandeck"), Dialogs::Buttons::Ok, true);
    if (result.quit) {
        // The user chose to end the program: nothing more is shown or saved.
        m_quitRequested = true;
        hide();
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return;
    }
    m_model.tiles = std::move(result.tiles);
    m_model.captions = std::move(result.captions);
    m_grid->setModel(m_model);

    m_editedLine = result.editedLine;
    if (m_editedLine > 0) {
        const QRectF r = HourGridWidget::ToPixels(result.editorRect);
        m_editor->setGeometry(static_cast<int>(r.left()), static_cast<int>(r.top()),
                              std::max(20, static_cast<int>(r.width())), m_editor->sizeHint().height());
        m_editor->setText(QString::fromLatin1(PlaceholderText));
        m_editor->selectAll();
        m_editor->show();
        m_editor->raise();
        m_editor->setFocus();
    } else {
        m_editor->hide();
    }
}

bool frmPlandeck::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
        auto it = m_hints.constFind(watched);
        if (it != m_hints.constEnd()) {
            showHint(it.value());
            // Pointing at a command shows its highlight alone.
            for (const CommandItem& item : m_commands)
                item.highlight->setVisible(item.icon == watched || item.label == watched);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmPlandeck::terminate() {
    m_terminating = true;
    close();
}

bool frmPlandeck::saveOptionsOnExit(bool askUser) {
    // The options window's fields as the files hold them, with the state this run leaves behind.
    OptionsWindowFields fields = FieldsFromOptions(LoadMainOptions(m_dataDir.mainOptionsFile()),
                                                   LoadSystemOptions(m_dataDir.systemOptionsFile()));
    fields.fontName = m_options.tileFontName;
    fields.fontSize = m_options.tileFontSize;
    fields.foreColor = m_options.tileForeColor;
    OptionsModuleState state;
    state.categoryShown = m_categories.shownFlags();
    state.skinName = m_skinName;
    state.maximised = isMaximized();
    const QSize size = isMaximized() ? normalGeometry().size() : this->size();
    state.windowHeight = size.height() * WeekView::TwipsPerPixel;
    state.windowWidth = size.width() * WeekView::TwipsPerPixel;
    state.languageFile = m_languageFile;
    state.notesPath = m_notesPath == m_dataDir.defaultNotesFile() ? m_options.notesFilePath : m_notesPath;
    WriteResult saved = SaveOptions(m_dataDir.mainOptionsFile(), fields, state);
    if (!saved.ok && askUser)
        Dialogs::message(this, FromFileText(saved.error), QStringLiteral("Plandeck"), Dialogs::Buttons::Ok, true);
    else if (!saved.ok)
        std::fprintf(stderr, "Plandeck: the settings were not saved: %s\n", saved.error.c_str());
    return saved.ok;
}

void frmPlandeck::closeEvent(QCloseEvent* event) {
    if (!m_closing && !m_quitRequested && m_ready) {
        m_closing = true;
        m_timer->stop();
        saveOptionsOnExit(!m_terminating);
    }
    event->accept();
}

} // namespace plandeck
