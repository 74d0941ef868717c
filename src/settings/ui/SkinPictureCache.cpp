#include "settings/ui/SkinPictureCache.h"

#include "settings/ui/SkinPictures.h"

namespace plandeck {

SkinPictureCache& SkinPictureCache::shared() {
    static SkinPictureCache cache;
    return cache;
}

QPixmap SkinPictureCache::picture(const std::string& path) {
    const std::string folder = path.substr(0, path.rfind('/') + 1);
    if (folder != m_folder) {
        m_entries.clear();
        m_folder = folder;
    }
    // The stamp is taken before the file is read: a change while it is read shows at the next look.
    const FileStamp stamp = StampOf(path);
    auto found = m_entries.find(path);
    if (found != m_entries.end() && found->second.stamp == stamp)
        return found->second.picture;
    Entry entry{stamp, {}};
    if (stamp.exists) {
        ++m_decodes;
        entry.picture = QPixmap::fromImage(ReadPictureFile(path));
    }
    return m_entries.insert_or_assign(path, std::move(entry)).first->second.picture;
}

} // namespace plandeck
