#include "notes/Note.h"

#include <gtest/gtest.h>

using namespace plandeck;

TEST(HexToNumber, ReadsDayCodesAndTreatsOtherCharactersAsZero) {
    struct Case {
        const char* digits;
        std::int64_t value;
    };
    for (const Case& c : {Case{"A", 10}, Case{"0A", 10}, Case{"10", 16}, Case{"1F", 31}, Case{"1f", 31}, Case{"24", 36},
                          Case{"9E", 158}, Case{"", 0}, Case{"G", 0}, Case{"y1", 1}})
        EXPECT_EQ(HexToNumber(c.digits), c.value) << c.digits;
    // A long run of digits must not overflow into undefined behaviour.
    EXPECT_NO_FATAL_FAILURE(HexToNumber(std::string(200, 'F')));
}

TEST(BinaryDigits, PadsToWidthAndKeepsLongValuesWhole) {
    EXPECT_EQ(BinaryDigits(5, 7), "0000101");
    EXPECT_EQ(BinaryDigits(0, 7), "0000000");
    EXPECT_EQ(BinaryDigits(127, 7), "1111111");
    EXPECT_EQ(BinaryDigits(200, 7), "11001000");
    EXPECT_EQ(BinaryDigits(-3, 7), "0000000");
}

TEST(Note, DecodesTheDocumentedExamples) {
    auto meeting = Note::Decode("2005071F09301100dMeeting");
    ASSERT_TRUE(meeting);
    EXPECT_EQ(meeting->year, "2005");
    EXPECT_EQ(meeting->month, "7");
    EXPECT_EQ(meeting->dayCode, "1F");
    EXPECT_EQ(meeting->dayValue(), 31);
    EXPECT_TRUE(meeting->isDayOfMonth());
    EXPECT_EQ(meeting->startHour, 9);
    EXPECT_EQ(meeting->startMinute, 30);
    EXPECT_EQ(meeting->endHour, 11);
    EXPECT_EQ(meeting->endMinuteText, "00");
    EXPECT_EQ(meeting->category, 0);
    EXPECT_EQ(meeting->text, "Meeting");

    auto daily = Note::Decode("yyyyyyyy08001000eDaily stand-up");
    ASSERT_TRUE(daily);
    EXPECT_TRUE(daily->everyYear() && daily->everyMonth() && daily->everyDay());
    EXPECT_EQ(daily->category, 1);
    EXPECT_EQ(daily->text, "Daily stand-up");

    auto weekly = Note::Decode("yyyyyy2408000900dMon and Wed");
    ASSERT_TRUE(weekly);
    EXPECT_TRUE(weekly->isWeekly());
    EXPECT_EQ(weekly->weekdayMask(), 5);
    EXPECT_EQ(BinaryDigits(weekly->weekdayMask(), 7), "0000101");
}

TEST(Note, ClassifiesLinesByLength) {
    EXPECT_EQ(ClassifyLine(""), LineKind::Ignored);
    EXPECT_EQ(ClassifyLine("x"), LineKind::Ignored);
    EXPECT_EQ(ClassifyLine("xy"), LineKind::Malformed);
    EXPECT_EQ(ClassifyLine("2005071F09301100"), LineKind::Malformed);
    EXPECT_EQ(ClassifyLine("2005071F09301100d"), LineKind::Note);
    EXPECT_FALSE(Note::Decode("2005071F09301100"));
    auto empty = Note::Decode("2005071F09301100d");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->text, "");
}

TEST(Note, HandEditedFieldsGiveHarmlessValues) {
    // Hours that are not numbers read as 0; a category byte outside 100..200 is an unknown category;
    // a day code above 158 is neither a day of the month nor a weekly note.
    auto n = Note::Decode("2005xyA0zz30zz00\xff"
                          "text");
    ASSERT_TRUE(n);
    EXPECT_EQ(n->startHour, 0);
    EXPECT_EQ(n->endHour, 0);
    EXPECT_FALSE(n->hasKnownCategory());
    EXPECT_FALSE(n->isDayOfMonth());
    EXPECT_FALSE(n->isWeekly());
    auto low = Note::Decode("2005071F09301100\x05text");
    ASSERT_TRUE(low);
    EXPECT_FALSE(low->hasKnownCategory());
}

TEST(Note, EncodesWithZeroPaddingAndRoundTrips) {
    Note n;
    n.year = "2026";
    n.month = "3";
    n.dayCode = DayCodeForDayOfMonth(10);
    n.startHour = 8;
    n.startMinute = 5;
    n.endHour = 17;
    n.endMinute = 0;
    n.category = 100;
    n.text = "Dentist";
    EXPECT_EQ(n.encode(), "2026030A08051700\xc8"
                          "Dentist");
    EXPECT_EQ(DayCodeForWeekdays(5), "24");
    EXPECT_EQ(CategoryChar(0), 'd');

    for (const char* line : {"2005071F09301100dMeeting", "yyyyyyyy08001000eDaily stand-up",
                             "yyyyyy7F12301400fWeekend lunch", "yyyy122418002200fEve", "2026120710001100d"}) {
        auto decoded = Note::Decode(line);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->encode(), line);
    }
}

TEST(HexPairValue, AgreesWithTheReadersRuleForEveryTwoBytes) {
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b) {
            const char field[2] = {static_cast<char>(a), static_cast<char>(b)};
            ASSERT_EQ(HexPairValue(field[0], field[1]), HexToNumber(DecodeField(std::string_view(field, 2))))
                << a << " " << b;
        }
}
