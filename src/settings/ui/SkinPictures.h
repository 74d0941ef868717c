#pragma once

#include "settings/Skin.h"

#include <QColor>
#include <QImage>
#include <QPixmap>

#include <array>

namespace plandeck {

// Reads one picture file. A missing file, or one that does not decode, gives a null image.
QImage ReadPictureFile(const std::string& path);

// The picture of one element of a skin: its files are tried in load order and the last one that reads
// wins. A null image when none reads; the element then keeps what it shows. Each file is decoded once
// (SkinPictureCache), however many elements show it.
QImage LoadSkinPicture(const Skin& skin, const SkinPicture& picture);
// The same, ready to show.
QPixmap SkinPixmap(const Skin& skin, const SkinPicture& picture);

// The skin's preview for the options window ("<name>.gif", then "<name>.jpg"; the last that reads wins).
QImage LoadSkinPreview(const Skin& skin);

// A colour value of the data files (0x00BBGGRR) as a Qt colour.
QColor SkinColour(long value);

// The main window's numbered store of button pictures. A picture that fails to load keeps the one the
// store held before, so switching to an incomplete skin leaves the old pictures in place.
class SkinPictureStore {
public:
    void load(const Skin& skin);
    // Picture n (2..20); an empty pixmap for numbers outside the store or never loaded.
    QPixmap picture(int number) const;

private:
    std::array<QPixmap, kPictureStoreLast + 1> m_pictures;
};

} // namespace plandeck
