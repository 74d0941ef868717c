// The notes file under the week refresh: tiles stay inside their columns and never cover a note they
// overlap in time, and removing the damaged lines keeps every other line as it was, in its order.
#include "FuzzSupport.h"
#include "notes/Note.h"
#include "notes/NotesStore.h"
#include "notes/WeekRefresh.h"

#include <vector>

using namespace plandeck;
using plandeck::fuzz::Check;

namespace {

std::vector<std::string> Lines(const std::string& bytes) {
    return TextLines(bytes).toStrings();
}

// The rewrite rule drops empty lines before the first non-empty one; the rest must be there.
std::vector<std::string> WithoutLeadingEmpty(std::vector<std::string> lines) {
    std::size_t i = 0;
    while (i < lines.size() && lines[i].empty())
        ++i;
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(i));
    return lines;
}

std::vector<DayColumn> Columns(int days) {
    // 30 July .. 6 August 2005: two months in view, a Saturday first.
    const char* d[] = {"30", "31", "1", "2", "3", "4", "5", "6"};
    std::vector<DayColumn> cols;
    for (int j = 0; j < days; ++j)
        cols.push_back({d[j], j < 2 ? "7" : "8", "2005", "", (5 + j) % 7 + 1});
    return cols;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    // The first byte picks the view and the answer to the damaged-line question.
    const int days = data[0] % 8 + 1;
    const auto answer = static_cast<MalformedAnswer>((data[0] >> 3) % 3);
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string path = fuzz::WriteScratchFile("all.txt", bytes);

    std::vector<std::string> names(101), colours(101), shown(101, "1");
    names[0] = "Work";
    names[1] = "Home";
    colours[1] = bytes.substr(0, 12);
    shown[2] = "0";
    const std::vector<DayColumn> columns = Columns(days);
    const WeekView view = WeekView::Compute(708, 443, days, 8, 20);
    int asked = 0;
    WeekRefreshInput in{view, columns, names, colours, shown, [&](const DamagedLinesQuestion& q) {
                            ++asked;
                            Check(!q.listed.empty() && q.listed.size() <= DamagedLinesQuestion::ListedAtMost,
                                  "the question lists one to ten lines");
                            Check(q.moreCount >= 0, "a count of more lines is never negative");
                            return answer;
                        }};
    const WeekRefreshResult r = WeekRefresh(NotesStore(path), in);
    Check(asked <= 1, "one question per refresh at most");
    Check(r.tiles.size() <= 200, "at most 200 tiles");
    const float columnWidth = view.columnWidth;
    for (const NoteTile& t : r.tiles) {
        Check(t.column >= 0 && t.column < days, "a tile lies in a shown column");
        Check(t.shape.height >= 0 && t.shape.width > 0, "a tile has a size");
        const float left = (days == 1 ? 780 : 780 + t.column * 9600.0f / days) * static_cast<float>(view.hScale);
        Check(t.shape.left >= left - 1 && t.shape.right() <= (days == 1 ? 10380 : left + columnWidth) + 1,
              "a tile stays inside its column");
    }

    const std::string after = fuzz::ReadScratchFile(path);
    if (answer == MalformedAnswer::Remove && asked == 1 && r.saveErrors.empty()) {
        std::vector<std::string> expected;
        for (const std::string& line : Lines(bytes))
            if (ClassifyLine(line) != LineKind::Malformed)
                expected.push_back(line);
        Check(WithoutLeadingEmpty(Lines(after)) == WithoutLeadingEmpty(expected),
              "removing damaged lines keeps every other line, in order");
        for (const std::string& line : Lines(after))
            Check(ClassifyLine(line) != LineKind::Malformed, "no damaged line is left");
    } else {
        Check(after == bytes, "the file is only written when the user says so");
    }
    return 0;
}
