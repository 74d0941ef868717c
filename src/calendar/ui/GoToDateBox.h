#pragma once

#include "base/Date.h"
#include "settings/LanguageTable.h"

#include <QDialog>

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QPushButton;

namespace plandeck {

// The go-to-date box ("GoToDateBox"): a date typed in "DateText" (day first, or year first) or picked in the
// calendar "DatePicker"; "GoButton" or Enter goes. A text that is no date is said in "DateMessage" and nothing
// happens.
class GoToDateBox : public QDialog {
    Q_OBJECT

public:
    // `shown` is the first day shown: the picker starts on it, and a date typed without a year is in its year.
    GoToDateBox(const LanguageTable& language, const Date& shown, QWidget* parent = nullptr);

signals:
    void dateChosen(const plandeck::Date& date);

private:
    QString entry(int n) const;
    void go();

    LanguageTable m_language;
    Date m_shown;
    QLineEdit* m_text;
    QCalendarWidget* m_picker;
    QLabel* m_message;
    QPushButton* m_go;
};

} // namespace plandeck
