// Renders the options window (every page), the about box, the find box and the go-to-date box to PNG files
// without a display, in every installed skin and language, for reviewing how they look.
//
//   dialog_screenshots --data build/Plandeck --out shots/
//
// The data folder is only read: the windows are opened on a copy of it.
#include "calendar/ui/GoToDateBox.h"
#include "editing/CategoryTable.h"
#include "notes/ui/FindBox.h"
#include "platform/Text.h"
#include "settings/Skin.h"
#include "settings/SkinColours.h"
#include "settings/ui/AboutBox.h"
#include "settings/ui/OptionsWindow.h"
#include "settings/ui/WindowPalette.h"

#include "FolderCopy.h"

#include <QApplication>
#include <QCheckBox>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

using namespace plandeck;

namespace {

bool Save(QWidget* window, const QString& file) {
    QApplication::processEvents();
    if (window->grab().save(file))
        return true;
    std::fprintf(stderr, "dialog_screenshots: cannot write %s\n", qPrintable(file));
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::optional<DataAndOut> folders = ParseDataAndOut(
        app, "dialog_screenshots", QStringLiteral("Renders the options window and the about box to PNG files."));
    if (!folders)
        return 2;
    const QString& out = folders->out;
    QTemporaryDir copy;
    if (!copy.isValid() || !CopyFolder(folders->data, copy.path())) {
        std::fputs("dialog_screenshots: cannot copy the data folder\n", stderr);
        return 1;
    }
    const DataDirectory dataDir(copy.path().toStdString());
    const QStringList languages = QDir(QString::fromStdString(dataDir.languageFolder())).entryList(QDir::Files);
    const char* pageNames[] = {"general", "system", "appearance", "language"};
    bool ok = true;
    for (const SkinEntry& skin : ListSkins(dataDir.skinsFolder())) {
        const SkinColours colours = LoadSkinColours(Skin(dataDir, skin.name).colourList());
        // The windows take the skin's colours as they do beside the main window.
        ApplySkinPalette(colours);
        for (const QString& language : languages) {
            OptionsWindowSetup setup;
            setup.dataDir = dataDir;
            setup.language = LanguageTable::Load(LanguageTable::FilePath(dataDir, language.toStdString()));
            setup.current = LoadMainOptions(dataDir.mainOptionsFile());
            setup.current.skinName = skin.name;
            setup.current.languageFile = language.toStdString();
            setup.notesPath = dataDir.defaultNotesFile();
            if (colours.label4Text)
                setup.titleColour = FromColourNumber(*colours.label4Text);
            OptionsWindow window(setup);
            window.setAttribute(Qt::WA_DeleteOnClose, false);
            // The working spans are shown as when shading is on.
            window.findChild<QCheckBox*>(QStringLiteral("Check3"))->setChecked(true);
            window.show();
            const QString stem =
                out + QStringLiteral("/%1-%2").arg(QString::fromStdString(skin.name), QFileInfo(language).baseName());
            for (int page = 0; page < 4; ++page) {
                window.showPage(static_cast<OptionsWindow::Page>(page));
                ok = Save(&window, stem + QStringLiteral("-options-%1.png").arg(QLatin1String(pageNames[page]))) && ok;
            }
            AboutBox about(dataDir, setup.language);
            about.setAttribute(Qt::WA_DeleteOnClose, false);
            about.show();
            ok = Save(&about, stem + QStringLiteral("-about.png")) && ok;

            // The find box on a few notes of every kind, the third category hidden.
            CategoryTable categories;
            categories.LoadCategories(dataDir.categoryFile(), 0);
            categories.setShown(2, false);
            const char* lines[] = {"2026120E09001030dВстреча с Иваном: планы на квартал",
                                   "yyyyyy2408000830eвстреча команды", "yyyy120110001100dВстреча выпускников",
                                   "2026121018001930fВстреча в спортзале"};
            FindBox find(setup.language, [&](const std::string&, std::size_t) {
                FindResult result;
                for (std::size_t i = 0; i < std::size(lines); ++i)
                    result.notes.push_back(
                        DescribeFoundNote(lines[i], static_cast<int>(i) + 1, categories, setup.language));
                result.total = result.notes.size();
                return result;
            });
            find.setAttribute(Qt::WA_DeleteOnClose, false);
            find.show();
            find.findChild<QLineEdit*>(QStringLiteral("FindText"))->setText(QStringLiteral("встреча"));
            ok = Save(&find, stem + QStringLiteral("-find.png")) && ok;

            GoToDateBox goTo(setup.language, Date{2026, 12, 8});
            goTo.setAttribute(Qt::WA_DeleteOnClose, false);
            goTo.show();
            goTo.findChild<QLineEdit*>(QStringLiteral("DateText"))->setText(QStringLiteral("31.4.2026"));
            QMetaObject::invokeMethod(goTo.findChild<QPushButton*>(QStringLiteral("GoButton")), "click");
            ok = Save(&goTo, stem + QStringLiteral("-goto.png")) && ok;
        }
    }
    return ok ? 0 : 1;
}
