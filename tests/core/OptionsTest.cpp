#include "settings/Options.h"
#include "base/DataDirectory.h"
#include "base/NumberForm.h"
#include "support/TempDir.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace plandeck;
using plandeck::test::TempDir;

namespace {

std::string Lines(std::initializer_list<std::string> lines) {
    return JoinLinesCrLf(lines);
}

MainOptions Parse(const std::string& bytes) {
    return ParseMainOptions(TextLines(bytes));
}

} // namespace

TEST(NumberForm, ReadsNumericPrefixes) {
    struct Case {
        const char* text;
        double value;
    };
    for (const Case& c : {Case{" 1 ", 1}, Case{"1.5", 1.5}, Case{"08", 8}, Case{"0A", 0}, Case{"", 0}, Case{"abc", 0},
                          Case{"-3 ", -3}, Case{"  9.5 ", 9.5}, Case{".5", 0.5}, Case{"7.", 7}, Case{"1.2.3", 1.2},
                          Case{"+4", 4}, Case{"-", 0}, Case{"5x7", 5}})
        EXPECT_DOUBLE_EQ(NumericValue(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(IntegerValue("2.5"), 2);
    EXPECT_EQ(IntegerValue("3.5"), 4);
    EXPECT_EQ(IntegerValue("-2.5"), -2);
    EXPECT_EQ(IntegerValue(std::string(400, '9')), std::numeric_limits<int>::max());
}

TEST(NumberForm, FlagIsOnOnlyForExactlyOne) {
    EXPECT_TRUE(FlagValue(" 1 "));
    EXPECT_TRUE(FlagValue("1"));
    EXPECT_TRUE(FlagValue("1.0"));
    for (const char* off : {"", " 0 ", "1.5", "2", "-1", "yes", "01x"})
        EXPECT_EQ(FlagValue(off), std::string(off) == "01x") << off;
}

TEST(NumberForm, WritesBlanksAroundDigits) {
    EXPECT_EQ(NumberForm(1), " 1 ");
    EXPECT_EQ(NumberForm(0), " 0 ");
    EXPECT_EQ(NumberForm(-3), "-3 ");
    EXPECT_EQ(NumberForm(9.5), " 9.5 ");
    EXPECT_EQ(NumberForm(16500), " 16500 ");
    EXPECT_EQ(NumberForm(1e20), " 100000000000000000000 ");
}

TEST(Options, ShippedFilesRoundTripByteForByte) {
    for (const char* name : {"pdopt.ini", "sys.ini"}) {
        ReadResult shipped = ReadWholeFile(std::string(PLANDECK_DATA_DIR) + "/pdfiles/" + name);
        ASSERT_TRUE(shipped.exists) << name;
        std::string again = std::string(name) == "sys.ini"
                                ? FormatSystemOptions(ParseSystemOptions(TextLines(shipped.bytes)))
                                : FormatMainOptions(ParseMainOptions(TextLines(shipped.bytes)));
        EXPECT_EQ(again, shipped.bytes) << name;
    }
    // The shipped defaults are the documented ones.
    MainOptions shipped = LoadMainOptions(std::string(PLANDECK_DATA_DIR) + "/pdfiles/pdopt.ini");
    EXPECT_EQ(shipped.snapMinutes, 5);
    EXPECT_EQ(shipped.configuredDays, 3);
    EXPECT_EQ(shipped.firstHour, 8);
    EXPECT_EQ(shipped.lastHour, 20);
    EXPECT_EQ(shipped.categoryShownFlags, std::string(101, '1'));
    EXPECT_EQ(shipped.notesFilePath, "");
}

TEST(Options, MaximisedWindowIsStoredAsMaxTwice) {
    MainOptions o;
    o.maximised = true;
    std::string text = FormatMainOptions(o);
    TextLines lines(text);
    ASSERT_EQ(lines.size(), 26u);
    EXPECT_EQ(lines.line(18), "max");
    EXPECT_EQ(lines.line(19), "max");
    EXPECT_TRUE(Parse(text).maximised);
    // "max" is compared exactly; anything else is a number.
    MainOptions upper =
        Parse(Lines({" 0 ", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "MAX", " 7000 "}));
    EXPECT_FALSE(upper.maximised);
    EXPECT_EQ(upper.windowHeight, 0);
    EXPECT_EQ(upper.windowWidth, 7000);
}

TEST(Options, MissingOrShortFilesTakeTheDefaults) {
    EXPECT_EQ(Parse(""), MainOptions{});
    EXPECT_EQ(ParseSystemOptions(TextLines("")), SystemOptions{});
    MainOptions ten = Parse(Lines(
        {" 1 ", "not used", "not used", "not used", "not used", "not used", "not used", "not used", "0101", "Dark"}));
    EXPECT_TRUE(ten.keepCategoryFilter);
    EXPECT_EQ(ten.skinName, "Dark");
    EXPECT_EQ(ten.snapMinutes, 5);
    EXPECT_EQ(ten.languageFile, "English.lng");
    SystemOptions two = ParseSystemOptions(TextLines(Lines({" 1 ", " 0 "})));
    EXPECT_TRUE(two.startAtLogon);
    EXPECT_FALSE(two.useTrayIcon);
    EXPECT_TRUE(two.reminderSound);
    TempDir dir;
    EXPECT_EQ(LoadMainOptions(dir.file("none.ini")), MainOptions{});
}

TEST(Options, ValuesThatWouldBreakTheGridFallBack) {
    auto withLines = [](const std::string& snap, const std::string& days, const std::string& first,
                        const std::string& last) {
        std::vector<std::string> l(26, " 0 ");
        l[20] = snap;
        l[22] = days;
        l[23] = first;
        l[24] = last;
        return ParseMainOptions(TextLines(JoinLinesCrLf(l)));
    };
    MainOptions bad = withLines(" 61 ", "40", "x", "-2");
    EXPECT_EQ(bad.snapMinutes, 5);
    EXPECT_EQ(bad.configuredDays, 3);
    EXPECT_EQ(bad.firstHour, 8);
    EXPECT_EQ(bad.lastHour, 20);
    MainOptions inverted = withLines(" 15 ", " 8 ", " 20 ", " 9 ");
    EXPECT_EQ(inverted.snapMinutes, 15);
    EXPECT_EQ(inverted.configuredDays, 8);
    EXPECT_EQ(inverted.firstHour, 8);
    EXPECT_EQ(inverted.lastHour, 20);
    MainOptions ok = withLines(" 60 ", " 1 ", " 6 ", " 24 ");
    EXPECT_EQ(ok.snapMinutes, 60);
    const MainOptions noSnapping = withLines(" 0 ", " 3 ", " 8 ", " 20 ");
    EXPECT_EQ(noSnapping.snapMinutes, 0);
    // The options window shows it as the other step that snaps nothing, so it can still be saved.
    EXPECT_EQ(FieldsFromOptions(noSnapping, SystemOptions{}).snapText, "1");
    EXPECT_EQ(ok.firstHour, 6);
    EXPECT_EQ(ok.lastHour, 24);
}

TEST(SaveOptions, WritesFieldsAndModuleStateInTheirLines) {
    MainOptions defaults;
    OptionsWindowFields f = FieldsFromOptions(defaults, SystemOptions{});
    f.spanText[3] = "7";  // span 0 start hour
    f.spanText[15] = "5"; // span 3 end minute
    f.spanEnabled = {true, false, true, false};
    f.snapText = " 15 ";
    f.fontSize = 10.5;
    OptionsModuleState s = ModuleStateFromOptions(defaults);
    s.categoryShown[1] = "0";
    s.skinName = "Dark";
    s.windowHeight = 9000;
    s.windowWidth = 12000;
    s.notesPath = "/home/me/notes.txt";

    TextLines lines(SaveOptionsText(f, s));
    ASSERT_EQ(lines.size(), 26u);
    EXPECT_EQ(lines.line(1), "not used");
    EXPECT_EQ(lines.line(8), "1" + std::string("0") + std::string(99, '1'));
    EXPECT_EQ(lines.line(9), "Dark");
    EXPECT_EQ(lines.line(12), "07000800080008001600160016001605");
    EXPECT_EQ(f.spanText[3], "07"); // the window shows what was saved
    EXPECT_EQ(lines.line(14), "1010");
    EXPECT_EQ(lines.line(16), " 10.5 ");
    EXPECT_EQ(lines.line(18), " 9000 ");
    EXPECT_EQ(lines.line(19), " 12000 ");
    EXPECT_EQ(lines.line(20), " 15 ");
    EXPECT_EQ(lines.line(25), "/home/me/notes.txt");
}

TEST(Options, WorkSpansLineIsAlwaysSixteenTwoDigitFields) {
    struct Case {
        const char* what;
        std::string line13;
        std::string read;
    };
    const std::string defaults = "08000800080008001600160016001600";
    const Case cases[] = {
        {"as saved", "09151000110012001730180019002000", "09151000110012001730180019002000"},
        // An emptied start minute of span 1 was once saved as nothing: every later field shifted.
        {"two characters short", "091510110012001730180019002000", defaults},
        {"one field not a number", "09151000xx0012001730180019002000", "09151000080012001730180016002000"},
        {"an end field blank", "0915100011001200173018 019002000", "09150800110012001730160019002000"},
        {"empty", "", defaults},
        {"too long", defaults + "00", defaults},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines(26, " 0 ");
        lines[12] = c.line13;
        const MainOptions read = ParseMainOptions(TextLines(JoinLinesCrLf(lines)));
        EXPECT_EQ(read.workSpans, c.read) << c.what;
    }

    // The writer gives every field two characters, whatever a field holds.
    OptionsWindowFields f = FieldsFromOptions(MainOptions{}, SystemOptions{});
    f.spanText[1] = "";   // span 1 start minute, emptied
    f.spanText[10] = "x"; // span 2 start hour
    f.spanText[5] = "9";  // span 0 end hour
    f.spanText[16] = "123";
    const TextLines saved(SaveOptionsText(f, ModuleStateFromOptions(MainOptions{})));
    EXPECT_EQ(saved.line(12), "08000800080008000900160016001600");
    EXPECT_EQ(f.spanText[1] + f.spanText[10] + f.spanText[5], "000809") << "the window shows what was saved";
}

TEST(Options, CategoryFilterAppliesOnlyWhenAskedFor) {
    MainOptions o;
    o.categoryShownFlags = "101";
    std::vector<std::string> all = StartupCategoryFlags(o);
    EXPECT_EQ(all, std::vector<std::string>(101, "1"));
    o.keepCategoryFilter = true;
    std::vector<std::string> kept = StartupCategoryFlags(o);
    EXPECT_EQ(kept[0], "1");
    EXPECT_EQ(kept[1], "0");
    EXPECT_EQ(kept[2], "1");
    EXPECT_EQ(kept[3], "");
    // The filter of the last run is still written back even when it is not applied at start-up; a flag the
    // short line did not give was hidden, and is written so.
    o.keepCategoryFilter = false;
    OptionsWindowFields f = FieldsFromOptions(o, SystemOptions{});
    EXPECT_EQ(TextLines(SaveOptionsText(f, ModuleStateFromOptions(o))).line(8), "101" + std::string(98, '0'));
}

TEST(Options, CategoryFilterLineIsAlwaysOneFlagPerCategory) {
    // Whatever the flags hold, line 9 has 101 characters of "1" or "0", so no category takes its
    // neighbour's flag at the next start; an empty or odd flag is hidden, as the panel showed it.
    std::vector<std::string> flags(101, "1");
    flags[3] = "";
    flags[4] = "2";
    flags[5] = " 1 ";
    flags[6] = "0";
    flags[7] = "10";
    OptionsWindowFields f = FieldsFromOptions(MainOptions{}, SystemOptions{});
    OptionsModuleState state = ModuleStateFromOptions(MainOptions{});
    state.categoryShown = flags;
    const std::string line9(TextLines(SaveOptionsText(f, state)).line(8));
    ASSERT_EQ(line9.size(), 101u);
    EXPECT_EQ(line9.substr(0, 10), "1110010011");
    EXPECT_EQ(line9.find_first_not_of("01"), std::string::npos);

    // A restart with a short line 9: the flags read, saved and read again stay on their categories.
    MainOptions o;
    o.keepCategoryFilter = true;
    o.categoryShownFlags = "1101";
    state.categoryShown = StartupCategoryFlags(o);
    const MainOptions next = ParseMainOptions(TextLines(SaveOptionsText(f, state)));
    MainOptions restarted;
    restarted.keepCategoryFilter = true;
    restarted.categoryShownFlags = next.categoryShownFlags;
    const std::vector<std::string> again = StartupCategoryFlags(restarted);
    for (std::size_t i = 0; i < 101; ++i)
        EXPECT_EQ(FlagValue(again[i]), i < 4 ? o.categoryShownFlags[i] == '1' : false) << i;
}

TEST(Options, NotesPathFallsBackToTheDefaultFile) {
    TempDir dir;
    DataDirectory data(dir.path() + "/");
    EXPECT_EQ(data.resolveNotesFile(""), dir.path() + "/pdnotes/all.txt");
    EXPECT_EQ(data.resolveNotesFile(dir.file("gone.txt")), dir.path() + "/pdnotes/all.txt");
    std::string mine = dir.write("elsewhere/mine.txt", "");
    EXPECT_EQ(data.resolveNotesFile(mine), mine);
    EXPECT_EQ(data.resolveNotesFile(dir.path()), dir.path() + "/pdnotes/all.txt"); // a folder is no notes file
}

TEST(Options, AnyBytesGiveUsableOptions) {
    for (unsigned seed = 0; seed < 500; ++seed) {
        std::string bytes = test::RandomBytes(seed, 600);
        MainOptions o = ParseMainOptions(TextLines(bytes));
        EXPECT_GE(o.snapMinutes, 0);
        EXPECT_LE(o.snapMinutes, 60);
        EXPECT_GE(o.configuredDays, 1);
        EXPECT_LE(o.configuredDays, 8);
        EXPECT_LT(o.firstHour, o.lastHour);
        EXPECT_GT(o.tileFontSize, 0);
        // Saving what was read and reading it back changes nothing more.
        const std::string once = FormatMainOptions(o);
        EXPECT_EQ(TextLines(once).line(12).size(), 32u) << "seed " << seed;
        EXPECT_EQ(FormatMainOptions(ParseMainOptions(TextLines(once))), once) << "seed " << seed;
        ParseSystemOptions(TextLines(bytes));
    }
}

TEST(Options, HugeNumbersAreClampedBeforeTheyAreConverted) {
    struct Case {
        const char* line18;
        long colour;
    };
    const Case cases[] = {{"99999999999999999999", 0xFFFFFF},
                          {"-99999999999999999999", 0},
                          {" 255 ", 255},
                          {"1e400", 1},
                          {"16777216", 0xFFFFFF}};
    for (const Case& c : cases) {
        std::vector<std::string> lines(26, " 0 ");
        lines[17] = c.line18;
        EXPECT_EQ(ParseMainOptions(TextLines(JoinLinesCrLf(lines))).tileForeColor, c.colour) << c.line18;
    }
}

TEST(SaveOptions, AFileThatCannotBeReadIsNeverWrittenOver) {
    TempDir dir;
    const std::string path = dir.write("pdopt.ini", FormatMainOptions(MainOptions{}));
    const std::string before = dir.read("pdopt.ini");
    SetReadFunctionForTesting([](int, void*, std::size_t) -> ssize_t {
        errno = EIO;
        return -1;
    });
    MainOptionsRead read = ReadMainOptions(path);
    OptionsWindowFields fields = FieldsFromOptions(read.options, SystemOptions{});
    OptionsModuleState state = ModuleStateFromOptions(read.options);
    state.skinName = "Changed";
    WriteResult saved = SaveOptions(path, fields, state);
    WriteResult system = WriteSystemOptions(path, SystemOptions{});
    SetReadFunctionForTesting(nullptr);
    EXPECT_EQ(read.status, ReadStatus::Failed);
    EXPECT_FALSE(saved.ok);
    EXPECT_NE(saved.error.find("pdopt.ini"), std::string::npos);
    EXPECT_FALSE(system.ok);
    EXPECT_EQ(dir.read("pdopt.ini"), before);
    // A missing file is simply written.
    EXPECT_TRUE(SaveOptions(dir.file("new.ini"), fields, state).ok);
}

TEST(Options, DeleteConfirmationFromOptionLineTwelve) {
    TempDir dir;
    const std::string eleven = " 0 \r\n \r\n \r\n \r\n \r\n \r\n \r\n \r\n111\r\nDefault\r\n 0 \r\n";
    struct Case {
        std::string line12;
        DeleteConfirmation expected;
    };
    const Case cases[] = {
        {" 0 ", DeleteConfirmation::DeleteAtOnce}, {" 1 ", DeleteConfirmation::Ask},
        {" 2 ", DeleteConfirmation::Never},        {"1.5", DeleteConfirmation::Never},
        {"yes", DeleteConfirmation::DeleteAtOnce}, // not a number: reads 0
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadDeleteConfirmation(dir.write("pdopt.ini", eleven + c.line12 + "\r\n")), c.expected) << c.line12;
    EXPECT_EQ(ReadDeleteConfirmation(dir.file("missing.ini")), DeleteConfirmation::DeleteAtOnce);
}
