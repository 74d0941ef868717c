#include "settings/ui/OptionsWindow.h"

#include "settings/LanguageEntries.h"

#include "base/NumberForm.h"
#include "base/PlainName.h"
#include "notes/NotesFileCheck.h"
#include "platform/Dialogs.h"
#include "platform/Launcher.h"
#include "platform/Text.h"
#include "settings/Skin.h"
#include "settings/TextContrast.h"
#include "settings/ui/SkinPictures.h"
#include "settings/ui/WindowPalette.h"
#include "widgets/SpinButtons.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>

#include <algorithm>

namespace plandeck {

namespace {

// Language entries of the window.
using namespace Entry::OptionsText;

// The tile font sizes the font dialog offers.
constexpr double FontSizeMin = 8, FontSizeMax = 22;
constexpr int SpanCheckMilliseconds = 100;
constexpr int SpanRowLabelWidth = 130;

constexpr int WindowWidth = 620, WindowHeight = 470;
constexpr int HeaderHeight = 64;
constexpr int PageLeft = 150, PageTop = 78, PageWidth = 456, PageHeight = 340;

// The snap step is black while it is valid and red while it is not; a dark skin writes it in its own text
// and warning colours, which read on its dark fields.
QColor SnapText(bool valid) {
    const SkinPalette& skin = ShownSkinPalette();
    if (skin.dark)
        return SkinColour(valid ? skin.text : skin.warningText);
    return valid ? QColor(0, 0, 0) : QColor(255, 0, 0);
}

// A colour of the skin's palette, a little see-through over the window's picture.
QString SeeThrough(QPalette::ColorRole role, int alpha) {
    const QColor c = QApplication::palette().color(role);
    return QStringLiteral("rgba(%1, %2, %3, %4)").arg(c.red()).arg(c.green()).arg(c.blue()).arg(alpha);
}

// A face at a size in the style the tiles are drawn with: the one the font system picks for the plain face
// (its regular style). Named, so that a font dialog opens on that style and not on the face's first one.
QFont TileFont(const QString& family, double pointSize) {
    QFont font(family);
    font.setPointSizeF(pointSize);
    const QFontInfo drawn(font);
    if (drawn.family() == family && !drawn.styleName().isEmpty())
        font.setStyleName(drawn.styleName());
    return font;
}

QString Named(const char* base, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(base)).arg(index);
}

QString Named(const char* base) {
    return QString::fromLatin1(base);
}

// A language file's name for the language list: the language's own name from the file, or the file's name
// without its extension when the file has none.
QString LanguageName(const DataDirectory& dataDir, const QString& fileName) {
    const LanguageTable table = LanguageTable::Load(LanguageTable::FilePath(dataDir, ToFileText(fileName)));
    const QString name = FromFileText(table.entry(Entry::LanguageName)).trimmed();
    if (!name.isEmpty())
        return name;
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? fileName.left(dot) : fileName;
}

void SetTextColour(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Text, colour);
    p.setColor(QPalette::WindowText, colour);
    w->setPalette(p);
}

} // namespace

OptionsWindow::OptionsWindow(OptionsWindowSetup setup, QWidget* parent)
    : QWidget(parent, Qt::Window), m_setup(std::move(setup)) {
    setObjectName(QStringLiteral("frmpdo"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(WindowWidth, WindowHeight);

    buildHeader();
    buildPageButtons();
    m_pages[GeneralPage].frame = buildGeneralPage();
    m_pages[SystemPage].frame = buildSystemPage();
    m_pages[AppearancePage].frame = buildAppearancePage();
    m_pages[LanguagePage].frame = buildLanguagePage();

    m_save = new QPushButton(this);
    m_save->setObjectName(Named("Label5", 0));
    m_save->setGeometry(WindowWidth - 250, WindowHeight - 42, 112, 30);
    m_save->setEnabled(false); // until the loaded fields have been checked
    connect(m_save, &QPushButton::clicked, this, &OptionsWindow::save);
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(Named("Label5", 1));
    m_cancel->setGeometry(WindowWidth - 126, WindowHeight - 42, 112, 30);
    connect(m_cancel, &QPushButton::clicked, this, &OptionsWindow::cancel);

    m_spanTimer = new QTimer(this);
    m_spanTimer->setObjectName(QStringLiteral("Timer1"));
    m_spanTimer->setInterval(SpanCheckMilliseconds);
    connect(m_spanTimer, &QTimer::timeout, this, &OptionsWindow::checkSpans);

    // The working copy of the options: the files as they are now.
    m_loadedSystem = LoadSystemOptions(m_setup.dataDir.systemOptionsFile());
    const MainOptions onDisk = LoadMainOptions(m_setup.dataDir.mainOptionsFile());
    OptionsWindowFields fields = FieldsForWindow(onDisk, m_loadedSystem);
    fields.fontName = m_setup.current.tileFontName;
    fields.fontSize = m_setup.current.tileFontSize;
    fields.foreColor = m_setup.current.tileForeColor;
    showFields(fields);
    showNotesPath(m_setup.notesPath);
    m_notifications->setChecked(m_setup.features.notifications);
    m_backups->setChecked(m_setup.features.backups);
    m_weekNumbers->setChecked(m_setup.features.weekNumbers);

    // The lists, with the skin and language in use marked; a mark is not yet a choice.
    for (const SkinEntry& skin : ListSkins(m_setup.dataDir.skinsFolder())) {
        m_skins->addItem(FromFileText(skin.name));
        if (skin.name == m_setup.current.skinName)
            m_skins->setCurrentRow(m_skins->count() - 1);
    }
    showSkinPreview(m_setup.current.skinName);
    // Each language by its own name; the item keeps the file's name, which is what the options store.
    QDir languages(QString::fromStdString(m_setup.dataDir.languageFolder()));
    for (const QString& name : languages.entryList(QDir::Files, QDir::Name)) {
        if (!IsPlainName(name.toStdString()))
            continue;
        auto* item = new QListWidgetItem(LanguageName(m_setup.dataDir, name), m_languages);
        item->setData(Qt::UserRole, name);
        if (name.toStdString() == m_setup.current.languageFile)
            m_languages->setCurrentItem(item);
    }

    applyCaptions();
    showPage(GeneralPage);
    updateSave();
}

QString OptionsWindow::entry(int n) const {
    return FromFileText(m_setup.language.entry(n));
}

QLineEdit* OptionsWindow::numberField(const QString& name, QWidget* parent, int width) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setMaxLength(2);
    field->setAlignment(Qt::AlignCenter);
    field->setFixedWidth(width);
    // Only digits reach the option file; letters would be read back as 0.
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), field));
    return field;
}

void OptionsWindow::buildHeader() {
    m_background = new QLabel(this);
    m_background->setObjectName(QStringLiteral("Picture1"));
    m_background->setGeometry(0, 0, WindowWidth, WindowHeight);
    m_background->setScaledContents(true);
    const Skin skin(m_setup.dataDir, m_setup.shownSkin.empty() ? m_setup.current.skinName : m_setup.shownSkin);
    const QImage back = LoadSkinPicture(skin, kOptionsBackgroundPicture);
    if (!back.isNull())
        m_background->setPixmap(QPixmap::fromImage(back));
    else
        m_background->setStyleSheet(QStringLiteral("background: palette(window);"));

    m_header = new QLabel(this);
    m_header->setObjectName(QStringLiteral("Image3"));
    m_header->setGeometry(0, 0, WindowWidth, HeaderHeight);
    m_header->setScaledContents(true);
    const QImage header = ReadPictureFile(m_setup.dataDir.optionsPicture());
    if (!header.isNull())
        m_header->setPixmap(QPixmap::fromImage(header));

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("Label1"));
    m_title->setGeometry(20, 14, WindowWidth - 40, 36);
    QFont f = m_title->font();
    f.setPixelSize(22);
    f.setBold(true);
    m_title->setFont(f);
    // The title takes the main window's title colour where that reads on the header picture, else black or
    // white.
    QColor title = m_setup.titleColour;
    if (!header.isNull()) {
        const QColor under = header.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixelColor(0, 0);
        title = FromColourNumber(ReadableTextColour(ToColourNumber(title), ToColourNumber(under)));
    }
    SetTextColour(m_title, title);
}

void OptionsWindow::buildPageButtons() {
    const std::array<std::array<const char*, 3>, 4> names = {{{"Label12", "Shape10", "Frame5"},
                                                              {"Label30", "Shape11", "Frame6"},
                                                              {"Label29", "Shape12", "Frame4"},
                                                              {"Label36", "Shape13", "Frame7"}}};
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        PageParts& parts = m_pages[i];
        const QRect place(12, PageTop + 8 + static_cast<int>(i) * 40, PageLeft - 24, 32);
        parts.highlight = new QFrame(this);
        parts.highlight->setObjectName(Named(names[i][1]));
        parts.highlight->setGeometry(place.adjusted(-4, -2, 4, 2));
        parts.highlight->setStyleSheet(
            QStringLiteral("background: %1; border: 1px solid palette(highlight); border-radius: 6px;")
                .arg(SeeThrough(QPalette::Base, 215)));
        parts.button = new QPushButton(this);
        parts.button->setObjectName(Named(names[i][0]));
        parts.button->setGeometry(place);
        parts.button->setFlat(true);
        parts.button->setCursor(Qt::PointingHandCursor);
        parts.button->setStyleSheet(
            QStringLiteral("QPushButton { text-align: left; padding-left: 8px; font-weight: bold; color: palette(text);"
                           " background: %1; border: none; border-radius: 5px; }")
                .arg(SeeThrough(QPalette::Base, 120)));
        const Page page = static_cast<Page>(i);
        connect(parts.button, &QPushButton::clicked, this, [this, page] { showPage(page); });
    }
}

QFrame* OptionsWindow::buildGeneralPage() {
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame5"));
    m_generalTitle = new QLabel(frame);
    m_generalTitle->setObjectName(QStringLiteral("Label27"));
    m_generalTitle->setGeometry(14, 8, PageWidth - 28, 26);

    m_snapBefore = new QLabel(frame);
    m_snapBefore->setObjectName(QStringLiteral("Label14"));
    m_snapBefore->setGeometry(14, 40, 230, 24);
    m_snap = numberField(QStringLiteral("Text17"), frame, 36);
    m_snap->move(248, 40);
    m_snapAfter = new QLabel(frame);
    m_snapAfter->setObjectName(QStringLiteral("Label35"));
    m_snapAfter->setGeometry(292, 40, 120, 24);
    connect(m_snap, &QLineEdit::textChanged, this, [this](const QString& text) {
        SetTextColour(m_snap, SnapText(SnapStepValid(text.toStdString())));
        updateSave();
    });

    const std::array<std::pair<QCheckBox**, const char*>, 4> boxes = {
        {{&m_confirmDelete, "Check1"}, {&m_keepFilter, "Check2"}, {&m_purge, "Check5"}, {&m_shade, "Check3"}}};
    int y = 70;
    for (auto [box, name] : boxes) {
        *box = new QCheckBox(frame);
        (*box)->setObjectName(Named(name));
        (*box)->setGeometry(14, y, PageWidth - 28, 24);
        connect(*box, &QCheckBox::clicked, this, &OptionsWindow::updateSave);
        y += 26;
    }

    m_spanFrame = new QGroupBox(frame);
    m_spanFrame->setObjectName(QStringLiteral("Frame1"));
    m_spanFrame->setGeometry(14, y + 4, PageWidth - 28, 140);
    m_spanFrame->hide();
    connect(m_shade, &QCheckBox::toggled, this, [this](bool on) {
        m_spanFrame->setVisible(on);
        if (on)
            m_spanTimer->start();
        else
            m_spanTimer->stop();
    });

    // Each span: its box, start hour : minute, a dash, end hour : minute, every field with its spinner.
    const std::array<std::array<const char*, 4>, 4> spinnerNames = {
        {{"VScroll2", "VScroll1", "VScroll3", "VScroll4"},
         {"VScroll5", "VScroll6", "VScroll8", "VScroll7"},
         {"VScroll9", "VScroll10", "VScroll12", "VScroll11"},
         {"VScroll13", "VScroll14", "VScroll16", "VScroll15"}}};
    for (int i = 0; i < kWorkSpanCount; ++i) {
        const int rowY = 24 + i * 28;
        QCheckBox* box = new QCheckBox(m_spanFrame);
        box->setObjectName(Named("Check4", i));
        // The box carries the row's name: it switches the span on or off.
        box->setGeometry(10, rowY + 1, SpanRowLabelWidth, 24);
        m_spanBoxes[static_cast<std::size_t>(i)] = box;
        connect(box, &QCheckBox::clicked, this, [this, i](bool ticked) { spanBoxClicked(i, ticked); });

        const SpanFieldNumbers n = SpanFields(i);
        const std::array<int, 4> fieldNumbers = {n.startHour, n.startMinute, n.endHour, n.endMinute};
        // Left edges of the four fields, with room for each spinner, the colons and the dash between them.
        constexpr int left = 10 + SpanRowLabelWidth + 6;
        constexpr std::array<int, 4> fieldX = {left, left + 58, left + 128, left + 186};
        for (std::size_t k = 0; k < 4; ++k) {
            const int number = fieldNumbers[k];
            const bool minutes = k % 2 == 1;
            const bool start = k < 2;
            const int x = fieldX[k];
            QLineEdit* field = numberField(QStringLiteral("Text%1").arg(number), m_spanFrame, 30);
            field->move(x, rowY);
            auto* spinner = new SpinButtons(QString::fromLatin1(spinnerNames[static_cast<std::size_t>(i)][k]),
                                            Qt::Vertical, minutes ? 0 : (start ? kSpanStartHourMin : kSpanEndHourMin),
                                            minutes ? kSpanMinuteMax : kSpanHourMax, m_spanFrame);
            spinner->move(x + 31, rowY);
            connect(spinner, &SpinButtons::stepped, field,
                    [field, minutes](int v) { field->setText(QString::fromStdString(SpinnerText(v, minutes))); });
            // An emptied field cannot be saved, shaded or not: Save follows every change.
            connect(field, &QLineEdit::textChanged, this, &OptionsWindow::updateSave);
            m_spanFields[static_cast<std::size_t>(number)] = field;
            m_spanSpinners[static_cast<std::size_t>(number)] = spinner;
            auto* between = new QLabel(minutes ? QStringLiteral("–") : QStringLiteral(":"), m_spanFrame);
            between->setAlignment(Qt::AlignCenter);
            between->setGeometry(x + 48, rowY, minutes ? 22 : 10, 22);
            if (minutes && !start)
                between->hide();
        }
    }
    return frame;
}

QFrame* OptionsWindow::buildSystemPage() {
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame6"));
    m_systemTitle = new QLabel(frame);
    m_systemTitle->setObjectName(QStringLiteral("Label31"));
    m_systemTitle->setGeometry(14, 8, PageWidth - 28, 26);

    const std::array<std::pair<QCheckBox**, const char*>, 6> boxes = {{{&m_logon, "Check6"},
                                                                       {&m_tray, "Check7"},
                                                                       {&m_todayOnHide, "Check8"},
                                                                       {&m_sound, "Check9"},
                                                                       {&m_notifications, "NotificationsCheck"},
                                                                       {&m_backups, "BackupsCheck"}}};
    int y = 38;
    for (auto [box, name] : boxes) {
        *box = new QCheckBox(frame);
        (*box)->setObjectName(Named(name));
        (*box)->setGeometry(14, y, PageWidth - 28, 24);
        y += 25;
    }

    y += 4;
    m_daysLabel = new QLabel(frame);
    m_daysLabel->setObjectName(QStringLiteral("Label7"));
    m_daysLabel->setGeometry(14, y, 250, 24);
    m_days = numberField(QStringLiteral("Text18"), frame, 36);
    m_days->move(270, y);
    m_daysSpinner = new SpinButtons(QStringLiteral("HScroll1"), Qt::Horizontal, kDaysMin, kDaysMax, frame);
    m_daysSpinner->move(310, y);
    connect(m_daysSpinner, &SpinButtons::stepped, this, [this](int v) { m_days->setText(QString::number(v)); });

    y += 34;
    m_hoursLabel = new QLabel(frame);
    m_hoursLabel->setObjectName(QStringLiteral("Label8"));
    m_hoursLabel->setGeometry(14, y, 250, 24);
    m_firstHour = numberField(QStringLiteral("Text19"), frame, 36);
    m_firstHour->move(270, y);
    m_firstHourSpinner =
        new SpinButtons(QStringLiteral("VScroll17"), Qt::Vertical, kFirstHourMin, kFirstHourMax, frame);
    m_firstHourSpinner->move(307, y);
    auto* dash = new QLabel(QStringLiteral("–"), frame);
    dash->setGeometry(330, y, 12, 24);
    m_lastHour = numberField(QStringLiteral("Text20"), frame, 36);
    m_lastHour->move(344, y);
    m_lastHourSpinner = new SpinButtons(QStringLiteral("VScroll18"), Qt::Vertical, kLastHourMin, kLastHourMax, frame);
    m_lastHourSpinner->move(381, y);
    connect(m_firstHourSpinner, &SpinButtons::stepped, this,
            [this](int v) { m_firstHour->setText(QString::number(v)); });
    connect(m_lastHourSpinner, &SpinButtons::stepped, this, [this](int v) { m_lastHour->setText(QString::number(v)); });
    // The three fields are emptied when they get the focus, ready for a new number.
    for (QLineEdit* field : {m_days, m_firstHour, m_lastHour})
        field->installEventFilter(this);

    y += 44;
    m_notesLabel = new QLabel(frame);
    m_notesLabel->setObjectName(QStringLiteral("Label39"));
    m_notesLabel->setGeometry(14, y, 120, 24);
    m_notesPath = new QLabel(frame);
    m_notesPath->setObjectName(QStringLiteral("Label22"));
    m_notesPath->setGeometry(136, y, 190, 24);
    m_notesButton = new QPushButton(frame);
    m_notesButton->setObjectName(QStringLiteral("Command1"));
    m_notesButton->setGeometry(330, y - 2, 110, 28);
    connect(m_notesButton, &QPushButton::clicked, this, &OptionsWindow::chooseNotesFile);

    y += 36;
    m_launcherButton = new QPushButton(frame);
    m_launcherButton->setObjectName(QStringLiteral("LauncherButton"));
    m_launcherButton->setGeometry(14, y, PageWidth - 28, 28);
    connect(m_launcherButton, &QPushButton::clicked, this, &OptionsWindow::addOrRemoveLauncher);
    return frame;
}

QFrame* OptionsWindow::buildAppearancePage() {
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame4"));
    m_appearanceTitle = new QLabel(frame);
    m_appearanceTitle->setObjectName(QStringLiteral("Label28"));
    m_appearanceTitle->setGeometry(14, 8, PageWidth - 28, 26);

    m_skinFrame = new QGroupBox(frame);
    m_skinFrame->setObjectName(QStringLiteral("Frame2"));
    m_skinFrame->setGeometry(14, 38, PageWidth - 28, 196);
    m_skins = new QListWidget(m_skinFrame);
    m_skins->setObjectName(QStringLiteral("File1"));
    m_skins->setGeometry(10, 24, 150, 160);
    connect(m_skins, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { skinClicked(item->text()); });
    m_preview = new QLabel(m_skinFrame);
    m_preview->setObjectName(QStringLiteral("Image2"));
    m_preview->setGeometry(172, 24, 200, 132);
    m_preview->setAlignment(Qt::AlignCenter);
    m_skinDescription = new QLabel(m_skinFrame);
    m_skinDescription->setObjectName(QStringLiteral("Label25"));
    m_skinDescription->setGeometry(172, 158, PageWidth - 28 - 182, 30);
    m_skinDescription->setWordWrap(true);

    m_fontFrame = new QGroupBox(frame);
    m_fontFrame->setObjectName(QStringLiteral("Frame3"));
    m_fontFrame->setGeometry(14, 242, PageWidth - 28, 60);
    m_sample = new QLabel(m_fontFrame);
    m_sample->setObjectName(QStringLiteral("Label18"));
    m_sample->setGeometry(10, 20, 250, 36);
    m_fontButton = new QPushButton(m_fontFrame);
    m_fontButton->setObjectName(QStringLiteral("Label20"));
    m_fontButton->setGeometry(270, 22, 140, 30);
    m_fontButton->setFlat(true);
    m_fontButton->setCursor(Qt::PointingHandCursor);
    // Underlined while the pointer is over it, like a link.
    m_fontButton->setStyleSheet(QStringLiteral(
        "QPushButton { color: palette(link); border: none; } QPushButton:hover { text-decoration: underline; }"));
    connect(m_fontButton, &QPushButton::clicked, this, &OptionsWindow::chooseFont);

    m_weekNumbers = new QCheckBox(frame);
    m_weekNumbers->setObjectName(QStringLiteral("WeekNumbersCheck"));
    m_weekNumbers->setGeometry(14, 308, PageWidth - 28, 24);
    return frame;
}

QFrame* OptionsWindow::buildLanguagePage() {
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame7"));
    m_languageTitle = new QLabel(frame);
    m_languageTitle->setObjectName(QStringLiteral("Label37"));
    m_languageTitle->setGeometry(14, 8, PageWidth - 28, 26);
    m_languages = new QListWidget(frame);
    m_languages->setObjectName(QStringLiteral("File2"));
    m_languages->setGeometry(14, 40, 220, 200);
    connect(m_languages, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { m_pendingLanguage = ToFileText(item->data(Qt::UserRole).toString()); });
    m_languageWarning = new QLabel(frame);
    m_languageWarning->setObjectName(QStringLiteral("Label38"));
    m_languageWarning->setGeometry(14, 248, PageWidth - 28, 40);
    m_languageWarning->setWordWrap(true);
    return frame;
}

void OptionsWindow::applyCaptions() {
    setWindowTitle(entry(EntryTitle));
    m_title->setText(entry(EntryTitle));
    const std::array<int, 4> pageEntries = {EntryGeneral, EntrySystem, EntryAppearance, EntryLanguage};
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        m_pages[i].button->setText(entry(pageEntries[i]));
        m_pages[i].frame->setGeometry(PageLeft, PageTop, PageWidth, PageHeight);
        m_pages[i].frame->setStyleSheet(QStringLiteral("QFrame#%1 { background: %2; border-radius: 8px; }")
                                            .arg(m_pages[i].frame->objectName(), SeeThrough(QPalette::Base, 225)));
    }
    for (QLabel* title : {m_generalTitle, m_systemTitle, m_appearanceTitle, m_languageTitle}) {
        QFont f = title->font();
        f.setBold(true);
        f.setPixelSize(15);
        title->setFont(f);
    }
    m_generalTitle->setText(entry(EntryGeneral));
    m_snapBefore->setText(entry(EntrySnapBefore));
    m_snapAfter->setText(entry(EntrySnapAfter));
    // The step field sits right after its text, whatever the language's wording.
    m_snapBefore->adjustSize();
    m_snap->move(m_snapBefore->x() + m_snapBefore->width() + 8, m_snap->y());
    m_snapAfter->move(m_snap->x() + m_snap->width() + 8, m_snapAfter->y());
    m_confirmDelete->setText(entry(EntryConfirmDelete));
    m_keepFilter->setText(entry(EntryKeepFilter));
    m_purge->setText(entry(EntryPurge));
    m_shade->setText(entry(EntryShade));
    m_spanFrame->setTitle(entry(EntrySpanFrame));
    for (int i = 0; i < kWorkSpanCount; ++i)
        m_spanBoxes[static_cast<std::size_t>(i)]->setText(entry(EntryFirstSpanRow + i));

    m_systemTitle->setText(entry(EntrySystemTitle));
    m_logon->setText(entry(EntryLogon));
    m_tray->setText(entry(EntryTray));
    m_todayOnHide->setText(entry(EntryTodayOnHide));
    m_sound->setText(entry(EntrySound));
    m_notifications->setText(entry(EntryNotifications));
    m_backups->setText(entry(EntryBackups));
    m_weekNumbers->setText(entry(EntryWeekNumbers));
    m_daysLabel->setText(entry(EntryDays));
    m_hoursLabel->setText(entry(EntryHours));
    m_notesLabel->setText(entry(EntryNotesFile));
    m_notesButton->setText(entry(EntryNotesButton));
    showLauncherButton();

    m_appearanceTitle->setText(entry(EntryAppearance));
    m_skinFrame->setTitle(entry(EntrySkinFrame));
    m_fontFrame->setTitle(entry(EntryFontFrame));
    m_fontButton->setText(entry(EntryFontButton));

    m_languageTitle->setText(entry(EntryLanguage));
    m_languageWarning->clear();

    m_save->setText(entry(EntrySave));
    m_save->setToolTip(entry(EntrySaveTip));
    m_cancel->setText(entry(EntryCancel));
    m_cancel->setToolTip(entry(EntryCancelTip));
}

void OptionsWindow::showPage(Page page) {
    m_page = page;
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        const bool shown = static_cast<Page>(i) == page;
        m_pages[i].frame->setVisible(shown);
        m_pages[i].highlight->setVisible(shown);
    }
}

void OptionsWindow::showFields(const OptionsWindowFields& f) {
    m_keepFilter->setChecked(f.keepCategoryFilter);
    m_purge->setChecked(f.purgePastNotes);
    m_confirmDelete->setChecked(f.confirmDelete);
    for (int n = 1; n <= 16; ++n)
        m_spanFields[static_cast<std::size_t>(n)]->setText(
            QString::fromStdString(f.spanText[static_cast<std::size_t>(n)]));
    m_shade->setChecked(f.shadeWorkSpans);
    for (int i = 0; i < kWorkSpanCount; ++i) {
        m_spanBoxes[static_cast<std::size_t>(i)]->setChecked(f.spanEnabled[static_cast<std::size_t>(i)]);
        setSpanEnabled(i, f.spanEnabled[static_cast<std::size_t>(i)]);
    }
    showSpanSpinners();
    m_snap->setText(QString::fromStdString(f.snapText));
    m_days->setText(QString::fromStdString(f.daysText));
    m_daysSpinner->setValue(IntegerValue(f.daysText));
    m_firstHour->setText(QString::fromStdString(f.firstHourText));
    m_firstHourSpinner->setValue(IntegerValue(f.firstHourText));
    m_lastHour->setText(QString::fromStdString(f.lastHourText));
    m_lastHourSpinner->setValue(IntegerValue(f.lastHourText));
    m_logon->setChecked(f.startAtLogon);
    m_tray->setChecked(f.useTrayIcon);
    m_todayOnHide->setChecked(f.todayOnHide);
    m_sound->setChecked(f.reminderSound);
    showSample(TileFont(FromFileText(f.fontName), std::clamp(f.fontSize, 1.0, 400.0)), FromColourNumber(f.foreColor));
}

OptionsWindowFields OptionsWindow::fields() const {
    OptionsWindowFields f;
    f.keepCategoryFilter = m_keepFilter->isChecked();
    f.purgePastNotes = m_purge->isChecked();
    f.confirmDelete = m_confirmDelete->isChecked();
    f.shadeWorkSpans = m_shade->isChecked();
    for (int i = 0; i < kWorkSpanCount; ++i)
        f.spanEnabled[static_cast<std::size_t>(i)] = m_spanBoxes[static_cast<std::size_t>(i)]->isChecked();
    for (int n = 1; n <= 16; ++n)
        f.spanText[static_cast<std::size_t>(n)] = m_spanFields[static_cast<std::size_t>(n)]->text().toStdString();
    f.fontName = ToFileText(m_sampleFont.family());
    f.fontSize = m_sampleFont.pointSizeF();
    f.foreColor = ToColourNumber(m_sampleColour);
    f.snapText = m_snap->text().toStdString();
    f.daysText = m_days->text().toStdString();
    f.firstHourText = m_firstHour->text().toStdString();
    f.lastHourText = m_lastHour->text().toStdString();
    f.startAtLogon = m_logon->isChecked();
    f.useTrayIcon = m_tray->isChecked();
    f.todayOnHide = m_todayOnHide->isChecked();
    f.reminderSound = m_sound->isChecked();
    return f;
}

bool OptionsWindow::saveEnabled() const {
    return m_save->isEnabled();
}

void OptionsWindow::showSpanSpinners() {
    for (int n = 1; n <= 16; ++n)
        m_spanSpinners[static_cast<std::size_t>(n)]->setValue(
            IntegerValue(m_spanFields[static_cast<std::size_t>(n)]->text().toStdString()));
}

void OptionsWindow::setSpanEnabled(int span, bool enabled) {
    const SpanFieldNumbers n = SpanFields(span);
    for (int number : {n.startHour, n.startMinute, n.endHour, n.endMinute}) {
        m_spanFields[static_cast<std::size_t>(number)]->setEnabled(enabled);
        m_spanSpinners[static_cast<std::size_t>(number)]->setEnabled(enabled);
    }
}

void OptionsWindow::spanBoxClicked(int span, bool ticked) {
    OptionsWindowFields f = fields();
    SetSpanBox(f, span, ticked);
    const SpanFieldNumbers n = SpanFields(span);
    for (int number : {n.startHour, n.startMinute, n.endHour, n.endMinute})
        m_spanFields[static_cast<std::size_t>(number)]->setText(
            QString::fromStdString(f.spanText[static_cast<std::size_t>(number)]));
    setSpanEnabled(span, ticked);
    if (ticked)
        showSpanSpinners();
}

void OptionsWindow::updateSave() {
    m_save->setEnabled(SaveAllowed(fields()));
}

void OptionsWindow::checkSpans() {
    // Runs every 100 ms while the spans are shaded, so a span typed wrong disables Save as soon as it is.
    if (m_shade->isChecked())
        updateSave();
}

void OptionsWindow::skinClicked(const QString& name) {
    m_pendingSkin = ToFileText(name);
    showSkinPreview(m_pendingSkin);
    updateSave();
}

void OptionsWindow::showSkinPreview(const std::string& name) {
    const Skin skin(m_setup.dataDir, name);
    // A missing preview or description leaves what the window showed before.
    const QImage preview = LoadSkinPreview(skin);
    if (!preview.isNull()) {
        // Scaled to the screen's pixels, so a scaled screen shows it sharp.
        const qreal ratio = devicePixelRatioF();
        QPixmap shown = QPixmap::fromImage(preview).scaled(m_preview->size() * ratio, Qt::KeepAspectRatio,
                                                           Qt::SmoothTransformation);
        shown.setDevicePixelRatio(ratio);
        m_preview->setPixmap(shown);
    }
    if (FileExists(skin.descriptor()))
        m_skinDescription->setText(FromFileText(ReadSkinDescription(skin.descriptor())));
}

void OptionsWindow::showSample(const QFont& font, const QColor& colour) {
    m_sampleFont = font;
    m_sampleColour = colour;
    m_sample->setFont(font);
    m_sample->setText(font.family());
    SetTextColour(m_sample, colour);
    // The sample sits on a ground of its own, white or black, whichever shows its colour, as a note's light
    // tile would: on a dark skin's page black text would not show.
    const long ink = ToColourNumber(colour);
    QPalette p = m_sample->palette();
    p.setColor(QPalette::Window, ContrastRatio(ink, 0xFFFFFF) >= ContrastRatio(ink, 0) ? Qt::white : Qt::black);
    m_sample->setPalette(p);
    m_sample->setAutoFillBackground(true);
}

void OptionsWindow::chooseFont() {
    // The dialog opens on the sample's face in its upright style: without a style it would pick the face's
    // first one, which may be oblique, and a change of the size alone would turn the sample italic.
    std::optional<QFont> chosen = Dialogs::font(this, TileFont(m_sampleFont.family(), m_sampleFont.pointSizeF()));
    if (!chosen)
        return;
    // The option file keeps a face and a size; the sample shows exactly what will be saved.
    const double size = chosen->pointSizeF() > 0 ? chosen->pointSizeF() : m_sampleFont.pointSizeF();
    const QFont font = TileFont(chosen->family(), std::clamp(size, FontSizeMin, FontSizeMax));
    // The font dialog has no colour of its own: the colour is asked next, and cancelling it keeps the colour.
    const QColor colour = Dialogs::colour(this, m_sampleColour).value_or(m_sampleColour);
    showSample(font, colour);
}

void OptionsWindow::showNotesPath(const std::string& path) {
    m_notesFile = path;
    const QString whole = FromFileText(path);
    // Shortened in the middle, so both the folder it starts in and the file's name stay readable.
    m_notesPath->setText(m_notesPath->fontMetrics().elidedText(whole, Qt::ElideMiddle, m_notesPath->width()));
    m_notesPath->setToolTip(whole);
}

OptionsChoice OptionsWindow::choice() const {
    OptionsChoice choice;
    choice.fields = fields();
    choice.pendingSkin = m_pendingSkin;
    choice.pendingLanguage = m_pendingLanguage;
    choice.features = m_setup.features;
    choice.features.notifications = m_notifications->isChecked();
    choice.features.backups = m_backups->isChecked();
    choice.features.weekNumbers = m_weekNumbers->isChecked();
    return choice;
}

bool OptionsWindow::handOver(const OptionsChoice& choice) {
    if (!m_saveHandler)
        return false;
    const std::optional<OptionsWindowFields> written = m_saveHandler(choice);
    if (!written)
        return false; // nothing was saved: the window stays open with the user's choices
    // The window shows what was written (padded spans, corrected hours) until it closes.
    showFields(*written);
    return true;
}

void OptionsWindow::chooseNotesFile() {
    const QStringList filters = {entry(EntryAllFilesFilter) + QStringLiteral(" (*)"),
                                 entry(EntryTextFilesFilter) + QStringLiteral(" (*.txt)")};
    const std::optional<QString> chosen =
        Dialogs::openFile(this, entry(EntryNotesFile), QDir::homePath(), filters, filters[1]);
    if (!chosen)
        return;
    const std::string path = ToFileText(*chosen);
    // A file that cannot be read, or is not a notes file, would leave the program without its notes: the
    // notes file in use stays.
    if (CheckNotesFile(path) != NotesFileVerdict::Usable) {
        Dialogs::message(this, entry(EntryNotNotesFile), entry(EntryTitle), Dialogs::Buttons::Ok, true);
        return;
    }
    OptionsChoice picked = choice();
    picked.notesPath = path;
    if (!handOver(picked))
        return;
    showNotesPath(path);
    closeWindow();
}

void OptionsWindow::showLauncherButton() {
    const std::vector<std::string> files = LauncherFiles();
    const bool installed = !files.empty() && FileExists(files.front());
    m_launcherButton->setText(entry(installed ? Entry::Launcher::Remove : Entry::Launcher::Add));
    m_launcherButton->setEnabled(!files.empty());
}

void OptionsWindow::addOrRemoveLauncher() {
    // Done at once, as on the command line: the desktop's menu is no option of the files a Save writes.
    const std::vector<std::string> files = LauncherFiles();
    std::vector<std::string> report;
    const WriteResult done =
        !files.empty() && FileExists(files.front())
            ? RemoveLauncher(report)
            : InstallLauncher(ToFileText(QCoreApplication::applicationFilePath()), m_setup.dataDir.aboutLogo(), report);
    if (!done.ok)
        Dialogs::message(this, entry(Entry::Launcher::Failed).arg(FromFileText(done.error)), entry(EntryTitle),
                         Dialogs::Buttons::Ok, true);
    showLauncherButton();
}

void OptionsWindow::save() {
    if (!SaveAllowed(fields()))
        return;
    if (handOver(choice()))
        closeWindow();
}

void OptionsWindow::cancel() {
    closeWindow();
}

void OptionsWindow::closeWindow() {
    if (m_closing)
        return;
    m_closing = true;
    m_spanTimer->stop();
    emit closed(SnapStepAfterClose(m_snap->text().toStdString(), m_setup.current.snapMinutes));
    close();
}

bool OptionsWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field && event->type() == QEvent::FocusIn) {
        // Emptied after the focus has settled, so the click that gave it does not put the text back.
        QTimer::singleShot(0, field, [field] { field->clear(); });
    } else if (field == m_days && event->type() == QEvent::KeyRelease) {
        const QString shown = QString::fromStdString(ClampDaysText(m_days->text().toStdString()));
        if (shown != m_days->text())
            m_days->setText(shown);
        m_daysSpinner->setValue(IntegerValue(shown.toStdString()));
    } else if ((field == m_firstHour || field == m_lastHour) && event->type() == QEvent::KeyRelease) {
        SpinButtons* spinner = field == m_firstHour ? m_firstHourSpinner : m_lastHourSpinner;
        spinner->setValue(IntegerValue(field->text().toStdString()));
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace plandeck
