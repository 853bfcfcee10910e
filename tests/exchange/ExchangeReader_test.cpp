#include "exchange/ExchangeReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

#include "ExchangeGenerator.h"
#include "TempFolder.h"
#include "TestSupport.h"
#include "base/File.h"
#include "base/Sjis.h"
#include "base/Text.h"
#include "exchange/SolidAnalysis.h"
#include "host/JwRegistry.h"
#include "model/Quantities.h"

namespace {

// What each kind of mode asks of the reading, by the modes' words: new and previous areas,
// the rewrites (M3, M4, M5), table creation and external layer names.
const std::map<std::string, ReadOptions, std::less<>> kModes = {
    {"C2", {.measuresAreas = true}}, {"C1", {.measuresAreas = true, .keepsRows = true}},
    {"M3", {.rewritesSolids = true}}, {"M6", {.stopsAtHash = true}}, {"M7", {.readsLayerNames = true}},
};

struct Loaded {
    ReadOutcome outcome = ReadOutcome::Finished;
    Table table{};
    Drawing drawing{};
    RecordingNotifier notifier{};
};

// Reads as the load step does with the program's pen colours without a registry, the rows'
// units and quantities included (unit "m^2,1", rounding "2").
Loaded Load(std::string bytes, const ReadOptions& reading = kModes.at("C2"), Table table = {}) {
    static const JwSettings jw = ReadPenColours(*NoRegistry());
    Loaded r{.table = std::move(table)};
    ReadOptions options = reading;
    options.pens = &jw.pens;
    r.outcome = ReadExchange(std::move(bytes), options, r.table, r.drawing, r.notifier);
    if (r.outcome == ReadOutcome::Finished && !options.readsLayerNames) {
        ApplyDefaultUnit(r.table, "m^2,1");
        ShowQuantities(r.table, "2");
    }
    return r;
}

// UTF-8 text with control characters and a blank at the end shown as \xNN.
std::string Shown(std::string_view utf8) {
    std::string out;
    for (char c : utf8)
        out += static_cast<unsigned char>(c) >= 0x20 ? std::string(1, c) : "\\x" + std::string(1, "01"[c >> 4]) +
                                                                                 "0123456789ABCDEF"[c & 0xF];
    return out.ends_with(' ') ? out.substr(0, out.size() - 1) + "\\x20" : out;
}

std::string Number(double value) {
    char buf[32];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, value).ptr);
}

// Everything the reading leaves, one fact a line: the outcome, the messages, the attribute
// state, the header arrays read, the title, the solids left out, each row that is not as new
// with its kept records, the measured solids in reading order and the other lines.
std::string Summary(const Loaded& r) {
    const char* outcomes[] = {"Finished", "MissingFile", "ColourLimit", "StoppedAtHash", "EndProgram"};
    const char* icons[] = {"None", "Critical", "Exclamation", "Information", "Question"};
    const Drawing& d = r.drawing;
    const Attributes& a = d.attributes;
    std::ostringstream s;
    s << outcomes[static_cast<int>(r.outcome)] << ", first free row " << r.table.firstFreeRow << ", current row "
      << d.currentRow << (d.hasRoundFigures ? ", round figures" : "") << "\n";
    for (const Message& m : r.notifier.messages)
        s << "message " << icons[static_cast<int>(m.icon)] << ": " << Shown(m.text) << "\n";
    s << "attributes: lg \"" << a.layerGroup << "\" " << a.groupScale << " ly \"" << a.layer << "\" lc \""
      << Shown(a.colourCode) << "\" " << a.colour << " lt \"" << a.lineType << "\" cn \"" << a.textType << "\"\n";
    for (const HeaderArray* h : {&d.groupScales, &d.textWidths, &d.textHeights, &d.textSpacings, &d.textColours}) {
        std::string fields;
        for (const std::string& field : *h)
            fields += field + "|";
        if (!(*h)[0].empty())
            s << fields.substr(0, fields.find_last_not_of('|') + 1) << "\n";
    }
    s << "title \"" << Shown(d.savedTitle) << "\", box " << (d.titleBox ? "\"" + Shown(*d.titleBox) + "\"" : "none")
      << "\nleft out " << d.leftOutSolids << " solids of";
    for (SolidColour c : d.leftOutColours)
        s << " " << c;
    for (int i = 1; i <= kRowCount; ++i) {
        TableRow row = r.table.Row(i);
        if (i >= r.table.firstFreeRow && row.colour == 0 && row.newColour == 0 && row.name.empty() &&
            row.quantity.empty() && row.unitEntry.empty() && row.records.Empty() && !row.area && row.solidCount == 0)
            continue;
        s << "\nrow " << i << ": " << row.colour << "/" << row.newColour << " x" << row.solidCount << " "
          << (row.area ? Number(*row.area) : "no area") << " \"" << row.quantity << "\" \"" << row.unitEntry << "\" "
          << row.factor << (row.name.empty() ? "" : " \"" + Shown(row.name) + "\"");
        const char* lists[] = {"sl4", "sl", "sc", "se", "so", "sg"};
        for (int list = 0; list < 6; ++list)
            for (LineRef line : ListOf(row.records, static_cast<RecordList>(list)))
                s << "\n  " << lists[list] << ": " << Shown(sjis::Decode(d.Text(line)));
    }
    s << "\nmeasured:";
    for (const MeasuredSolid& m : MeasuredSolids(r.table, d))
        s << " " << Number(m.area);
    d.otherLines.ForEach(d.bytes, [&](std::string_view line) { s << "\n|" << Shown(sjis::Decode(line)); });
    return s.str() + "\n";
}

// tests/exchange/reading.cases: after "=== name: mode [file]" (mode: a key of kModes, with
// "+previous" to start from a table read before: red with the unit ",3", then green) the
// input, a file of tests/data or else the lines up to "---" (UTF-8, written in code page 932
// with CR LF; "\x20" a blank), then the summary.
TEST(ExchangeReader, CasesGiveTheirSummaries) {
    const std::string cases = file::Read(VEMORA_EXCHANGE_CASES).value_or("");
    int count = 0;
    for (std::size_t at = cases.find("\n=== "), next; at != std::string::npos; at = next, ++count) {
        next = cases.find("\n=== ", at + 1);
        const std::string block = cases.substr(at + 5, next - at - 5);  // to the end for the last
        std::size_t colon = block.find(':'), eol = block.find('\n'), dashes = block.find("\n---\n");
        std::istringstream words(block.substr(colon + 1, eol - colon));
        std::string mode, fixture, input;
        words >> mode >> fixture;
        if (!fixture.empty())
            input = file::Read(VEMORA_TEST_DATA "/" + fixture).value_or("<missing>");
        for (std::string_view line : text::SplitLines(std::string_view(block).substr(eol + 1, dashes - eol)))
            input += sjis::Encode(line.ends_with("\\x20") ? std::string(line.substr(0, line.size() - 4)) + " " : line) +
                     "\r\n";
        Table table;
        if (mode.ends_with("+previous")) {
            table.firstFreeRow = 3;
            PaintRow(table.Row(1), 255);
            PaintRow(table.Row(2), 65280);
            SetUnitEntry(table.Row(1), ",3", "2");
        }
        EXPECT_EQ(Summary(Load(input, kModes.at(mode.substr(0, mode.find('+'))), table)), block.substr(dashes + 5))
            << block.substr(0, colon);
    }
    EXPECT_EQ(count, 51);
}

TEST(ExchangeReader, EveryLineIsKeptByteForByte) {
    // A generated drawing with Shift_JIS texts: each line after the first is either an
    // "lc10 " record or, with its own bytes, in the kept lines or in one row's lists.
    GeneratedExchange generated = GenerateExchange({.solids = 5000, .colours = 16, .seed = 7});
    Loaded r = Load(generated.bytes, kModes.at("M3"));
    ASSERT_EQ(r.outcome, ReadOutcome::Finished);
    std::multiset<std::string_view> kept;
    r.drawing.otherLines.ForEach(r.drawing.bytes, [&](std::string_view line) {
        if (!line.empty())
            kept.insert(line);
    });
    for (int i = 1; i < r.table.firstFreeRow; ++i) {
        RowRecords& rec = r.table.Row(i).records;
        for (int list = 0; list < 6; ++list)
            for (LineRef line : ListOf(rec, static_cast<RecordList>(list)))
                kept.insert(r.drawing.Text(line));
        EXPECT_TRUE(std::is_sorted(rec.sl.begin(), rec.sl.end(), [](LineRef a, LineRef b) { return a.offset < b.offset; }));
    }
    std::multiset<std::string_view> expected;
    std::string_view bytes = r.drawing.bytes;
    bytes.remove_prefix(bytes.find("\r\n") + 2);
    for (std::size_t end; (end = bytes.find("\r\n")) != std::string_view::npos; bytes.remove_prefix(end + 2))
        if (!bytes.starts_with("lc10 "))
            expected.insert(bytes.substr(0, end));
    EXPECT_EQ(kept, expected);
    EXPECT_EQ(r.drawing.otherLines.Count(), static_cast<std::size_t>(std::ranges::count(generated.bytes, '\n')) - 1);
}

TEST(ExchangeReader, MillionSolidsWithoutOverflowAndWithTheirTotalArea) {
    GeneratedExchange generated = GenerateExchange({.solids = 1'000'000, .colours = 12, .seed = 42});
    Loaded r = Load(generated.bytes);
    ASSERT_EQ(r.outcome, ReadOutcome::Finished);
    EXPECT_TRUE(r.notifier.messages.empty());
    EXPECT_EQ(MeasuredSolids(r.table, r.drawing).size(), 1'000'000u);
    ASSERT_EQ(r.table.firstFreeRow - 1, static_cast<int>(generated.colours.size()));
    double total = 0;
    for (int i = 1; i < r.table.firstFreeRow; ++i) {
        EXPECT_EQ(r.table.Row(i).colour, generated.colours[static_cast<std::size_t>(i - 1)]);
        EXPECT_EQ(r.table.Row(i).solidCount, generated.solidsPerColour[static_cast<std::size_t>(i - 1)]);
        total += r.table.Row(i).area.value_or(0.0);
    }
    EXPECT_NEAR(total, generated.totalArea, generated.totalArea * 1e-10);
}

// The solids are measured on every core before the walk over the file (or, in a reading that
// stops at "#", as the walk reaches them), and the walk takes their measures in file order.
// Over many blocks, with titles and unmeasured records that read as solids and every kind of
// line end, each row gets exactly the sum of its own lines' areas in reading order, and the
// kept shapes are those of its own lines.
TEST(ExchangeReader, PlainSolidMeasuresAreThoseOfTheirOwnLines) {
    const std::string generated = GenerateExchange({.solids = 20000, .colours = 5, .seed = 3}).bytes;
    std::string bytes;
    std::size_t lineCount = 0;
    for (std::size_t start = 0, end; (end = generated.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string_view line(generated.data() + start, end - start);
        if (line == "#")
            continue;  // so that the reading that stops there reads every solid
        const char* lineEnds[] = {"\r\n", "\n", "\r"};
        const char* lineEnd = lineEnds[lineCount++ * 3 / 24000 % 3];  // in runs across the blocks
        bytes.append(line).append(lineEnd);
        if (lineCount % 997 == 0)
            bytes.append("hhp1ch").append(lineEnd).append("sl 0 0 99999 0 0 99999").append(lineEnd);
        if (lineCount % 1009 == 0)
            bytes.append("sl 1 2 3").append(lineEnd);
    }
    for (const ReadOptions& reading : {ReadOptions{.measuresAreas = true}, ReadOptions{.stopsAtHash = true},
                                       ReadOptions{.measuresAreas = true, .keepsShapes = true}}) {
        const bool keepsShapes = reading.keepsShapes;
        SCOPED_TRACE(keepsShapes ? "shapes kept" : reading.stopsAtHash ? "measured as reached" : "no shapes");
        Loaded r = Load(bytes, reading);
        ASSERT_EQ(r.outcome, ReadOutcome::Finished);
        EXPECT_EQ(r.drawing.savedTitle, "sl 0 0 99999 0 0 99999");
        std::size_t unmeasured = 0;
        for (int i = 1; i < r.table.firstFreeRow; ++i) {
            const TableRow& row = r.table.Row(i);
            double area = 0;
            for (std::size_t k = 0; k < row.records.sl.size(); ++k) {
                const std::string_view line = r.drawing.Text(row.records.sl[k]);
                const MeasuredSolid solid = MeasureSolid(line).value();
                area += solid.area;
                if (!keepsShapes)
                    continue;
                const MeasuredShape expected = ShapeOfSolid(ReadSolidOutline(line).value(), solid);
                const MeasuredShape& kept = r.drawing.shapes.at(row.records.shapes.at(k));
                EXPECT_EQ(std::tie(kept.box.minX, kept.box.minY, kept.box.maxX, kept.box.maxY, kept.area, kept.crossed),
                          std::tie(expected.box.minX, expected.box.minY, expected.box.maxX, expected.box.maxY,
                                   expected.area, expected.crossed));
            }
            EXPECT_EQ(row.area.value_or(0.0), area) << "row " << i;
            EXPECT_EQ(row.solidCount, static_cast<std::int64_t>(row.records.sl.size() + row.records.sl4.size()));
            unmeasured += row.records.sl4.size();
        }
        EXPECT_EQ(unmeasured, lineCount / 1009);
        EXPECT_EQ(MeasuredSolids(r.table, r.drawing).size(), 20000u);
    }
}

// A missing TEMP.TXT is reported and leaves the table alone; one in any letter case is read.
TEST(ExchangeReader, MissingFileIsReportedAndAnyLetterCaseIsFound) {
    TempFolder folder;
    Loaded r{.table = {.firstFreeRow = 5}};
    EXPECT_EQ(ReadExchangeFile(folder.Str(), {}, r.table, r.drawing, r.notifier), ReadOutcome::MissingFile);
    ASSERT_TRUE(file::WriteAtomic(folder.File("temp.txt"), "hq\r\nsl 0 0 1000 0 0 1000\r\n"));
    EXPECT_EQ(r.table.firstFreeRow, 5);
    EXPECT_EQ(ReadExchangeFile(folder.Str(), {}, r.table, r.drawing, r.notifier), ReadOutcome::Finished);
    EXPECT_EQ(r.table.Row(1).solidCount, 1);
    ASSERT_EQ(r.notifier.Texts(), std::vector<std::string>{"TEMP.TXTが無がありません、jwwの外変から起動してください"});
    EXPECT_EQ(r.notifier.messages[0].icon, MessageIcon::Critical);
}

}  // namespace
