#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

class QPrinter;
class QWidget;

namespace plandeck {

// Every modal question the program asks goes through here, so that tests can answer in advance instead of
// blocking on a dialog.
class Dialogs {
public:
    enum class Buttons { Ok, YesNo, YesNoCancel };
    enum class Answer { Ok, Yes, No, Cancel };

    // A message box. `defaultAnswer` is the button Enter presses (Yes when not given); a question whose Yes
    // destroys something should default to No.
    static Answer message(QWidget* parent, const QString& text, const QString& title, Buttons buttons,
                          bool warning = false, std::optional<Answer> defaultAnswer = std::nullopt);
    // An input box; nothing when the user cancels.
    static std::optional<QString> input(QWidget* parent, const QString& prompt, const QString& title,
                                        const QString& initial = {});
    // The colour picker, opening on `initial`; nothing when the user cancels.
    static std::optional<QColor> colour(QWidget* parent, const QColor& initial);
    static std::optional<QFont> font(QWidget* parent, const QFont& initial);
    // An existing file to open, starting in `folder`; `filters` as Qt writes them ("Text files (*.txt)"),
    // `selectedFilter` the one shown first. Nothing when the user cancels.
    static std::optional<QString> openFile(QWidget* parent, const QString& title, const QString& folder,
                                           const QStringList& filters = {}, const QString& selectedFilter = {});
    // A file to save to, starting at `path` (a folder or a suggested file); nothing when the user cancels.
    static std::optional<QString> saveFile(QWidget* parent, const QString& title, const QString& path,
                                           const QStringList& filters = {});
    // The print dialog on `printer`; false when the user cancels. Scripted, an OK that carries a text prints
    // to that PDF file instead.
    static bool print(QWidget* parent, QPrinter& printer);

    // The program is ending (a log-out or a kill): every open dialog closes now as the answer that changes
    // nothing (No, or Cancel where there is no No; OK for a message), and every later one answers so at once.
    static void endAll();
    static bool ending() { return s_ending; }

    // Test hooks: queued answers are used in order, one per dialog, instead of showing it. Each dialog
    // shown is also recorded with its text.
    struct Scripted {
        Answer answer = Answer::Ok;
        std::optional<QString> text;
        std::optional<QColor> colour;
        std::optional<QFont> font;
    };
    static void queue(const Scripted& answer);
    static void queueAnswer(Answer answer) { queue({answer, {}, {}, {}}); }
    static void clearQueue();
    static bool scripted() { return s_scripting; }
    // Switch scripting on: with an empty queue a dialog then answers Cancel (or OK for a plain message).
    static void setScripting(bool on);
    static void resetEndingForTesting() { s_ending = false; }
    static const std::deque<QString>& shown() { return s_shown; }
    // The folder and filter the last scripted file dialog would have opened with.
    static const QString& lastFolder() { return s_lastFolder; }
    static const QString& lastFilter() { return s_lastFilter; }
    // What the last scripted input box and colour picker would have opened on.
    static const QString& lastInitialText() { return s_lastInitialText; }
    static const QColor& lastInitialColour() { return s_lastInitialColour; }
    // The default button of each message box shown while scripted, in order (Ok for a plain message).
    static const std::deque<Answer>& shownDefaults() { return s_shownDefaults; }

private:
    static std::optional<Scripted> next(const QString& text);

    static inline bool s_scripting = false;
    static inline bool s_ending = false;
    static inline std::deque<Scripted> s_queue;
    static inline std::deque<QString> s_shown;
    static inline QString s_lastFolder;
    static inline QString s_lastFilter;
    static inline QString s_lastInitialText;
    static inline QColor s_lastInitialColour;
    static inline std::deque<Answer> s_shownDefaults;
};

} // namespace plandeck
