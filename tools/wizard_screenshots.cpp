// Renders every step of the note wizard without a display, new and edit mode, in every installed skin and
// language, for reviewing how it looks: one PNG sheet per skin and language, the steps side by side.
//
//   wizard_screenshots --data build/Plandeck --out shots/
//
// The data folder is only read: the wizard is opened on a copy of it.
#include "app/MainWindow.h"
#include "editing/ui/EventWizard.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "settings/Skin.h"

#include "FolderCopy.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QPainter>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

using namespace plandeck;

namespace {

QPixmap Shot(QWidget* window) {
    QApplication::processEvents();
    return window->grab();
}

// The shots in rows of three.
bool SaveSheet(const std::vector<QPixmap>& shots, const QString& file) {
    constexpr int Columns = 3;
    constexpr int Gap = 8;
    const QSize cell = shots.front().size() + QSize(Gap, Gap);
    const int rows = (static_cast<int>(shots.size()) + Columns - 1) / Columns;
    QPixmap sheet(cell.width() * Columns, cell.height() * rows);
    sheet.fill(Qt::darkGray);
    QPainter painter(&sheet);
    for (std::size_t i = 0; i < shots.size(); ++i)
        painter.drawPixmap(static_cast<int>(i % Columns) * cell.width(), static_cast<int>(i / Columns) * cell.height(),
                           shots[i]);
    painter.end();
    if (sheet.save(file))
        return true;
    std::fprintf(stderr, "wizard_screenshots: cannot write %s\n", qPrintable(file));
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::optional<DataAndOut> folders =
        ParseDataAndOut(app, "wizard_screenshots", QStringLiteral("Renders the note wizard's steps to PNG files."));
    if (!folders)
        return 2;
    const QString& data = folders->data;
    const QString& out = folders->out;
    Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(10, 30)));
    Dialogs::endAll();
    const DataDirectory source(QDir(data).absolutePath().toStdString());
    const QStringList languages = QDir(QString::fromStdString(source.languageFolder())).entryList(QDir::Files);
    bool ok = true;
    for (const SkinEntry& skin : ListSkins(source.skinsFolder())) {
        for (const QString& language : languages) {
            QTemporaryDir copy;
            if (!copy.isValid() || !CopyFolder(QString::fromStdString(source.root()), copy.path()))
                return 1;
            const DataDirectory dataDir(copy.path().toStdString());
            MainOptions options = LoadMainOptions(dataDir.mainOptionsFile());
            options.skinName = skin.name;
            options.languageFile = language.toStdString();
            RewriteFile(dataDir.mainOptionsFile(), FormatMainOptions(options));
            RewriteFile(dataDir.defaultNotesFile(), "yyyy099E09001030dWeekly class\r\n");
            MainWindow window(dataDir);
            if (!window.start())
                return 1;
            window.show();
            std::vector<QPixmap> shots;
            window.openNewNoteWizard();
            for (int step = 0; step < WizardStepCount; ++step) {
                window.wizard()->goToStep(static_cast<WizardStep>(step));
                if (step == 2)
                    window.wizard()->findChild<QRadioButton*>(QStringLiteral("Option1"))->click();
                shots.push_back(Shot(window.wizard()));
            }
            window.openWizardForLine(1);
            if (!window.wizard())
                return 1;
            for (int step : {0, 2, 5}) {
                window.wizard()->goToStep(static_cast<WizardStep>(step));
                shots.push_back(Shot(window.wizard()));
            }
            const QString file = QStringLiteral("%1/wizard-%2-%3.png")
                                     .arg(out, QString::fromStdString(skin.name), QFileInfo(language).baseName());
            ok = SaveSheet(shots, file) && ok;
        }
    }
    return ok ? 0 : 1;
}
