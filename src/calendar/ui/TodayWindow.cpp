#include "calendar/ui/TodayWindow.h"

#include "calendar/CalendarMath.h"
#include "platform/Clock.h"
#include "platform/Sound.h"
#include "platform/Text.h"
#include "settings/LanguageEntries.h"
#include "settings/Options.h"
#include "settings/Skin.h"
#include "settings/SkinColours.h"
#include "settings/ui/SkinPictures.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <cmath>
#include <cstdio>

namespace plandeck {

namespace {

constexpr int kTwipsPerPixel = 15;

int ToPixels(int twips) {
    return static_cast<int>(std::lround(twips / static_cast<double>(kTwipsPerPixel)));
}

TwipRect ToTwips(const QRect& r) {
    return {r.x() * kTwipsPerPixel, r.y() * kTwipsPerPixel, r.width() * kTwipsPerPixel, r.height() * kTwipsPerPixel};
}

QLabel* MakeLabel(QWidget* parent, const char* name, bool bold) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    font.setPixelSize(11);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

// Shows list entries, one per line and at most `maxLines`, each shortened with "…" to the label's width; the
// tooltip keeps them whole.
void SetEntries(QLabel* label, const QStringList& entries, int maxLines) {
    QStringList shown;
    for (const QString& entry : entries) {
        if (shown.size() == maxLines - 1 && entries.size() > maxLines) {
            shown << QString(QChar(0x2026));
            break;
        }
        shown << label->fontMetrics().elidedText(entry, Qt::ElideRight, label->width());
    }
    label->setText(shown.join(QLatin1Char('\n')));
    label->setToolTip(entries.join(QLatin1Char('\n')));
}

int TextWidth(const QLabel* label, const QString& text) {
    return label->fontMetrics().horizontalAdvance(text);
}

// Room the window manager's title bar takes besides the title: the close button and the margins.
constexpr int TitleBarExtra = 72;
constexpr int Margin = 8;
constexpr int Gap = 6;

} // namespace

TodayWindow::TodayWindow(TodayWindowSetup setup, QWidget* parent)
    // A tool window: a title and a close button, no place on the task bar.
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint),
      m_setup(std::move(setup)) {
    setObjectName(QStringLiteral("frmtoday"));
    setFixedSize(ToPixels(kTodayWindowWidth), ToPixels(kTodayWindowHeight));

    m_runningHeading = MakeLabel(this, "Label2", true);
    m_running = MakeLabel(this, "Label1", false);
    m_nextHeading = MakeLabel(this, "Label3", true);
    m_firstNext = MakeLabel(this, "Label4", false);
    m_secondNext = MakeLabel(this, "Label5", false);
    m_time = MakeLabel(this, "Label6", true);
    m_missedList = MakeLabel(this, "MissedList", false);
    m_missedList->hide();
    loadSkinPicture();
    showCaptions();

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(TickMilliseconds);
    connect(m_timer, &QTimer::timeout, this, &TodayWindow::tick);
    m_timer->start();
}

void TodayWindow::setLanguage(const LanguageTable& language) {
    m_setup.language = language;
    showCaptions();
}

void TodayWindow::setSkin(const std::string& skinName) {
    m_setup.skinName = skinName;
    loadSkinPicture();
}

void TodayWindow::setNotesPath(const std::string& notesPath) {
    if (notesPath == m_setup.notesPath)
        return;
    m_setup.notesPath = notesPath;
    BuildTodayList();
}

TodayStamp TodayWindow::now() const {
    const QDateTime moment = m_setup.clock ? m_setup.clock() : Clock::now();
    const QDate d = moment.date();
    return TodayStamp{Date{d.year(), d.month(), d.day()}, moment.time().hour(), moment.time().minute()};
}

void TodayWindow::BuildTodayList() {
    m_refresh.rebuild(now(), m_setup.notesPath);
    showLists();
}

void TodayWindow::tick() {
    const TodayStamp moment = now();
    const std::string sysOptions = m_setup.dataDirectory.systemOptionsFile();
    // The sound option is read afresh each minute, so a change saved in the options applies at once.
    const TodayRefresh::Tick result =
        m_refresh.tick(moment, m_setup.notesPath, [&] { return LoadSystemOptions(sysOptions).reminderSound; });
    if (result.captionChanged) {
        showCaptions();
        if (result.remind) {
            Sound::play(m_setup.dataDirectory.reminderSound());
            emit reminded();
        }
        tellReminders(result);
    }
    // Missed reminders stay listed for the day they were missed on.
    const bool missedExpired = !m_missed.isEmpty() && !(m_missedOn == moment.date);
    if (missedExpired)
        m_missed.clear();
    if (result.listChanged || !result.missed.empty() || missedExpired)
        showLists();
    saveMovedPosition();
}

void TodayWindow::tellReminders(const TodayRefresh::Tick& tick) {
    // "9:30 Text": the time, a blank, the text.
    const auto timeOf = [](const QString& entry) { return entry.section(QLatin1Char(' '), 0, 0); };
    const auto textOf = [](const QString& entry) { return entry.section(QLatin1Char(' '), 1); };
    if (!tick.due.empty() && m_setup.notify) {
        QStringList texts;
        for (const std::string& entry : tick.due)
            texts << textOf(FromFileText(entry));
        m_setup.notify(timeOf(FromFileText(tick.due.front())), texts.join(QLatin1Char('\n')));
    }
    if (tick.missed.empty())
        return;
    // One message for all of them, and no chime: a computer waking up must not ring a dozen times.
    QStringList entries;
    for (const std::string& entry : tick.missed)
        entries << FromFileText(entry);
    m_missed.clear();
    const QString mark = FromFileText(m_setup.language.entry(Entry::Alerts::Missed));
    for (const QString& entry : entries)
        m_missed << mark + QLatin1Char(' ') + entry;
    m_missedOn = now().date;
    if (m_setup.notify)
        m_setup.notify(FromFileText(m_setup.language.entry(Entry::Alerts::MissedSummary)),
                       entries.join(QLatin1Char('\n')));
    emit missedCaughtUp();
}

void TodayWindow::showLists() {
    const TodayList& list = m_refresh.list();
    QStringList running;
    for (const std::string& entry : list.running)
        running << FromFileText(entry);
    const auto one = [](const std::string& entry) {
        return entry.empty() ? QStringList() : QStringList{FromFileText(entry)};
    };
    m_runningEntries = running;
    m_firstEntries = one(list.firstNext);
    m_secondEntries = one(list.secondNext);
    fitToContent();
}

void TodayWindow::fitToContent() {
    // The picture has a band on the left for the headings and the time, and a rule across the right part
    // between what runs now (above, room for two notes or more) and what comes next (below).
    const int line = std::max(14, m_running->fontMetrics().height());
    const int headings = std::max({TextWidth(m_runningHeading, m_runningHeading->text()),
                                   TextWidth(m_nextHeading, m_nextHeading->text()), TextWidth(m_time, m_time->text()),
                                   62 - Margin - Gap});
    m_bandWidth = Margin + headings + Gap;
    int list = 0;
    for (const QStringList* entries : {&m_runningEntries, &m_firstEntries, &m_secondEntries, &m_missed})
        for (const QString& entry : *entries)
            list = std::max(list, TextWidth(m_running, entry) + 2); // letters end between pixels
    QFont titleFont = font();
    titleFont.setBold(true);
    const int title = QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + TitleBarExtra;
    const int width = std::clamp(std::max(m_bandWidth + Gap + list + Margin, title), MinimumWidth, MaximumWidth);
    const int runningLines = std::clamp(static_cast<int>(m_runningEntries.size()), 2, MaximumRunningLines);
    // Missed reminders, when there are any, take a band of their own above everything else.
    const int missedLines = std::min(static_cast<int>(m_missed.size()), MaximumRunningLines);
    const int top = missedLines > 0 ? 4 + missedLines * line : 0;
    m_ruleY = top + 4 + runningLines * line + 3;
    const int height = m_ruleY + 4 + 2 * line + 3;

    const int listLeft = m_bandWidth + Gap;
    const int listWidth = width - listLeft - Margin;
    m_missedList->setGeometry(Margin, 4, width - 2 * Margin, missedLines * line);
    m_missedList->setVisible(missedLines > 0);
    m_runningHeading->setGeometry(Margin, top + 4, headings, line);
    m_time->setGeometry(Margin, top + 4 + line, headings, line);
    m_running->setGeometry(listLeft, top + 4, listWidth, runningLines * line);
    m_nextHeading->setGeometry(Margin, m_ruleY + 4, headings, line);
    m_firstNext->setGeometry(listLeft, m_ruleY + 4, listWidth, line);
    m_secondNext->setGeometry(listLeft, m_ruleY + 4 + line, listWidth, line);
    SetEntries(m_missedList, m_missed, MaximumRunningLines);
    SetEntries(m_running, m_runningEntries, MaximumRunningLines);
    SetEntries(m_firstNext, m_firstEntries, 1);
    SetEntries(m_secondNext, m_secondEntries, 1);
    if (size() != QSize(width, height)) {
        setFixedSize(width, height);
        keepOnScreen();
        update();
    }
}

void TodayWindow::keepOnScreen() {
    if (!isVisible())
        return;
    const QScreen* here = screen();
    if (!here)
        return;
    const QRect room = here->availableGeometry();
    const QRect now = geometry();
    if (now.right() <= room.right())
        return;
    const QPoint shift(std::max(room.left(), room.right() - now.width() + 1) - now.left(), 0);
    move(pos() + shift);
    // Not a move by the user: nothing is saved for it.
    m_placed += shift;
    if (m_settled)
        *m_settled += shift;
}

void TodayWindow::showCaptions() {
    const LanguageTable& language = m_setup.language;
    m_runningHeading->setText(FromFileText(language.entry(Entry::TodayRunning)));
    m_nextHeading->setText(FromFileText(language.entry(Entry::TodayNext)));
    m_time->setText(QString::fromStdString(m_refresh.caption()));
    // The title follows the date, so a window left open over midnight shows the new day.
    const Date today = now().date;
    setWindowTitle(QStringLiteral("%1 %2 - %3")
                       .arg(today.day)
                       .arg(FromFileText(language.monthNameAfterDay(today.month)),
                            FromFileText(language.weekdayName(WeekdayNumber(today.day, today.month, today.year)))));
    fitToContent();
}

void TodayWindow::loadSkinPicture() {
    const Skin skin(m_setup.dataDirectory, m_setup.skinName);
    const QImage image = LoadSkinPicture(skin, kTodayWindowPicture);
    // A skin without the picture leaves the window as it was.
    if (!image.isNull())
        m_background = QPixmap::fromImage(image);
    // The ink is the colour the skin gives today's date in the main window, unless that would not stand out
    // on this picture (a skin whose date card is dark and whose today picture is light).
    const SkinColours colours = LoadSkinColours(skin.colourList());
    QColor ink(Qt::black);
    if (colours.todayText)
        ink = SkinColour(*colours.todayText);
    if (!m_background.isNull()) {
        const QColor paper =
            m_background.toImage().scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixelColor(0, 0);
        if (std::abs(ink.lightnessF() - paper.lightnessF()) < 0.35)
            ink = paper.lightnessF() > 0.5 ? QColor(30, 40, 56) : QColor(Qt::white);
    }
    QPalette p = palette();
    p.setColor(QPalette::WindowText, ink);
    setPalette(p);
    update();
}

void TodayWindow::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        placeFromFile();
        loadSkinPicture();
        showCaptions();
    }
    QWidget::showEvent(event);
}

void TodayWindow::changeEvent(QEvent* event) {
    // A window manager that lets the user minimise it anyway: it comes back as it was.
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized))
        setWindowState(windowState() & ~Qt::WindowMinimized);
    QWidget::changeEvent(event);
}

void TodayWindow::closeEvent(QCloseEvent* event) {
    // Closing hides the window only: its timer keeps running, so the reminder still sounds. The missed
    // reminders have been seen.
    event->ignore();
    if (!m_missed.isEmpty()) {
        m_missed.clear();
        showLists();
    }
    hide();
    emit closedByUser();
}

void TodayWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_background.isNull())
        return;
    // On a scaled screen the picture is stretched smoothly, not in blocks of screen pixels.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, devicePixelRatioF() > 1);
    // The picture is stretched in four parts, so its band and its rule stay where the labels are: the band
    // keeps to the headings' width and the rule to the running list's height.
    const QSize picture = m_background.size();
    const int bandX = static_cast<int>(std::lround(picture.width() * 63.0 / 200.0));
    const int ruleY = picture.height() / 2;
    const int xs[] = {0, bandX, picture.width()};
    const int ys[] = {0, ruleY, picture.height()};
    const int txs[] = {0, m_bandWidth + 1, width()};
    const int tys[] = {0, m_ruleY, height()};
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            painter.drawPixmap(QRect(QPoint(txs[i], tys[j]), QPoint(txs[i + 1] - 1, tys[j + 1] - 1)), m_background,
                               QRect(QPoint(xs[i], ys[j]), QPoint(xs[i + 1] - 1, ys[j + 1] - 1)));
}

void TodayWindow::placeFromFile() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return;
    std::vector<TwipRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back(ToTwips(screen->geometry()));
    // Positions are those of the window's inside, which the window manager leaves where it is asked to put
    // it; the outside depends on a frame whose size is known only later, and would shift on every showing.
    const QPoint inside = geometry().topLeft();
    const TwipPoint current{inside.x() * kTwipsPerPixel, inside.y() * kTwipsPerPixel};
    const TwipPoint place =
        PlaceTodayWindow(LoadTodayPosition(m_setup.dataDirectory.todayWindowFile()), current,
                         ToTwips(primary->geometry()), screens, width() * kTwipsPerPixel, height() * kTwipsPerPixel);
    m_placed = QPoint(ToPixels(place.left), ToPixels(place.top));
    m_settled.reset();
    m_shownAt.start();
    setGeometry(QRect(m_placed, size()));
    keepOnScreen();
}

void TodayWindow::saveMovedPosition() {
    if (!isVisible())
        return;
    const QPoint inside = geometry().topLeft();
    // Where the window manager actually put the window for the stored position, looked at once it had time
    // to do so: only a change from there is a move by the user. A manager that shifts every window it
    // places would otherwise make the stored position creep on each showing.
    if (!m_settled) {
        if (m_shownAt.isValid() && m_shownAt.elapsed() < SettleMilliseconds)
            return;
        m_settled = inside;
        return;
    }
    if (inside == *m_settled)
        return;
    const QPoint moved = m_placed + (inside - *m_settled);
    const WriteResult written = SaveTodayPosition(m_setup.dataDirectory.todayWindowFile(),
                                                  {moved.x() * kTwipsPerPixel, moved.y() * kTwipsPerPixel});
    // Remembered even when the write failed: retrying every two seconds would not help, and the position
    // is only a convenience.
    if (!written.ok)
        std::fprintf(stderr, "Plandeck: %s\n", written.error.c_str());
    else
        ++m_positionSaves;
    m_placed = moved;
    m_settled = inside;
}

} // namespace plandeck
