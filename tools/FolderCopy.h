#pragma once

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <cstdio>
#include <optional>

// The tools show another skin or language from a copy of the data folder, so the user's options stay as
// they are.
inline bool CopyFolder(const QString& from, const QString& to) {
    QDir source(from);
    if (!QDir().mkpath(to))
        return false;
    for (const QFileInfo& entry : source.entryInfoList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden)) {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (entry.isDir() ? !CopyFolder(entry.filePath(), target) : !QFile::copy(entry.filePath(), target))
            return false;
    }
    return true;
}

// The data folder and the output folder the screenshot tools take (--data, --out); nothing, after a message,
// when either is missing or the output folder cannot be made.
struct DataAndOut {
    QString data;
    QString out;
};
inline std::optional<DataAndOut> ParseDataAndOut(const QCoreApplication& app, const char* tool,
                                                 const QString& description) {
    QCommandLineParser parser;
    parser.setApplicationDescription(description);
    parser.addHelpOption();
    parser.addOption({QStringLiteral("data"), QStringLiteral("The data folder."), QStringLiteral("folder")});
    parser.addOption(
        {QStringLiteral("out"), QStringLiteral("The folder for the PNG files."), QStringLiteral("folder")});
    parser.process(app);
    DataAndOut folders{parser.value(QStringLiteral("data")), parser.value(QStringLiteral("out"))};
    if (folders.data.isEmpty() || folders.out.isEmpty() || !QDir().mkpath(folders.out)) {
        std::fprintf(stderr, "%s: --data and --out are needed (see --help)\n", tool);
        return std::nullopt;
    }
    return folders;
}
