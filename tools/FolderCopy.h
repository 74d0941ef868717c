#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

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
