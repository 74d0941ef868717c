#include "calendar/ui/GoToDateBox.h"

#include "calendar/DateEntry.h"
#include "platform/Text.h"
#include "settings/LanguageEntries.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace plandeck {

namespace {

// The locale whose language calls itself as the language file does ("Русский"), for the picker's month and
// weekday names; the program's locale when none does.
QLocale LocaleNamed(const QString& ownName) {
    for (int l = QLocale::C + 1; l <= QLocale::LastLanguage; ++l) {
        const QLocale locale(static_cast<QLocale::Language>(l));
        if (locale.language() == l && locale.nativeLanguageName().compare(ownName, Qt::CaseInsensitive) == 0)
            return locale;
    }
    return QLocale();
}

} // namespace

GoToDateBox::GoToDateBox(const LanguageTable& language, const Date& shown, QWidget* parent)
    : QDialog(parent), m_language(language), m_shown(shown) {
    setObjectName(QStringLiteral("GoToDateBox"));
    setWindowTitle(entry(Entry::Find::GoToTitle));
    auto* prompt = new QLabel(entry(Entry::Find::GoToPrompt), this);
    prompt->setObjectName(QStringLiteral("DatePrompt"));
    prompt->setWordWrap(true);
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("DateText"));
    m_picker = new QCalendarWidget(this);
    m_picker->setObjectName(QStringLiteral("DatePicker"));
    m_picker->setLocale(LocaleNamed(entry(Entry::LanguageName).trimmed()));
    m_picker->setFirstDayOfWeek(Qt::Monday);
    m_picker->setGridVisible(false);
    m_picker->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_picker->setSelectedDate(QDate(shown.year, shown.month, shown.day));
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("DateMessage"));
    m_message->setWordWrap(true);
    m_message->setStyleSheet(QStringLiteral("color: #c00000;"));
    m_go = new QPushButton(entry(Entry::Find::GoToButton), this);
    m_go->setObjectName(QStringLiteral("GoButton"));
    m_go->setDefault(true);
    auto* cancel = new QPushButton(entry(Entry::WizardText::CancelCaption), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_go);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_text);
    layout->addWidget(m_picker);
    layout->addWidget(m_message);
    layout->addLayout(buttons);

    // A day picked shows in the field; a double click (or Enter in the picker) goes there at once.
    connect(m_picker, &QCalendarWidget::clicked, this, [this](QDate d) {
        m_text->setText(QStringLiteral("%1.%2.%3").arg(d.day()).arg(d.month()).arg(d.year()));
        m_message->clear();
    });
    connect(m_picker, &QCalendarWidget::activated, this, [this](QDate d) {
        m_text->setText(QStringLiteral("%1.%2.%3").arg(d.day()).arg(d.month()).arg(d.year()));
        go();
    });
    // Enter in the field presses the default button.
    connect(m_go, &QPushButton::clicked, this, &GoToDateBox::go);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString GoToDateBox::entry(int n) const {
    return FromFileText(m_language.entry(n));
}

void GoToDateBox::go() {
    if (!isVisible())
        return; // Enter in the picker both activates a day and presses the default button
    const DateEntry typed = ParseDateEntry(ToFileText(m_text->text()), m_language, m_shown.year);
    if (!typed.date) {
        m_message->setText(entry(Entry::Find::FirstDateError + static_cast<int>(typed.error) - 1));
        m_text->setFocus();
        m_text->selectAll();
        return;
    }
    m_message->clear();
    accept();
    emit dateChosen(*typed.date);
}

} // namespace plandeck
