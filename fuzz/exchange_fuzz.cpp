// The exchange reader and the solid analysis on any bytes, in every mode that reads the
// file, followed by what the OK command writes from it: the rewrite of modes 3-5 (which
// must keep every figure line) and the table drawing of the table modes.
#include <cstdint>
#include <set>
#include <string>

#include "FuzzSupport.h"
#include "exchange/ExchangeReader.h"
#include "exchange/SolidAnalysis.h"
#include "host/JwRegistry.h"
#include "output/ModeOutputs.h"
#include "output/RecordWriter.h"
#include "output/TableDrawing.h"

namespace {

// The reading differs by mode only in modes 0 ("#" ends it), 1 and 2 (circle-related solids
// are dropped; mode 2 adds to the previous table) and 7 (layer names); the rewriting modes
// 3, 4 and 5 read alike, and each writes its rewrite from the same reading.
constexpr ModeCode kReadingModes[] = {ModeCode::TableCreation, ModeCode::NewArea, ModeCode::PreviousArea,
                                      ModeCode::ColourChange, ModeCode::LayerNamesExternal};
constexpr ModeCode kRewritingModes[] = {ModeCode::ColourChange, ModeCode::LayerDistribution, ModeCode::Overlap};

// A table as the load step leaves it: every swatch in the background colour.
Table EmptyTable(SolidColour background) {
    Table table;
    for (int i = 1; i <= kRowCount; ++i)
        table.Row(i).left = table.Row(i).right = background;
    return table;
}

// Mode 2 starts from the table of the last run: two named rows, one without a unit.
Table PreviousTable(SolidColour background) {
    Table table = EmptyTable(background);
    table.nextRow = 3;
    table.rowColours[1] = table.rowColours[17] = 255;
    table.rowColours[2] = table.rowColours[18] = 0;
    table.Row(1).left = table.Row(1).right = 255;
    table.Row(1).name = "壁";
    table.Row(1).unitEntry = "m2,2.5";
    table.Row(1).unit = "m2";
    table.Row(1).factor = 2.5;
    table.Row(2).left = table.Row(2).right = 0;
    table.Row(2).name = "床";
    return table;
}

// What the reading must leave, whatever the file held.
void CheckTable(const Table& table, const Drawing& drawing, ModeCode mode) {
    FUZZ_CHECK(table.nextRow >= 1 && table.nextRow <= kRowCount + 1);
    FUZZ_CHECK(drawing.currentRow >= 0 && drawing.currentRow < table.nextRow);
    std::set<SolidColour> colours;
    std::size_t measured = 0;
    for (int i = 1; i <= kRowCount; ++i) {
        const TableRow& row = table.Row(i);
        auto index = static_cast<std::size_t>(i);
        if (i < table.nextRow)
            FUZZ_CHECK(colours.insert(table.rowColours[index]).second);
        FUZZ_CHECK(row.solidCount ==
                   static_cast<std::int64_t>(row.records.sl.size() + row.records.sl4.size()));
        FUZZ_CHECK(row.records.sl.empty() == !row.area.has_value());
        if (MeasuresArea(mode))
            FUZZ_CHECK(row.records.sc.empty() && row.records.se.empty() && row.records.so.empty() &&
                       row.records.sg.empty());
        measured += row.records.sl.size();
        for (const auto* list :
             {&row.records.sl4, &row.records.sl, &row.records.sc, &row.records.se, &row.records.so, &row.records.sg})
            for (LineRef ref : *list)
                FUZZ_CHECK(std::uint64_t{ref.offset} + ref.length <= drawing.bytes.size());
    }
    FUZZ_CHECK(measured == MeasuredSolids(table, drawing).size());
    for (LineRef ref : drawing.otherLines)
        FUZZ_CHECK(std::uint64_t{ref.offset} + ref.length <= drawing.bytes.size());
}

void DrawTableOf(const Table& read, const Drawing& drawing, ModeCode mode, SolidColour background) {
    TableSettings settings;
    settings.Utiwakemenseki = 1;
    settings.Toosibango = 1;
    settings.Mojishu.clear();  // the drawing's own text type, so that its header sizes count
    MetricsResult metrics = ReadTableMetrics(settings, drawing);
    if (!metrics.metrics)
        return;
    Table table = read;
    std::string title = drawing.titleBox.value_or("");
    RecordWriter out;
    if (mode == ModeCode::LayerNamesExternal)
        WriteExternalLayerNames(table, title, out);
    DrawTable(table, title, {&drawing, &settings, background, mode}, *metrics.metrics, out);
    fuzz::WrittenLines(out.Bytes());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    static const JwSettings jw = ReadPenColours(*NoRegistry());
    for (ModeCode mode : kReadingModes) {
        fuzz::SilentNotifier notifier;
        Table table = mode == ModeCode::PreviousArea ? PreviousTable(jw.background) : EmptyTable(jw.background);
        Drawing drawing;
        ReadOptions options{mode, &jw.pens, "m^2,1", "3"};
        ReadOutcome outcome = ReadExchange(bytes, options, table, drawing, notifier);
        CheckTable(table, drawing, mode);
        if (outcome == ReadOutcome::EndProgram)
            return 0;  // every mode meets it at the same line
        if (outcome != ReadOutcome::Finished)
            continue;
        if (!RewritesSolids(mode)) {
            DrawTableOf(table, drawing, mode, jw.background);
            continue;
        }
        for (ModeCode rewriting : kRewritingModes) {
            RecordWriter out;
            WriteRewrite(table, drawing, jw.background, rewriting, out);
            fuzz::CheckRewriteKeepsLines(bytes, out.Bytes());
        }
    }
    return 0;
}
