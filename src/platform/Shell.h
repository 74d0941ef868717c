#pragma once

#include <QString>
#include <QStringList>

namespace plandeck {

// The desktop's services for documents and the clipboard. Tests switch recording on so that nothing opens.
class Shell {
public:
    // Opens a document with the desktop's default application (the help page in the browser). False when
    // the file is missing or no application took it, so the caller can say so.
    static bool openDocument(const QString& path);
    // Replaces whatever the clipboard held with `text`.
    static void copyText(const QString& text);

    // Test hook: while recording, documents are noted instead of opened.
    static void setRecording(bool on);
    static const QStringList& openedDocuments() { return s_opened; }

private:
    static inline bool s_recording = false;
    static inline QStringList s_opened;
};

} // namespace plandeck
