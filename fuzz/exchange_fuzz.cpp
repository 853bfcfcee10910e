// The exchange reader and the solid analysis on any bytes, in every kind of reading, followed
// by what the OK command writes from it: the rewrites (which must keep every figure line) and
// the table drawing; and the solid check, in both drawing orders, on what the areas measured.
#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "exchange/ExchangeReader.h"
#include "exchange/SolidAnalysis.h"
#include "exchange/SolidCheck.h"
#include "host/JwRegistry.h"
#include "model/Quantities.h"
#include "output/ModeOutputs.h"
#include "output/RecordWriter.h"
#include "output/TableDrawing.h"

namespace {

// The readings that differ: "#" ends the table creation's, the area readings drop
// circle-related solids (one adds to the previous table), the rewrite's stops at a 17th
// colour, the layer names' names rows. The three rewrites are written from the same reading.
constexpr ReadOptions kReadings[] = {{.stopsAtHash = true},
                                     {.measuresAreas = true},
                                     {.measuresAreas = true, .keepsRows = true},
                                     {.rewritesSolids = true},
                                     {.readsLayerNames = true}};
constexpr RewriteKind kRewrites[] = {RewriteKind::Recolour, RewriteKind::LayerDistribution, RewriteKind::DrawOrder};

// A table as the load step leaves it: every swatch in the background colour.
Table EmptyTable(SolidColour background) {
    Table table;
    for (int i = 1; i <= kRowCount; ++i)
        PaintRow(table.Row(i), background);
    return table;
}

// The previous-area reading starts from the table of the last run: two named rows, one
// without a unit.
Table PreviousTable(SolidColour background) {
    Table table = EmptyTable(background);
    table.firstFreeRow = 3;
    PaintRow(table.Row(1), 255);
    table.Row(1).name = "壁";
    table.Row(1).unitEntry = "m2,2.5";
    table.Row(1).factor = 2.5;
    PaintRow(table.Row(2), 0);
    table.Row(2).name = "床";
    return table;
}

// What the reading must leave, whatever the file held.
void CheckTable(const Table& table, const Drawing& drawing, const ReadOptions& options) {
    FUZZ_CHECK(table.firstFreeRow >= 1 && table.firstFreeRow <= kRowCount + 1);
    FUZZ_CHECK(drawing.currentRow >= 0 && drawing.currentRow < table.firstFreeRow);
    std::set<SolidColour> colours;
    std::size_t measured = 0;
    for (int i = 1; i <= kRowCount; ++i) {
        const TableRow& row = table.Row(i);
        // One row per solid colour; layer names may paint layers alike.
        if (i < table.firstFreeRow && !options.readsLayerNames)
            FUZZ_CHECK(colours.insert(row.colour).second);
        FUZZ_CHECK(row.solidCount ==
                   static_cast<std::int64_t>(row.records.sl.size() + row.records.sl4.size()));
        FUZZ_CHECK(row.records.sl.empty() == !row.area.has_value());
        if (options.measuresAreas)
            FUZZ_CHECK(row.records.sc.empty() && row.records.se.empty() && row.records.so.empty() &&
                       row.records.sg.empty());
        measured += row.records.sl.size();
        for (const auto* list :
             {&row.records.sl4, &row.records.sl, &row.records.sc, &row.records.se, &row.records.so, &row.records.sg})
            for (LineRef ref : *list)
                FUZZ_CHECK(std::uint64_t{ref.offset} + ref.length <= drawing.bytes.size());
    }
    FUZZ_CHECK(measured == MeasuredSolids(table, drawing).size());
    // The lines kept to write back lie in the file, and there are fewer of them than it has
    // lines (the first is never kept).
    std::size_t lines = 0;
    for (std::size_t at = 0, end; at < drawing.bytes.size(); at = end + (drawing.bytes.compare(end, 2, "\r\n") ? 1 : 2)) {
        ++lines;
        if ((end = drawing.bytes.find_first_of("\r\n", at)) == std::string::npos) break;
    }
    std::size_t kept = 0;
    drawing.otherLines.ForEach(drawing.bytes, [&](std::string_view line) {
        FUZZ_CHECK(line.empty() || (line.data() >= drawing.bytes.data() &&
                                    line.data() + line.size() <= drawing.bytes.data() + drawing.bytes.size()));
        ++kept;
    });
    FUZZ_CHECK(kept < std::max<std::size_t>(lines, 1));
}

void DrawTableOf(const Table& read, const Drawing& drawing, bool layerNames, SolidColour background) {
    TableSettings settings;
    settings.annotateAreas = 1;
    settings.annotateNumbers = 1;
    settings.textType.clear();  // the drawing's own text type, so that its header sizes count
    MetricsResult metrics = ReadTableMetrics(settings, drawing);
    if (!metrics.metrics)
        return;
    Table table = read;
    std::string title = drawing.titleBox.value_or("");
    RecordWriter out;
    if (layerNames) {
        WriteExternalLayerNames(table, title, out);
    } else {  // the load step's units and quantities
        ApplyDefaultUnit(table, "m^2,1");
        ShowQuantities(table, "3");
    }
    DrawTable(table, title, {&drawing, &settings, background, layerNames}, *metrics.metrics, out);
    fuzz::WrittenLines(out.Bytes());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    static const JwSettings jw = ReadPenColours(*NoRegistry());
    for (ReadOptions options : kReadings) {
        options.pens = &jw.pens;
        fuzz::SilentNotifier notifier;
        Table table = options.keepsRows ? PreviousTable(jw.background) : EmptyTable(jw.background);
        Drawing drawing;
        ReadOutcome outcome = ReadExchange(bytes, options, table, drawing, notifier);
        CheckTable(table, drawing, options);
        if (outcome == ReadOutcome::EndProgram)
            return 0;  // every reading meets it at the same line
        if (outcome != ReadOutcome::Finished)
            continue;
        if (!options.rewritesSolids) {
            DrawTableOf(table, drawing, options.readsLayerNames, jw.background);
            for (bool reverse : {false, true})
                if (options.measuresAreas)
                    CheckSolids(table, drawing, reverse);
            continue;
        }
        for (RewriteKind kind : kRewrites) {
            RecordWriter out;
            WriteRewrite(table, drawing, jw.background, kind, out);
            fuzz::CheckRewriteKeepsLines(bytes, out.Bytes());
        }
    }
    return 0;
}
