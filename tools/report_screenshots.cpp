// Renders the report of a calendar file import to PNG files without a display, in every installed skin and
// language, for reviewing how it looks. The file imported is one written the way other programs write them.
//
//   report_screenshots --data build/Plandeck --out shots/
//
// Run from the source folder; PLANDECK_REPORT_ICS names another file to import. The data folder is only read.
#include "base/TextFile.h"
#include "notes/ui/CalendarReportWindow.h"
#include "platform/Text.h"
#include "settings/Skin.h"
#include "settings/SkinColours.h"

#include "FolderCopy.h"

#include <QApplication>
#include <array>
#include <cstdlib>
#include <ctime>

using namespace plandeck;

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    setenv("TZ", "UTC0", 1);
    tzset();
    QApplication app(argc, argv);
    const std::optional<DataAndOut> folders = ParseDataAndOut(
        app, "report_screenshots", QStringLiteral("Renders the report of a calendar file import to PNG files."));
    if (!folders)
        return 2;
    const char* icsPath = std::getenv("PLANDECK_REPORT_ICS");
    const ReadResult ics = ReadWholeFile(icsPath ? icsPath : "tests/data/ics/foreign.ics");
    std::array<std::string, 101> names;
    names[0] = "Work";
    names[1] = "Home";
    const CalendarImport import = ImportCalendar(ics.bytes, TextLines(), names);
    const DataDirectory dataDir(folders->data.toStdString());
    const QStringList languages = QDir(QString::fromStdString(dataDir.languageFolder())).entryList(QDir::Files);
    bool ok = true;
    for (const SkinEntry& skin : ListSkins(dataDir.skinsFolder())) {
        const SkinColours colours = LoadSkinColours(Skin(dataDir, skin.name).colourList());
        for (const QString& language : languages) {
            const LanguageTable table = LanguageTable::Load(LanguageTable::FilePath(dataDir, language.toStdString()));
            CalendarReportWindow window(ImportReportLines(import, table), table);
            window.setColours(colours.hintBackground ? FromColourNumber(*colours.hintBackground)
                                                     : QColor(236, 239, 244),
                              colours.hintText ? FromColourNumber(*colours.hintText) : QColor(40, 48, 60));
            window.show();
            QApplication::processEvents();
            const QString file =
                folders->out + QStringLiteral("/%1-%2-import-report.png")
                                   .arg(QString::fromStdString(skin.name), QFileInfo(language).baseName());
            ok = window.grab().save(file) && ok;
        }
    }
    return ok ? 0 : 1;
}
