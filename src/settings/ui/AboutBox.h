#pragma once

#include "base/DataDirectory.h"
#include "settings/LanguageTable.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace plandeck {

// Where Plandeck lives on the web; the about box and the main window copy it for the user.
inline constexpr const char* kWebAddress = "https://plandeck.example.org";

// Puts the web address on the clipboard and tells the user so (language entry 41).
void CopyWebAddress(QWidget* parent, const LanguageTable& language);

// The help page, opened in the desktop's browser; the page is the same in every language. When it is missing
// or nothing can show it, the user is told where it should be (language entry 166).
void OpenHelp(QWidget* parent, const DataDirectory& dataDir, const LanguageTable& language);

// The program's version as the about box shows it: "v. major.minor.revision".
QString ProgramVersionLine();

// The about box: the program's name, version and logo, a few words about it and the web address.
class AboutBox : public QWidget {
    Q_OBJECT

public:
    AboutBox(const DataDirectory& dataDir, const LanguageTable& language, QWidget* parent = nullptr);

    // Shows the texts of another language, as after a language change while the box is open.
    void setLanguage(const LanguageTable& language);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    LanguageTable m_language;
    QLabel* m_logo = nullptr;         // Image1
    QLabel* m_name = nullptr;         // Label1
    QLabel* m_version = nullptr;      // Label2
    QLabel* m_motto = nullptr;        // Label42
    QPlainTextEdit* m_text = nullptr; // Text1
    QLabel* m_web = nullptr;          // Label3
    QLabel* m_maker = nullptr;        // Text2
};

} // namespace plandeck
