#pragma once

#include "base/FileStamp.h"

#include <QPixmap>

#include <map>
#include <string>

namespace plandeck {

// The skin pictures every window shows, each file decoded once however many controls show it: keyed by
// the skin folder and the file name. An entry is read again when its file's stamp changes (a skin edited
// while the program runs), and a missing or unreadable file is remembered as such until it appears. Only
// one skin folder is kept: asking for another one's pictures drops the old ones.
class SkinPictureCache {
public:
    // The one cache of the program.
    static SkinPictureCache& shared();

    // The picture in the file at `path` (a skin folder and a file name); a null pixmap when the file is
    // missing or does not decode.
    QPixmap picture(const std::string& path);

    // How many times a file was decoded since the cache was made.
    int decodeCount() const { return m_decodes; }

private:
    struct Entry {
        FileStamp stamp;
        QPixmap picture;
    };
    std::string m_folder;
    std::map<std::string, Entry> m_entries; // by path, all within m_folder
    int m_decodes = 0;
};

} // namespace plandeck
