#include "base/TextFile.h"
#include "settings/Skin.h"
#include "settings/SkinColours.h"
#include "settings/ui/SkinPictures.h"
#include "support/TempDir.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <cstring>

using namespace plandeck;
using plandeck::test::TempDir;

namespace {

const DataDirectory kShipped(PLANDECK_DATA_DIR);

std::vector<Skin> ShippedSkins() {
    std::vector<Skin> skins;
    for (const SkinEntry& entry : ListSkins(kShipped.skinsFolder()))
        skins.emplace_back(kShipped, entry.name);
    return skins;
}

// A GIF must be a GIF and a JPEG a JPEG, by its bytes and by what Qt's readers make of it.
void ExpectDecodesAsItsFormat(const std::string& path) {
    SCOPED_TRACE(path);
    ReadResult file = ReadWholeFile(path);
    ASSERT_TRUE(file.exists);
    QByteArray format;
    if (path.ends_with(".gif")) {
        EXPECT_TRUE(file.bytes.starts_with("GIF89a") || file.bytes.starts_with("GIF87a"));
        format = "gif";
    } else {
        ASSERT_TRUE(path.ends_with(".jpg"));
        EXPECT_TRUE(file.bytes.starts_with("\xFF\xD8\xFF"));
        format = "jpeg";
    }
    QImageReader reader(QString::fromStdString(path));
    EXPECT_EQ(reader.format(), format);
    QImage image = reader.read();
    EXPECT_FALSE(image.isNull()) << reader.errorString().toStdString();
}

QImage SkinFile(const Skin& skin, std::string_view file) {
    return ReadPictureFile(skin.file(file));
}

// Share of pixels whose colour differs clearly between two pictures of the same size.
double ChangedShare(const QImage& a, const QImage& b) {
    QImage x = a.convertToFormat(QImage::Format_ARGB32), y = b.convertToFormat(QImage::Format_ARGB32);
    int changed = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            int d = std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) +
                    std::abs(qAlpha(p) - qAlpha(q));
            changed += d > 60;
        }
    return static_cast<double>(changed) / (x.width() * x.height());
}

std::uint32_t LittleEndian(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return v;
}

} // namespace

TEST(ShippedAssets, EverySkinPictureDecodesAsItsFormat) {
    std::vector<Skin> skins = ShippedSkins();
    ASSERT_GE(skins.size(), 2u);
    for (const Skin& skin : skins) {
        for (const std::string& name : SkinPictureFileNames())
            if (FileExists(skin.file(name)))
                ExpectDecodesAsItsFormat(skin.file(name));
        for (const std::string& preview : skin.previewCandidates())
            if (FileExists(preview))
                ExpectDecodesAsItsFormat(preview);
        EXPECT_FALSE(LoadSkinPreview(skin).isNull()) << skin.name();
    }
    ExpectDecodesAsItsFormat(kShipped.optionsPicture());
    ExpectDecodesAsItsFormat(kShipped.aboutLogo());
}

// Where the windows put each picture, and so how large it may be: the buttons under the grid sit 24 pixels
// apart in a strip 27 pixels high; the day headers and the grid background are drawn from fixed source
// regions of the picture; the header is 117 pixels high, with the clock in its left corner and the month
// calendar and today's card at its right; the bottom bar is 16 pixels high.
TEST(ShippedAssets, PicturesFitWhereTheWindowsPutThem) {
    struct Fit {
        std::string_view file;
        int minWidth, maxWidth, minHeight, maxHeight;
    };
    std::vector<Fit> fits = {
        {"dn.gif", 81, 81, 22, 22},       {"dt.gif", 81, 81, 22, 22},        {"fonsh.jpg", 705, 4000, 443, 4000},
        {"top.jpg", 798, 4000, 117, 117}, {"top.gif", 798, 4000, 117, 117},  {"bottom.gif", 798, 4000, 16, 16},
        {"menu.jpg", 90, 90, 1, 1200},    {"menu2.jpg", 90, 90, 1, 1200},    {"calfon.gif", 1, 115, 1, 117},
        {"rmenu.gif", 1, 160, 1, 117},    {"clfon.gif", 118, 118, 117, 117}, {"info.gif", 1, 24, 1, 16},
        {"today.gif", 200, 200, 70, 70},  {"resize.gif", 1, 40, 1, 7},       {"catfon.gif", 90, 90, 1, 443},
        {"addi.gif", 1, 24, 1, 24},       {"opti.gif", 1, 24, 1, 24},        {"quei.gif", 1, 24, 1, 24},
        {"exii.gif", 1, 24, 1, 24},
    };
    for (const StorePicture& p : kPictureStore)
        if (p.number != 8) // the store's 8 is the wizard header shown while a note is edited
            fits.push_back({p.file, 1, 24, 1, 27});
    for (const Skin& skin : ShippedSkins()) {
        for (const Fit& f : fits) {
            QImage image = SkinFile(skin, f.file);
            SCOPED_TRACE(skin.name() + "/" + std::string(f.file));
            ASSERT_FALSE(image.isNull());
            EXPECT_GE(image.width(), f.minWidth);
            EXPECT_LE(image.width(), f.maxWidth);
            EXPECT_GE(image.height(), f.minHeight);
            EXPECT_LE(image.height(), f.maxHeight);
        }
        // While a note is edited the wizard shows the store's picture 8 in place of its own header.
        EXPECT_EQ(SkinFile(skin, "del.gif").size(), SkinFile(skin, "wiz.gif").size()) << skin.name();
    }
}

TEST(ShippedAssets, PressedButtonsLookClearlyDifferent) {
    const std::pair<int, int> pairs[] = {{3, 2},   {5, 4},   {7, 6},   {9, 10}, {11, 12},
                                         {13, 14}, {15, 18}, {16, 19}, {17, 20}};
    for (const Skin& skin : ShippedSkins()) {
        SkinPictureStore store;
        store.load(skin);
        for (auto [normal, pressed] : pairs) {
            QImage a = store.picture(normal).toImage(), b = store.picture(pressed).toImage();
            ASSERT_FALSE(a.isNull() || b.isNull()) << skin.name() << " " << normal;
            ASSERT_EQ(a.size(), b.size()) << skin.name() << " " << normal;
            EXPECT_GT(ChangedShare(a, b), 0.3) << skin.name() << " pictures " << normal << " and " << pressed;
        }
    }
}

TEST(ShippedAssets, ReminderChimeIsAShortMonoWave) {
    ReadResult wav = ReadWholeFile(kShipped.reminderSound());
    ASSERT_TRUE(wav.exists);
    ASSERT_GE(wav.bytes.size(), 44u);
    EXPECT_EQ(wav.bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(wav.bytes.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(LittleEndian(wav.bytes, 20, 2), 1u); // PCM
    EXPECT_EQ(LittleEndian(wav.bytes, 22, 2), 1u); // mono
    std::uint32_t rate = LittleEndian(wav.bytes, 24, 4);
    EXPECT_TRUE(rate == 22050 || rate == 44100);
    EXPECT_EQ(LittleEndian(wav.bytes, 34, 2), 16u);
    ASSERT_EQ(wav.bytes.substr(36, 4), "data");
    std::uint32_t dataBytes = LittleEndian(wav.bytes, 40, 4);
    EXPECT_EQ(dataBytes + 44, wav.bytes.size());
    double seconds = dataBytes / 2.0 / rate;
    EXPECT_GT(seconds, 0.3);
    EXPECT_LT(seconds, 2.0);
    int loudest = 0;
    for (std::size_t i = 44; i + 1 < wav.bytes.size(); i += 2)
        loudest = std::max(loudest, std::abs(static_cast<std::int16_t>(LittleEndian(wav.bytes, i, 2))));
    EXPECT_GT(loudest, 8000);  // audible
    EXPECT_LT(loudest, 32000); // and not clipped
}

TEST(ShippedAssets, HelpPageLinksOnlyToFilesThatExist) {
    ReadResult page = ReadWholeFile(kShipped.helpPage());
    ASSERT_TRUE(page.exists);
    QString html = QString::fromUtf8(page.bytes.data(), static_cast<qsizetype>(page.bytes.size()));
    EXPECT_TRUE(html.contains("files/logo2.gif"));
    QRegularExpression link(R"re((?:src|href)="([^"#:]+)")re");
    int local = 0;
    for (auto it = link.globalMatch(html); it.hasNext(); ++local) {
        QString target = it.next().captured(1);
        EXPECT_TRUE(FileExists(kShipped.path("/help/" + target.toStdString()))) << target.toStdString();
    }
    EXPECT_GE(local, 1);
}

TEST(SkinPictures, TheLastFileThatReadsWinsAndABrokenOneIsPassedOver) {
    TempDir dir;
    DataDirectory data(dir.path());
    Skin skin(data, "Test");
    QImage red(4, 4, QImage::Format_RGB32), blue(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    blue.fill(Qt::blue);
    std::filesystem::create_directories(skin.folder());
    const SkinPicture& bottom = kMainWindowPictures[2]; // bottom.gif, then bottom.jpg
    ASSERT_EQ(bottom.element, "Image32");
    EXPECT_TRUE(LoadSkinPicture(skin, bottom).isNull());

    ASSERT_TRUE(red.save(QString::fromStdString(skin.file("bottom.gif")), "png")); // wrong name, readable bytes
    EXPECT_EQ(LoadSkinPicture(skin, bottom).pixelColor(0, 0), QColor(Qt::red));
    dir.write("pdskins/Test/bottom.jpg", "not a picture at all");
    EXPECT_EQ(LoadSkinPicture(skin, bottom).pixelColor(0, 0), QColor(Qt::red));
    ASSERT_TRUE(blue.save(QString::fromStdString(skin.file("bottom.jpg")), "jpeg", 100));
    QColor won = LoadSkinPicture(skin, bottom).pixelColor(1, 1);
    EXPECT_GT(won.blue(), 200);
    EXPECT_LT(won.red(), 60);
}

TEST(SkinPictures, StoreKeepsItsPicturesWhereANewSkinHasNone) {
    TempDir dir;
    DataDirectory data(dir.path());
    QImage green(3, 3, QImage::Format_RGB32);
    green.fill(Qt::green);
    std::filesystem::create_directories(dir.file("pdskins/Full"));
    for (const StorePicture& p : kPictureStore)
        ASSERT_TRUE(green.save(QString::fromStdString(Skin(data, "Full").file(p.file)), "png"));
    SkinPictureStore store;
    store.load(Skin(data, "Full"));
    store.load(Skin(data, "Missing"));
    for (int n = kPictureStoreFirst; n <= kPictureStoreLast; ++n)
        EXPECT_EQ(store.picture(n).size(), QSize(3, 3)) << n;
    EXPECT_TRUE(store.picture(0).isNull());
    EXPECT_TRUE(store.picture(1).isNull());
    EXPECT_TRUE(store.picture(21).isNull());
    EXPECT_TRUE(store.picture(-5).isNull());
}

TEST(SkinPictures, ColourValuesAreRedInTheLowByte) {
    EXPECT_EQ(SkinColour(255), QColor(255, 0, 0));
    EXPECT_EQ(SkinColour(65280), QColor(0, 255, 0));
    EXPECT_EQ(SkinColour(16711680), QColor(0, 0, 255));
}
