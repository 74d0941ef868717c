#pragma once

#include "session/FoundNote.h"
#include "settings/LanguageTable.h"

#include <QDialog>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QTreeWidget;

namespace plandeck {

// The find box ("FindBox"): a field ("FindText") whose every keystroke searches the note texts, the notes found
// ("FindResults": date or repetition, time, category, text; notes of hidden categories marked so) and their
// count ("FindCount"). Enter or a double click on a note chooses it; the box then closes. Up and Down in the
// field move through the list.
class FindBox : public QDialog {
    Q_OBJECT

public:
    // How many notes the list shows at most; the count says how many more there are.
    static constexpr std::size_t ListLimit = 200;
    using Search = std::function<FindResult(const std::string& query, std::size_t limit)>;

    FindBox(const LanguageTable& language, Search search, QWidget* parent = nullptr);

    void setLanguage(const LanguageTable& language);
    // Searches again for the text in the field (the notes may have changed).
    void searchAgain();

signals:
    // A note was chosen: its line in the notes file.
    void noteChosen(int line);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString entry(int n) const;
    void choose();

    LanguageTable m_language;
    Search m_search;
    QLineEdit* m_text;
    QTreeWidget* m_results;
    QLabel* m_count;
};

} // namespace plandeck
