#include "platform/Dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace plandeck {

void Dialogs::queue(const Scripted& answer) {
    s_scripting = true;
    s_queue.push_back(answer);
}

void Dialogs::clearQueue() {
    s_queue.clear();
    s_shown.clear();
    s_shownDefaults.clear();
}

void Dialogs::setScripting(bool on) {
    s_scripting = on;
    if (!on)
        clearQueue();
}

void Dialogs::endAll() {
    s_ending = true;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible())
            dialog->reject();
}

std::optional<Dialogs::Scripted> Dialogs::next(const QString& text) {
    if (s_ending)
        return Scripted{Answer::No, {}, {}, {}};
    if (!s_scripting)
        return std::nullopt;
    s_shown.push_back(text);
    if (s_queue.empty())
        return Scripted{Answer::Cancel, {}, {}, {}};
    Scripted a = s_queue.front();
    s_queue.pop_front();
    return a;
}

Dialogs::Answer Dialogs::message(QWidget* parent, const QString& text, const QString& title, Buttons buttons,
                                 bool warning, std::optional<Answer> defaultAnswer) {
    const Answer preferred = buttons == Buttons::Ok ? Answer::Ok : defaultAnswer.value_or(Answer::Yes);
    if (s_scripting && !s_ending)
        s_shownDefaults.push_back(preferred);
    if (auto a = next(text))
        return buttons == Buttons::Ok ? Answer::Ok : a->answer;
    QMessageBox box(warning ? QMessageBox::Warning : QMessageBox::NoIcon, title, text, QMessageBox::NoButton, parent);
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (preferred) {
    case Answer::Ok:
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case Answer::Yes:
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case Answer::No:
        box.setDefaultButton(QMessageBox::No);
        break;
    case Answer::Cancel:
        if (buttons == Buttons::YesNoCancel)
            box.setDefaultButton(QMessageBox::Cancel);
        break;
    }
    const int chosen = box.exec();
    if (s_ending)
        return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    switch (chosen) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

std::optional<QString> Dialogs::input(QWidget* parent, const QString& prompt, const QString& title,
                                      const QString& initial) {
    if (s_scripting)
        s_lastInitialText = initial;
    if (auto a = next(prompt)) {
        if (a->answer == Answer::Cancel || s_ending)
            return std::nullopt;
        // OK without typing keeps what the box opened with.
        return a->text.value_or(initial);
    }
    bool ok = false;
    QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok || s_ending)
        return std::nullopt;
    return text;
}

std::optional<QColor> Dialogs::colour(QWidget* parent, const QColor& initial) {
    if (s_scripting)
        s_lastInitialColour = initial;
    if (auto a = next(QStringLiteral("colour"))) {
        if (a->answer == Answer::Cancel || !a->colour)
            return std::nullopt;
        return a->colour;
    }
    QColor c = QColorDialog::getColor(initial, parent);
    if (!c.isValid() || s_ending)
        return std::nullopt;
    return c;
}

std::optional<QFont> Dialogs::font(QWidget* parent, const QFont& initial) {
    if (auto a = next(QStringLiteral("font"))) {
        if (a->answer == Answer::Cancel || !a->font)
            return std::nullopt;
        return a->font;
    }
    bool ok = false;
    QFont f = QFontDialog::getFont(&ok, initial, parent);
    if (!ok || s_ending)
        return std::nullopt;
    return f;
}

std::optional<QString> Dialogs::openFile(QWidget* parent, const QString& title, const QString& folder,
                                         const QStringList& filters, const QString& selectedFilter) {
    if (s_scripting) {
        s_lastFolder = folder;
        s_lastFilter = selectedFilter;
    }
    if (auto a = next(title)) {
        if (a->answer == Answer::Cancel || !a->text)
            return std::nullopt;
        return a->text;
    }
    QString chosenFilter = selectedFilter;
    QString path = QFileDialog::getOpenFileName(parent, title, folder, filters.join(QStringLiteral(";;")),
                                                selectedFilter.isEmpty() ? nullptr : &chosenFilter);
    if (path.isEmpty() || s_ending)
        return std::nullopt;
    return path;
}

std::optional<QString> Dialogs::saveFile(QWidget* parent, const QString& title, const QString& path,
                                         const QStringList& filters) {
    if (s_scripting)
        s_lastFolder = path;
    if (auto a = next(title)) {
        if (a->answer == Answer::Cancel || !a->text)
            return std::nullopt;
        return a->text;
    }
    const QString chosen = QFileDialog::getSaveFileName(parent, title, path, filters.join(QStringLiteral(";;")));
    if (chosen.isEmpty() || s_ending)
        return std::nullopt;
    return chosen;
}

bool Dialogs::print(QWidget* parent, QPrinter& printer) {
    if (auto a = next(QStringLiteral("print"))) {
        if (a->answer != Answer::Ok && a->answer != Answer::Yes)
            return false;
        if (a->text) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(*a->text);
        }
        return true;
    }
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted && !s_ending;
}

} // namespace plandeck
