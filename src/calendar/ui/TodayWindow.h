#pragma once

#include "base/DataDirectory.h"
#include "calendar/TodayPosition.h"
#include "notes/TodayRefresh.h"
#include "settings/LanguageTable.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QPixmap>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

class QLabel;
class QTimer;

namespace plandeck {

// What the today window needs from the rest of the program.
struct TodayWindowSetup {
    DataDirectory dataDirectory{""};
    std::string notesPath;
    LanguageTable language;
    std::string skinName;
    // The current time; the program's clock when empty.
    std::function<QDateTime()> clock;
    // Tells the user of a reminder beside the chime (a desktop notification): a title and a text. Nothing
    // is told when empty.
    std::function<void(const QString& summary, const QString& body)> notify;
};

// The small always-on-top window that lists the notes running now and the next two of the day, shows the
// time, and chimes when the next note's start minute arrives. Its two-second timer runs from the moment it
// is made, shown or not, so the chime sounds while the window is hidden too. Closing it only hides it.
class TodayWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int TickMilliseconds = 2000;
    // How long after showing the window its position is taken as where the window manager put it.
    static constexpr int SettleMilliseconds = 1000;
    // The window grows with its title, headings and notes up to this width (pixels), and shows at most this
    // many running notes; what does not fit ends in "…" and the tooltips hold it whole.
    static constexpr int MinimumWidth = 200;
    static constexpr int MaximumWidth = 360;
    static constexpr int MaximumRunningLines = 3;

    explicit TodayWindow(TodayWindowSetup setup, QWidget* parent = nullptr);

    void setLanguage(const LanguageTable& language);
    void setSkin(const std::string& skinName);
    void setNotesPath(const std::string& notesPath);

    // Lists what runs now and what comes next from the notes file, at once (before the window is shown).
    void BuildTodayList();
    // The timer's work: the time caption with the reminder, the lists when the file or the minute changed,
    // and the remembered position when the window was moved.
    void tick();

    const TodayRefresh& refresh() const { return m_refresh; }
    // How many times the position file was written (moves that were saved).
    int positionSaves() const { return m_positionSaves; }

signals:
    // The user closed the window; it is hidden now.
    void closedByUser();
    // The reminder sounded for the note that starts now.
    void reminded();
    // Reminders the clock jumped over were caught up (listed and told once).
    void missedCaughtUp();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    TodayStamp now() const;
    void showLists();
    void showCaptions();
    // Tells the user of the reminders of this tick: the notes that start now, and those missed.
    void tellReminders(const TodayRefresh::Tick& tick);
    void loadSkinPicture();
    void placeFromFile();
    void saveMovedPosition();
    // Sizes the window to its title, headings and lists within its limits and lays the labels out.
    void fitToContent();
    // A window that grew past the right edge of its screen moves back into it.
    void keepOnScreen();

    TodayWindowSetup m_setup;
    TodayRefresh m_refresh;
    QPixmap m_background;
    QTimer* m_timer = nullptr;
    QLabel* m_running = nullptr;        // Label1
    QLabel* m_runningHeading = nullptr; // Label2
    QLabel* m_nextHeading = nullptr;    // Label3
    QLabel* m_firstNext = nullptr;      // Label4
    QLabel* m_secondNext = nullptr;     // Label5
    QLabel* m_time = nullptr;           // Label6
    QLabel* m_missedList = nullptr;     // reminders the clock jumped over
    // The list entries in full, each label's lines; the labels show them shortened to their width.
    QStringList m_runningEntries, m_firstEntries, m_secondEntries;
    // Reminders missed while the computer slept, listed above the running notes until the user closes the
    // window or the day ends.
    QStringList m_missed;
    Date m_missedOn;
    int m_bandWidth = 62; // the left band with the headings and the time
    int m_ruleY = 35;     // the rule between what runs now and what comes next

    // The position as the file holds it (pixels, the window's inside), and where the window manager actually
    // put the window for it.
    QPoint m_placed;
    std::optional<QPoint> m_settled;
    QElapsedTimer m_shownAt;
    int m_positionSaves = 0;
};

} // namespace plandeck
