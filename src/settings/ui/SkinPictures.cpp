#include "settings/ui/SkinPictures.h"

#include "settings/SkinColours.h"
#include "settings/ui/SkinPictureCache.h"

#include <QImageReader>

namespace plandeck {

QImage ReadPictureFile(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    // Decide by the bytes, not the name: a GIF saved as ".jpg" still shows.
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

namespace {

// The last of the files that reads, as trying every file in order would give; asked from the last one
// backwards, so that a file a later one overrides is never decoded.
QPixmap CachedLast(const std::vector<std::string>& candidates) {
    for (auto path = candidates.rbegin(); path != candidates.rend(); ++path)
        if (QPixmap read = SkinPictureCache::shared().picture(*path); !read.isNull())
            return read;
    return {};
}

QImage LoadLast(const std::vector<std::string>& candidates) {
    std::optional<QImage> image = LoadLastThatLoads(candidates, [](const std::string& path) -> std::optional<QImage> {
        QImage read = ReadPictureFile(path);
        return read.isNull() ? std::nullopt : std::optional<QImage>(std::move(read));
    });
    return image ? *image : QImage();
}

} // namespace

QImage LoadSkinPicture(const Skin& skin, const SkinPicture& picture) {
    return CachedLast(skin.candidates(picture)).toImage();
}

QPixmap SkinPixmap(const Skin& skin, const SkinPicture& picture) {
    return CachedLast(skin.candidates(picture));
}

QImage LoadSkinPreview(const Skin& skin) {
    return LoadLast(skin.previewCandidates());
}

QColor SkinColour(long value) {
    Rgb rgb = ColourChannels(value);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

void SkinPictureStore::load(const Skin& skin) {
    for (const StorePicture& entry : kPictureStore) {
        QPixmap picture = SkinPictureCache::shared().picture(skin.file(entry.file));
        if (!picture.isNull())
            m_pictures[static_cast<std::size_t>(entry.number)] = std::move(picture);
    }
}

QPixmap SkinPictureStore::picture(int number) const {
    if (number < kPictureStoreFirst || number > kPictureStoreLast)
        return {};
    return m_pictures[static_cast<std::size_t>(number)];
}

} // namespace plandeck
