#include "app/CalendarCommandLine.h"

#include "app/AgendaCommandLine.h"
#include "platform/SingleInstance.h"
#include "session/CalendarCommand.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <cstdio>
#include <cstring>

namespace plandeck {

namespace {

constexpr char ExportOption[] = "--export-ics";
constexpr char ImportOption[] = "--import-ics";

int Print(const CalendarCommandOutput& output) {
    std::fwrite(output.out.data(), 1, output.out.size(), stdout);
    std::fflush(stdout);
    std::fwrite(output.err.data(), 1, output.err.size(), stderr);
    return output.exitCode;
}

} // namespace

bool IsCalendarCommandLine(int argc, char* argv[]) {
    return argc > 1 && (std::strcmp(argv[1], ExportOption) == 0 || std::strcmp(argv[1], ImportOption) == 0);
}

int RunCalendarCommandLine(int argc, char* argv[]) {
    const bool exporting = std::strcmp(argv[1], ExportOption) == 0;
    if (argc != 3 || argv[2][0] == '\0') {
        std::fprintf(stderr, "plandeck: use: plandeck %s FILE\n", argv[1]);
        return 2;
    }
    const std::string file = argv[2];
    QCoreApplication app(argc, argv);
    const QString folder = QCoreApplication::applicationDirPath();
    const DataDirectory dataDir(folder.toStdString());
    if (exporting)
        return Print(RunCalendarExport(file, dataDir, QDateTime::currentSecsSinceEpoch(), BuiltInEnglish()));

    SingleInstance instance(folder);
    const QString absolute = QFileInfo(QString::fromLocal8Bit(file.c_str())).absoluteFilePath();
    if (const std::optional<QByteArray> answer = instance.handImport(absolute)) {
        // The running copy imported the file and shows its report: the exit code, then the report.
        const qsizetype firstLineEnd = answer->indexOf('\n');
        const QByteArray report = answer->mid(firstLineEnd + 1);
        std::fwrite(report.constData(), 1, static_cast<std::size_t>(report.size()), stdout);
        return answer->left(firstLineEnd) == "0" ? 0 : 1;
    }
    if (!instance.acquire()) {
        std::fprintf(stderr, "plandeck: Plandeck runs on this folder but did not take the file; try again\n");
        return 1;
    }
    return Print(RunCalendarImport(absolute.toStdString(), dataDir, BuiltInEnglish()));
}

} // namespace plandeck
