#include "settings/LanguageTable.h"

#include "settings/LanguageEntries.h"

#include "base/DataDirectory.h"
#include "base/TextFile.h"

#include <span>

namespace plandeck {

namespace {

const std::string kEmpty;

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Entries the program never shows.
bool IsUnusedEntry(int n) {
    switch (n) {
    case 1:
    case 13:
    case 14:
    case 15:
    case 100:
    case 107:
    case 141:
    case 145:
    case 150:
        return true;
    default:
        // The last lines of the original table are empty; the entries after it are the program's own.
        return n >= 167 && n <= 170;
    }
}

// The main window's captions that come straight from the table: control and entry.
struct CaptionSource {
    const char* control;
    int entry;
};
constexpr CaptionSource kMainWindowCaptions[] = {
    {"Label42", 2},    {"Label26", 3},    {"Label23", 4},    {"Label31", 5},    {"Label24", 6},
    {"Label25", 7},    {"Label27", 8},    {"Label28", 16},   {"Label6(0)", 17}, {"Label6(1)", 18},
    {"Label6(2)", 19}, {"Label6(3)", 20}, {"Label6(4)", 21}, {"Label6(5)", 22}, {"Label6(6)", 23},
};
// The category panel's two buttons.
constexpr CaptionSource kPanelCaptions[] = {{"Label9", Entry::AddCategoryCaption},
                                            {"Label13", Entry::DeleteCategoryCaption}};

} // namespace

LanguageTable LanguageTable::FromBytes(std::string_view bytes) {
    LanguageTable table;
    table.m_fileFound = true;
    if (bytes.starts_with(kUtf8ByteOrderMark))
        bytes.remove_prefix(kUtf8ByteOrderMark.size());
    const char* end = bytes.data() + bytes.size();
    ForEachLine(bytes, [&](std::string_view line) {
        // A CR belongs to the line end, also on a last line whose LF went missing.
        if (line.data() + line.size() == end && line.ends_with('\r'))
            line.remove_suffix(1);
        table.m_entries[static_cast<std::size_t>(++table.m_lineCount)] = std::string(line);
        return table.m_lineCount < EntryCount;
    });
    return table;
}

LanguageTable LanguageTable::Load(const std::string& path) {
    ReadResult file = ReadWholeFile(path);
    if (!file.exists)
        return {};
    return FromBytes(file.bytes);
}

std::string LanguageTable::FilePath(const DataDirectory& dataDirectory, const std::string& fileName) {
    return dataDirectory.languageFolder() + "/" + fileName;
}

bool LanguageTable::hasUsedEntry() const {
    for (int n = 1; n <= m_lineCount; ++n)
        if (!IsUnusedEntry(n) && !m_entries[static_cast<std::size_t>(n)].empty())
            return true;
    return false;
}

const std::string& LanguageTable::entry(int n) const {
    if (n < 1 || n > EntryCount)
        return kEmpty;
    return m_entries[static_cast<std::size_t>(n)];
}

const std::string& LanguageTable::monthName(int month) const {
    return month >= 1 && month <= 12 ? entry(MonthNameBase + month) : kEmpty;
}

const std::string& LanguageTable::monthNameAfterDay(int month) const {
    if (month < 1 || month > 12)
        return kEmpty;
    // A language file from before these entries names the month as it stands alone.
    const std::string& afterDay = entry(Entry::FirstMonthAfterDay + month - 1);
    return afterDay.empty() ? monthName(month) : afterDay;
}

const std::string& LanguageTable::monthShortName(int month) const {
    return month >= 1 && month <= 12 ? entry(MonthShortNameBase + month) : kEmpty;
}

const std::string& LanguageTable::weekdayName(int weekday) const {
    return weekday >= 1 && weekday <= 7 ? entry(WeekdayNameBase + weekday) : kEmpty;
}

const std::string& LanguageTable::columnWeekdayName(int weekday) const {
    return weekday >= 1 && weekday <= 7 ? entry(ColumnWeekdayBase + weekday) : kEmpty;
}

const std::string& LanguageTable::gridWeekdayHeading(int column) const {
    return column >= 0 && column <= 6 ? entry(FirstGridWeekdayHeading + column) : kEmpty;
}

bool IsUsedLanguageEntry(int n) {
    return n >= 1 && n <= Entry::LastShipped && !IsUnusedEntry(n);
}

std::vector<ControlCaption> MainWindowCaptions(const LanguageTable& language) {
    std::vector<ControlCaption> captions;
    for (const auto& sources :
         {std::span<const CaptionSource>(kMainWindowCaptions), std::span<const CaptionSource>(kPanelCaptions)})
        for (const CaptionSource& source : sources)
            if (source.entry <= language.lineCount())
                captions.push_back({source.control, language.entry(source.entry)});
    return captions;
}

std::optional<std::vector<ControlCaption>> ApplyLanguageCaptions(const std::string& path) {
    LanguageTable language = LanguageTable::Load(path);
    if (!language.fileFound())
        return std::nullopt;
    return MainWindowCaptions(language);
}

std::string ReplacePlaceholder(std::string_view text, std::string_view value) {
    std::string out;
    bool replaced = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '1') {
            out += value;
            replaced = true;
            ++i;
        } else {
            out += text[i];
        }
    }
    if (!replaced)
        (out += out.empty() ? "" : " ") += value;
    return out;
}

void FillNamed(std::string& text, std::string_view name, std::string_view value) {
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + value.size()))
        text.replace(at, name.size(), value);
}

} // namespace plandeck
