#include "settings/Skin.h"
#include "base/PlainName.h"
#include "base/TextFile.h"
#include "settings/Options.h"
#include "settings/SkinColours.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace plandeck;
using plandeck::test::TempDir;

namespace {

const SkinPicture& PictureOf(std::string_view element) {
    auto it = std::find_if(kMainWindowPictures.begin(), kMainWindowPictures.end(),
                           [&](const SkinPicture& p) { return p.element == element; });
    if (it != kMainWindowPictures.end())
        return *it;
    for (const SkinPicture* p :
         {&kResizeGripPicture, &kWizardPicture, &kTodayWindowPicture, &kOptionsBackgroundPicture})
        if (p->element == element)
            return *p;
    throw std::invalid_argument("no such element");
}

// The file an element ends up showing when the skin folder holds the given files.
std::string Winner(const Skin& skin, const SkinPicture& picture) {
    std::optional<std::string> won =
        LoadLastThatLoads(skin.candidates(picture), [](const std::string& path) -> std::optional<std::string> {
            if (!FileExists(path))
                return std::nullopt;
            return path.substr(path.rfind('/') + 1);
        });
    return won.value_or("");
}

std::string ColourList(std::vector<std::string> lines) {
    return JoinLinesCrLf(lines);
}

std::vector<std::string> FullColourList() {
    std::vector<std::string> lines;
    for (int n = 1; n <= 22; ++n)
        lines.push_back(std::to_string(n * 1000));
    lines[14] = "True";
    return lines;
}

} // namespace

TEST(Skin, WhenBothFormsExistTheSecondInLoadOrderWins) {
    struct Case {
        std::string_view element;
        std::string_view winner;
    };
    for (const Case& c : {Case{"Picture3(0)", "fonsh.gif"}, Case{"Image31", "menu.gif"}, Case{"Image32", "bottom.jpg"},
                          Case{"Image8", "menu2.gif"}, Case{"Image9", "calfon.jpg"}, Case{"Image16", "rmenu.jpg"},
                          Case{"Image1", "catfon.jpg"}, Case{"Image17", "top.jpg"}, Case{"frmpdo", "top.gif"}}) {
        TempDir dir;
        const SkinPicture& picture = PictureOf(c.element);
        for (std::string_view f : picture.files)
            dir.write("pdskins/Blue/" + std::string(f), "x");
        EXPECT_EQ(Winner(Skin(DataDirectory(dir.path()), "Blue"), picture), c.winner) << c.element;
    }
}

TEST(Skin, EitherFormAloneIsUsedAndNoneKeepsThePicture) {
    TempDir dir;
    Skin skin(DataDirectory(dir.path()), "Blue");
    const SkinPicture& bottom = PictureOf("Image32");
    EXPECT_EQ(Winner(skin, bottom), "");
    dir.write("pdskins/Blue/bottom.gif", "x");
    EXPECT_EQ(Winner(skin, bottom), "bottom.gif");
    std::filesystem::remove(dir.file("pdskins/Blue/bottom.gif"));
    dir.write("pdskins/Blue/bottom.jpg", "x");
    EXPECT_EQ(Winner(skin, bottom), "bottom.jpg");
}

TEST(Skin, AFileThatExistsButDoesNotLoadLeavesTheEarlierOne) {
    std::vector<std::string> tried;
    auto load = [&](const std::string& path) -> std::optional<std::string> {
        tried.push_back(path);
        return path == "b" ? std::nullopt : std::optional<std::string>(path);
    };
    EXPECT_EQ(LoadLastThatLoads({"a", "b"}, load), "a");
    EXPECT_EQ(tried, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(LoadLastThatLoads({}, load), std::nullopt);
}

TEST(Skin, StoreHoldsNumbersTwoToTwentyAndStartsWithTheNDayViewPressed) {
    std::set<int> numbers;
    for (const StorePicture& p : kPictureStore)
        numbers.insert(p.number);
    EXPECT_EQ(numbers.size(), 19u);
    EXPECT_EQ(*numbers.begin(), kPictureStoreFirst);
    EXPECT_EQ(*numbers.rbegin(), kPictureStoreLast);
    auto fileOf = [](int n) {
        for (const StorePicture& p : kPictureStore)
            if (p.number == n)
                return p.file;
        return std::string_view();
    };
    auto start = [&](std::string_view element) {
        for (const StoreAssignment& a : kStartButtonPictures)
            if (a.element == element)
                return fileOf(a.number);
        return std::string_view();
    };
    EXPECT_EQ(start("Image11"), "ndd.gif");
    EXPECT_EQ(start("Image12"), "ndfs.gif");
    EXPECT_EQ(start("Image13"), "ndw.gif");
    EXPECT_EQ(start("Image18"), "hd.gif");
    EXPECT_EQ(start("Image23"), "ht.gif");
    EXPECT_EQ(start("Image33"), "hup.gif");
}

TEST(Skin, NamesThatCouldLeaveTheFolderAreRefused) {
    struct Case {
        std::string_view name;
        bool plain;
    };
    for (const Case& c :
         {Case{"Default", true}, Case{"Midnight", true}, Case{"My Skin 2", true}, Case{"Deutsch.lng", true},
          Case{"\xC3\x9C"
               "bersicht",
               true},
          Case{".hidden", true}, Case{"", false}, Case{".", false}, Case{"..", false}, Case{"../Default", false},
          Case{"a/b", false}, Case{"/etc", false}, Case{"a\\b", false}, Case{"..\\..\\x", false}, Case{"x..y", false},
          Case{std::string_view("a\0b", 3), false}, Case{"tab\there", false}})
        EXPECT_EQ(IsPlainName(c.name), c.plain) << c.name;

    TempDir dir;
    DataDirectory data(dir.path());
    Skin skin(data, "../../etc");
    EXPECT_EQ(skin.name(), "Default");
    EXPECT_EQ(skin.folder(), dir.path() + "/pdskins/Default");
    EXPECT_EQ(skin.colourList(), dir.path() + "/pdskins/Default/colors.txt");
}

TEST(Skin, OptionFileNamesOutsideTheirFolderFallBackToTheDefaults) {
    struct Case {
        std::string skin;
        std::string language;
        std::string expectedSkin;
        std::string expectedLanguage;
    };
    for (const Case& c : {Case{"Midnight", "Deutsch.lng", "Midnight", "Deutsch.lng"},
                          Case{"../../../tmp/evil", "/etc/passwd", "Default", "English.lng"},
                          Case{"..", "..\\x.lng", "Default", "English.lng"}, Case{"", "", "Default", "English.lng"}}) {
        std::vector<std::string> lines(26, " 0 ");
        lines[9] = c.skin;
        lines[21] = c.language;
        MainOptions o = ParseMainOptions(TextLines(JoinLinesCrLf(lines)));
        EXPECT_EQ(o.skinName, c.expectedSkin) << c.skin;
        EXPECT_EQ(o.languageFile, c.expectedLanguage) << c.language;
    }
}

TEST(Skin, ListsDescriptorsWithTheirFirstLine) {
    TempDir dir;
    dir.write("pdskins/Midnight.pds", "Dark and quiet\r\nsecond line\r\n");
    dir.write("pdskins/Default.pds", "\xEF\xBB\xBFLight\n");
    dir.write("pdskins/Empty.pds", "");
    dir.write("pdskins/Upper.PDS", "Upper case extension");
    dir.write("pdskins/NoDescriptor/colors.txt", "255");
    dir.write("pdskins/notes.txt", "not a skin");
    dir.write("pdskins/.pds", "no name");
    std::filesystem::create_directories(dir.file("pdskins/Folder.pds"));

    std::vector<SkinEntry> skins = ListSkins(dir.file("pdskins"));
    EXPECT_EQ(
        skins,
        (std::vector<SkinEntry>{
            {"Default", "Light"}, {"Empty", ""}, {"Midnight", "Dark and quiet"}, {"Upper", "Upper case extension"}}));
    EXPECT_TRUE(ListSkins(dir.file("missing")).empty());
    EXPECT_EQ(ReadSkinDescription(dir.file("pdskins/none.pds")), "");
}

TEST(SkinColours, AFullListSetsEveryLine) {
    SkinColours c = ParseSkinColours(ColourList(FullColourList()));
    EXPECT_EQ(c.linesApplied, 22);
    EXPECT_EQ(c.titleText, 1000);
    EXPECT_EQ(c.gridForeColour, 5000);
    EXPECT_EQ(c.rowLineColour, "6000");
    EXPECT_EQ(c.monthGridText, 13000);
    EXPECT_EQ(c.hourLineColour, "14000");
    EXPECT_EQ(c.stretchLeftPanel, true);
    EXPECT_EQ(c.hintBackground, 16000);
    EXPECT_EQ(c.spanColour[0], "17000");
    EXPECT_EQ(c.spanColour[3], "20000");
    EXPECT_EQ(c.menuHighlight, 21000);
    EXPECT_EQ(c.menuText, 22000);
}

TEST(SkinColours, AShortListColoursOnlyItsLines) {
    std::vector<std::string> lines = FullColourList();
    lines.resize(10);
    SkinColours c = ParseSkinColours(ColourList(lines));
    EXPECT_EQ(c.linesApplied, 10);
    EXPECT_EQ(c.panelTitleText, 10000);
    EXPECT_EQ(c.rowLineColour, "6000");
    EXPECT_FALSE(c.commandText || c.clockHandColour || c.monthGridText || c.hourLineColour || c.stretchLeftPanel ||
                 c.hintBackground || c.menuHighlight || c.menuText);
    for (const auto& span : c.spanColour)
        EXPECT_FALSE(span);
}

TEST(SkinColours, TheFirstUnreadableColourEndsTheList) {
    struct Case {
        int line;
        std::string text;
        int applied;
    };
    for (const Case& c : {Case{3, "red", 2}, Case{1, "", 0}, Case{7, "255abc", 6}, Case{7, "16777216", 6},
                          Case{7, "-1", 6}, Case{7, "0x00FF", 6}, Case{15, "yes", 14}, Case{15, "", 14},
                          Case{22, "1.5", 21}, Case{6, "red", 22}, Case{17, "", 22}}) {
        std::vector<std::string> lines = FullColourList();
        lines[static_cast<std::size_t>(c.line - 1)] = c.text;
        SkinColours colours = ParseSkinColours(ColourList(lines));
        EXPECT_EQ(colours.linesApplied, c.applied) << "line " << c.line << " \"" << c.text << '"';
    }
    // Lines before the bad one stay applied; a colour-text line is kept as written.
    std::vector<std::string> lines = FullColourList();
    lines[5] = "red";
    lines[7] = "blue";
    SkinColours c = ParseSkinColours(ColourList(lines));
    EXPECT_EQ(c.rowLineColour, "red");
    EXPECT_EQ(c.yearText, 7000);
    EXPECT_FALSE(c.hintText);
}

TEST(SkinColours, LinesPastTwentyTwoAndStrayBlanksDoNotMatter) {
    std::vector<std::string> lines = FullColourList();
    lines[0] = "  255\t";
    lines.push_back("garbage");
    lines.push_back("");
    SkinColours c = ParseSkinColours("\xEF\xBB\xBF" + ColourList(lines));
    EXPECT_EQ(c.linesApplied, 22);
    EXPECT_EQ(c.titleText, 255);
    // Lone LF line ends and a missing final line end read the same.
    EXPECT_EQ(ParseSkinColours("1\n2\n3").linesApplied, 3);
}

TEST(SkinColours, TruthValuesOfLineFifteen) {
    struct Case {
        std::string_view text;
        std::optional<bool> value;
    };
    for (const Case& c :
         {Case{"True", true}, Case{"False", false}, Case{"TRUE", true}, Case{" false ", false}, Case{"1", true},
          Case{"0", false}, Case{"-1", true}, Case{"0.0", false}, Case{"2.5", true}, Case{"yes", std::nullopt},
          Case{"", std::nullopt}, Case{"1x", std::nullopt}, Case{"nan", std::nullopt}, Case{"--1", std::nullopt}})
        EXPECT_EQ(TruthValue(c.text), c.value) << c.text;
}

TEST(SkinColours, ValuesAreRedInTheLowByte) {
    EXPECT_EQ(ColourChannels(*ColourValue("255")), (Rgb{255, 0, 0}));
    EXPECT_EQ(ColourChannels(*ColourValue("65280")), (Rgb{0, 255, 0}));
    EXPECT_EQ(ColourChannels(*ColourValue("16711680")), (Rgb{0, 0, 255}));
    EXPECT_EQ(ColourChannels(*ColourValue("16777215")), (Rgb{255, 255, 255}));
}

TEST(SkinColours, AMissingListChangesNothingAndAnyBytesAreSafe) {
    TempDir dir;
    SkinColours missing = LoadSkinColours(dir.file("colors.txt"));
    EXPECT_EQ(missing.linesApplied, 0);
    EXPECT_FALSE(missing.titleText);
    for (unsigned seed = 0; seed < 300; ++seed) {
        SkinColours c = ParseSkinColours(test::RandomBytes(seed, 400));
        EXPECT_GE(c.linesApplied, 0);
        EXPECT_LE(c.linesApplied, 22);
    }
    // A list far larger than any skin needs is read only as far as its first lines.
    std::string huge = ColourList(FullColourList()) + std::string(200 * 1024, '7');
    EXPECT_EQ(LoadSkinColours(dir.write("big.txt", huge)).linesApplied, 22);
}

TEST(ShippedSkins, EachHasADescriptorAFullColourListAndEveryPicture) {
    std::vector<SkinEntry> skins = ListSkins(std::string(PLANDECK_DATA_DIR) + "/pdskins");
    ASSERT_GE(skins.size(), 2u);
    DataDirectory data(PLANDECK_DATA_DIR);
    EXPECT_EQ(Skin(data, MainOptions{}.skinName).name(), MainOptions{}.skinName);
    for (const SkinEntry& entry : skins) {
        SCOPED_TRACE(entry.name);
        EXPECT_FALSE(entry.description.empty());
        Skin skin(data, entry.name);
        ASSERT_EQ(skin.name(), entry.name);

        ReadResult list = ReadWholeFile(skin.colourList());
        ASSERT_TRUE(list.exists);
        EXPECT_EQ(TextLines(list.bytes).size(), 22u);
        SkinColours colours = ParseSkinColours(list.bytes);
        EXPECT_EQ(colours.linesApplied, 22);
        for (const auto* text : {&colours.rowLineColour, &colours.hourLineColour, &colours.spanColour[0],
                                 &colours.spanColour[1], &colours.spanColour[2], &colours.spanColour[3]})
            EXPECT_TRUE(text->has_value() && ColourValue(**text)) << text->value_or("(none)");

        for (const SkinPicture& p : kMainWindowPictures) {
            std::vector<std::string> files = skin.candidates(p);
            EXPECT_TRUE(std::any_of(files.begin(), files.end(), FileExists)) << p.element;
        }
        for (const StorePicture& p : kPictureStore)
            EXPECT_TRUE(FileExists(skin.file(p.file))) << p.file;
        for (const SkinPicture* p :
             {&kResizeGripPicture, &kWizardPicture, &kTodayWindowPicture, &kOptionsBackgroundPicture})
            for (const std::string& file : skin.candidates(*p))
                EXPECT_TRUE(FileExists(file)) << file;
        std::vector<std::string> preview = skin.previewCandidates();
        EXPECT_TRUE(std::any_of(preview.begin(), preview.end(), FileExists));
    }
}
