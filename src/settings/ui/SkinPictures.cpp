#include "settings/ui/SkinPictures.h"

#include "settings/SkinColours.h"

#include <QImageReader>

namespace plandeck {

QImage ReadPictureFile(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    // Decide by the bytes, not the name: a GIF saved as ".jpg" still shows.
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

namespace {

QImage LoadLast(const std::vector<std::string>& candidates) {
    std::optional<QImage> image = LoadLastThatLoads(candidates, [](const std::string& path) -> std::optional<QImage> {
        QImage read = ReadPictureFile(path);
        return read.isNull() ? std::nullopt : std::optional<QImage>(std::move(read));
    });
    return image ? *image : QImage();
}

} // namespace

QImage LoadSkinPicture(const Skin& skin, const SkinPicture& picture) {
    return LoadLast(skin.candidates(picture));
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
        QImage image = ReadPictureFile(skin.file(entry.file));
        if (!image.isNull())
            m_pictures[static_cast<std::size_t>(entry.number)] = QPixmap::fromImage(image);
    }
}

QPixmap SkinPictureStore::picture(int number) const {
    if (number < kPictureStoreFirst || number > kPictureStoreLast)
        return {};
    return m_pictures[static_cast<std::size_t>(number)];
}

} // namespace plandeck
