#include "exchange/ExchangeReader.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstdint>
#include <limits>
#include <numeric>
#include <optional>
#include <span>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/File.h"
#include "base/Memory.h"
#include "base/Parallel.h"
#include "base/Sjis.h"
#include "base/Text.h"
#include "base/Numbers.h"
#include "exchange/SolidAnalysis.h"

namespace {

constexpr std::string_view kMissingFileMessage = "TEMP.TXTが無がありません、jwwの外変から起動してください";
// A file too large for the kept-line references (4 GiB) is refused whole rather than cut.
constexpr std::string_view kTooLargeMessage = "TEMP.TXTが大きすぎて読み込めません（4GBまで）。";
constexpr std::string_view kCustomColourMessage =
    "SXFカスタム線色があります。現在対応してないので終了します。<(_ _)>申し訳ないです";
constexpr std::int64_t kLastKnownPen = 116;  // pen colours above are SXF user-defined colours
// The circle-related warning: three lines, the last with a half-width "｡" and a blank.
constexpr std::string_view kRoundFiguresMessage =
    "円形関係のソリッド図形が存在します。\r\n"
    "これらの面積は集計できません。\r\n"
    "注意してください｡ ";
constexpr std::string_view kNoSolidsMessage = "ソリッド図形がありません。";

// The character at byte `pos`: one byte, or two for a double-byte character; empty past
// the end.
std::string_view CharAt(std::string_view line, std::size_t pos) {
    if (pos >= line.size())
        return {};
    std::size_t length = sjis::IsLeadByte(line[pos]) && pos + 1 < line.size() ? 2 : 1;
    return line.substr(pos, length);
}

// Record text as UTF-8; plain ASCII, by far the most common, is copied without conversion
// (and, being short, without allocation).
void AssignText(std::string& out, std::string_view bytes) {
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        out.assign(bytes);
    else
        out = sjis::Decode(bytes);
}

// The first letter upper case, the others lower case (ASCII letters only).
std::string ProperCase(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        char c = text::FoldAscii(out[i]);
        out[i] = (i == 0 && c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return out;
}

// Fills a header array from a header record: element 0 the keyword, then up to count - 1
// fields. Missing fields and fields that are not numbers stay empty; a later record of the
// same kind replaces the whole array.
void ReadHeader(HeaderArray& array, std::string_view line, std::size_t count) {
    array = HeaderArray{};
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t end = std::min(line.find(' '), line.size());
        std::string_view field = line.substr(0, end);
        if (i == 0 || numbers::ParseNumber(field))
            array[i].assign(field);
        if (end == line.size())
            break;
        line.remove_prefix(end + 1);
    }
}

// Walks a buffer line by line; CR LF, LF and CR each end a line, and a line end at the very
// end adds no empty line.
class LineCursor {
  public:
    explicit LineCursor(std::string_view bytes) : bytes_(bytes) {}

    bool Next(LineRef& ref, std::string_view& line) {
        if (pos_ >= bytes_.size())
            return false;
        std::size_t start = pos_;
        std::size_t end = FindLineEnd(start);
        pos_ = end;
        if (pos_ < bytes_.size())
            pos_ += (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') ? 2 : 1;
        ref = LineRef{static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end - start)};
        line = bytes_.substr(start, end - start);
        return true;
    }

  private:
    // The first CR or LF from `pos`, or the end: sixteen bytes compared at once where the
    // processor can (every x86-64 can), the rest one at a time.
    std::size_t FindLineEnd(std::size_t pos) const {
        const char* data = bytes_.data();
#if defined(__SSE2__)
        const __m128i feeds = _mm_set1_epi8('\n'), returns = _mm_set1_epi8('\r');
        for (; pos + 16 <= bytes_.size(); pos += 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos));
            const int ends = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, feeds), _mm_cmpeq_epi8(chunk, returns)));
            if (ends != 0)
                return pos + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(ends)));
        }
#endif
        while (pos < bytes_.size() && data[pos] != '\n' && data[pos] != '\r')
            ++pos;
        return pos;
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// Whether a line reads as a plain solid record: "sl" in either case. Whether it is one (and
// not, say, the title after an "hhp1ch" record) only the walk over the file can tell.
bool ReadsAsPlainSolid(std::string_view line) {
    return line.size() >= 2 && text::FoldAscii(line[0]) == 's' && text::FoldAscii(line[1]) == 'l';
}

// The measures of the plain solid records, which the walk over the file takes in file order:
// the n-th line that reads as a plain solid has the n-th. The file is cut into blocks of about
// 64 KiB just after line feeds, where a line always ends, and each block's plain solid lines
// are counted on every core. The blocks are then measured into their places on the other
// cores while the walk goes on; the walk measures a block itself when it gets there first,
// and a later one while it waits for one being measured. Where the options keep shapes, the
// measures are the drawing's list of shapes itself. A reading that stops at the "#" line,
// which comes before the solids, measures instead each solid it reaches when it reaches it.
class PlainSolidMeasures {
  public:
    PlainSolidMeasures(std::string_view bytes, const ReadOptions& options, std::vector<MeasuredShape>& shapes)
        : keepsShapes_(options.keepsShapes), shapes_(shapes) {
        if (options.stopsAtHash && !options.keepsShapes)
            return;
        blocks_ = Blocks(bytes);
        firsts_.resize(blocks_.size() + 1);
        parallel::ForEach(blocks_.size(), [&](std::size_t b) {
            std::size_t count = 0;  // counted apart: neighbouring blocks' counts share a cache line
            ForEachLine(blocks_[b], [&](std::string_view line) { count += ReadsAsPlainSolid(line) ? 1 : 0; });
            firsts_[b + 1] = count;
        });
        std::partial_sum(firsts_.begin(), firsts_.end(), firsts_.begin());
        if (keepsShapes_) {
            memory::ReserveLarge(shapes, firsts_.back());
            shapes.resize(firsts_.back());
        } else {
            memory::ReserveLarge(areas_, firsts_.back());
            areas_.resize(firsts_.back());
        }
        constexpr std::size_t kBlocksPerHelper = 16;  // a file of 1 MB or less is measured by the walk alone
        ahead_.emplace(blocks_.size(), MeasureBlock{this}, kBlocksPerHelper);
    }

    // The area in m² of `line`, the n-th plain solid line, or NaN where the record does not
    // measure.
    double Area(std::size_t n, std::string_view line) {
        if (!ahead_) {
            std::optional<MeasuredSolid> solid = MeasureSolid(line);
            return solid ? solid->area : std::numeric_limits<double>::quiet_NaN();
        }
        while (n >= firsts_[measuredBlocks_])
            ahead_->Need(measuredBlocks_++);
        return keepsShapes_ ? shapes_[n].area : areas_[n];
    }

  private:
    // Measures block b's plain solid lines into their places. The block, its place and the
    // lists are taken once: the walk's own state lies next to them and changes at every line,
    // so reading them at every line would pass that memory back and forth between the cores.
    struct MeasureBlock {
        PlainSolidMeasures* measures;
        void operator()(std::size_t b) const {
            const std::span<double> areas = measures->areas_;
            const std::span<MeasuredShape> shapes = measures->shapes_;
            const bool keepsShapes = measures->keepsShapes_;
            std::size_t n = measures->firsts_[b];
            ForEachLine(measures->blocks_[b], [&](std::string_view line) {
                if (!ReadsAsPlainSolid(line))
                    return;
                std::optional<MeasuredShape> shape = MeasureShape(line);
                const double area = shape ? shape->area : std::numeric_limits<double>::quiet_NaN();
                if (!keepsShapes)
                    areas[n] = area;
                else if (shape)
                    shapes[n] = *shape;
                else
                    shapes[n].area = area;
                ++n;
            });
        }
    };

    static std::vector<std::string_view> Blocks(std::string_view bytes) {
        constexpr std::size_t kBlockBytes = 64 * 1024;
        std::vector<std::string_view> blocks;
        while (!bytes.empty()) {
            const std::size_t feed = bytes.size() > kBlockBytes ? bytes.find('\n', kBlockBytes) : std::string_view::npos;
            const std::size_t size = feed == std::string_view::npos ? bytes.size() : feed + 1;
            blocks.push_back(bytes.substr(0, size));
            bytes.remove_prefix(size);
        }
        return blocks;
    }

    template <typename Visit>
    static void ForEachLine(std::string_view block, const Visit& visit) {
        LineCursor lines(block);
        LineRef ref;
        std::string_view line;
        while (lines.Next(ref, line))
            visit(line);
    }

    bool keepsShapes_;
    std::vector<MeasuredShape>& shapes_;
    std::vector<double> areas_;
    std::vector<std::string_view> blocks_;
    std::vector<std::size_t> firsts_;  // each block's first plain solid line; the total last
    std::size_t measuredBlocks_ = 0;   // the blocks before it are measured
    std::optional<parallel::WorkAhead<MeasureBlock>> ahead_;  // last: its helpers stop first
};

// One walk over the file: the attribute state, the header values and the kept lines.
class Walk {
  public:
    Walk(const ReadOptions& options, Table& table, Drawing& drawing, Notifier& notifier)
        : options_(options),
          table_(table),
          drawing_(drawing),
          notifier_(notifier),
          lines_(drawing.bytes),
          measures_(drawing.bytes, options, drawing.shapes) {}

    // Reads every line after the first; nullopt at the end of the file, otherwise the
    // outcome that stopped the reading. Either way the rows then hold their solid records.
    std::optional<ReadOutcome> Run() {
        LineRef ref;
        std::string_view line;
        if (!NextLine(ref, line))
            return std::nullopt;  // the first line is not read
        while (NextLine(ref, line)) {
            LineRef kept = ref;
            if (!line.empty() && text::FoldAscii(line[0]) == 'h' && !ReadHeaderRecord(line, kept))
                continue;
            if (line.size() >= 2) {
                if (std::optional<ReadOutcome> stop = ReadRecord(line, kept))
                    return stop;
            } else if (line == "#" && options_.stopsAtHash) {
                return ReadOutcome::StoppedAtHash;
            }
            drawing_.otherLines.Add(kept);
        }
        return std::nullopt;
    }

  private:
    // The next line, counted among the plain solid lines where it reads as one.
    bool NextLine(LineRef& ref, std::string_view& line) {
        if (!lines_.Next(ref, line))
            return false;
        if (ReadsAsPlainSolid(line))
            ++plainSolidLines_;
        return true;
    }

    // A solid record's line goes to its row's list, and an empty line takes its place among
    // the kept lines.
    void KeepSolidRecord(const SolidPlacement& placement, LineRef& kept) {
        memory::PushBackLarge(ListOf(table_.Row(placement.row).records, *placement.list), kept);
        kept.length = 0;
    }

    // Header records, recognised by their whole field 0. Returns false when the line and
    // the one after it are used up (a title record on the last line).
    bool ReadHeaderRecord(std::string_view line, LineRef& kept) {
        std::string_view key = line.substr(0, line.find(' '));
        if (text::EqualsNoCase(key, "hs")) {
            ReadHeader(drawing_.groupScales, line, 17);
        } else if (text::EqualsNoCase(key, "hcw")) {
            ReadHeader(drawing_.textWidths, line, 11);
        } else if (text::EqualsNoCase(key, "hch")) {
            ReadHeader(drawing_.textHeights, line, 11);
        } else if (text::EqualsNoCase(key, "hcd")) {
            ReadHeader(drawing_.textSpacings, line, 11);
        } else if (text::EqualsNoCase(key, "hcc")) {
            ReadHeader(drawing_.textColours, line, 11);
        } else if (text::EqualsNoCase(key, "hhp1ch")) {
            // The title is the next line after its first double quote (the whole line when it
            // has none); that line takes the record's place among the kept lines.
            std::string_view title;
            if (!NextLine(kept, title)) {
                drawing_.savedTitle.clear();
                drawing_.titleBox = drawing_.savedTitle;
                return false;
            }
            std::size_t quote = title.find('"');
            AssignText(drawing_.savedTitle, quote == std::string_view::npos ? title : title.substr(quote + 1));
            drawing_.titleBox = drawing_.savedTitle;
        }
        return true;
    }

    // The two-character rules. A record they consume leaves an empty line (`kept` of length
    // 0); a solid record's line goes to its row's list.
    std::optional<ReadOutcome> ReadRecord(std::string_view line, LineRef& kept) {
        Attributes& state = drawing_.attributes;
        char first = text::FoldAscii(line[0]);
        char second = text::FoldAscii(line[1]);
        if (first == 'l') {
            switch (second) {
                case 'g':
                    ReadLayerGroup(line);
                    break;
                case 'y':
                    ReadLayer(line);
                    break;
                case 't':
                    AssignText(state.lineType, line.substr(2));
                    break;
                case 'c':
                    return ReadColour(line, kept);
                default:
                    break;
            }
        } else if (first == 'c' && second == 'n') {
            AssignText(state.textType, line.substr(2));
        } else if (first == 's' &&
                   (second == 'l' || second == 'c' || second == 'e' || second == 'o' || second == 'g')) {
            // A plain solid's measure: this line is the last plain solid line read.
            const std::size_t n = plainSolidLines_ - 1;
            const PlainSolidMeasure measure =
                second == 'l' ? PlainSolidMeasure{measures_.Area(n, line), static_cast<std::uint32_t>(n)} : PlainSolidMeasure{};
            SolidPlacement placement =
                TakeSolidRecord(line, measure, state.colour, options_, table_, drawing_, notifier_);
            if (placement.stopsReading)
                return ReadOutcome::ColourLimit;
            if (placement.list)
                KeepSolidRecord(placement, kept);
            else if (placement.row != 0)
                kept.length = 0;
        }
        return std::nullopt;
    }

    void ReadLayerGroup(std::string_view line) {
        Attributes& state = drawing_.attributes;
        std::string_view digit = CharAt(line, 2);
        if (text::EqualsNoCase(digit, "n")) {
            if (options_.readsLayerNames)
                drawing_.titleBox = ProperCase(state.layerGroup);
            return;
        }
        AssignText(state.layerGroup, digit);
        int group = HexDigitIndex(state.layerGroup);
        if (group == 0)
            return;
        std::optional<double> scale = numbers::ParseNumber(drawing_.groupScales[static_cast<std::size_t>(group)]);
        state.groupScale = static_cast<float>(scale.value_or(0.0));
    }

    void ReadLayer(std::string_view line) {
        Attributes& state = drawing_.attributes;
        std::string_view digit = CharAt(line, 2);
        if (!text::EqualsNoCase(digit, "n")) {
            AssignText(state.layer, digit);
            return;
        }
        if (!options_.readsLayerNames)
            return;
        // A layer name, possibly carrying the layer's paint colour: "lyn#c#FF0000".
        int row = HexDigitIndex(state.layer);
        if (row == 0)
            return;
        TableRow& target = table_.Row(row);
        AssignText(target.name, line.substr(3));
        if (line.size() >= 5 && line[3] == '#' && text::FoldAscii(line[4]) == 'c') {
            std::string colourText;
            AssignText(colourText, line.substr(5));
            SolidColour colour = ParseColourText(colourText);
            PaintRow(target, colour);
        }
    }

    std::optional<ReadOutcome> ReadColour(std::string_view line, LineRef& kept) {
        Attributes& state = drawing_.attributes;
        if (text::StartsWithNoCase(line, "lc10 ")) {
            // A colour given directly; the record is consumed, the solids after it carry it.
            state.colourCode = "10";
            std::optional<std::int64_t> value = numbers::LeadingInteger(line.substr(5));
            if (value && *value >= std::numeric_limits<SolidColour>::min() &&
                *value <= std::numeric_limits<SolidColour>::max())
                state.colour = static_cast<SolidColour>(*value);
            kept.length = 0;
            return std::nullopt;
        }
        AssignText(state.colourCode, line.substr(2));
        std::optional<std::int64_t> pen = numbers::LeadingInteger(line.substr(2));
        if (!pen || *pen < 0)
            return std::nullopt;
        if (*pen > kLastKnownPen) {
            ShowMessage(notifier_, kCustomColourMessage, MessageIcon::None);
            return ReadOutcome::EndProgram;
        }
        state.colour = options_.pens ? (*options_.pens)[static_cast<std::size_t>(*pen)] : 0;
        return std::nullopt;
    }

    const ReadOptions& options_;
    Table& table_;
    Drawing& drawing_;
    Notifier& notifier_;
    LineCursor lines_;
    PlainSolidMeasures measures_;
    std::size_t plainSolidLines_ = 0;  // the lines read so far that read as plain solids
};

// The end of the exchange reading: warns about circle-related solids, reports a file without
// any solid record, and tells how many solids of how many colours found no row.
void FinishReading(const Drawing& drawing, Notifier& notifier) {
    if (drawing.hasRoundFigures)
        ShowMessage(notifier, kRoundFiguresMessage, MessageIcon::Critical);
    if (drawing.currentRow == 0)
        ShowMessage(notifier, kNoSolidsMessage, MessageIcon::None);
    if (drawing.leftOutSolids != 0)
        ShowMessage(notifier,
                    "表に入らなかったソリッド図形があります： " + std::to_string(drawing.leftOutColours.size()) + "色 " +
                        std::to_string(drawing.leftOutSolids) + "個\r\nこれらの面積は集計していません。",
                    MessageIcon::Exclamation);
}

}  // namespace

ReadOutcome ReadExchange(std::string bytes,
                         const ReadOptions& options,
                         Table& table,
                         Drawing& drawing,
                         Notifier& notifier) {
    drawing = Drawing{};
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
        ShowMessage(notifier, kTooLargeMessage, MessageIcon::Critical);
        return ReadOutcome::MissingFile;
    }
    drawing.bytes = std::move(bytes);
    if (!options.keepsRows)
        table.firstFreeRow = 1;
    assert(table.firstFreeRow >= 1 && table.firstFreeRow <= kRowCount + 1);
    table.firstFreeRow = std::clamp(table.firstFreeRow, 1, kRowCount + 1);
    for (int i = 1; i < table.firstFreeRow; ++i)
        drawing.rowColours[static_cast<std::size_t>(i)] = table.Row(i).colour;
    if (std::optional<ReadOutcome> stop = Walk(options, table, drawing, notifier).Run())
        return *stop;
    if (!options.readsLayerNames)
        FinishReading(drawing, notifier);
    return ReadOutcome::Finished;
}

ReadOutcome ReadExchangeFile(const std::string& programFolder,
                             const ReadOptions& options,
                             Table& table,
                             Drawing& drawing,
                             Notifier& notifier) {
    std::optional<std::string> path = file::FindNoCase(programFolder, "TEMP.TXT");
    std::optional<std::string> bytes = path ? file::Read(*path) : std::nullopt;
    if (!bytes) {
        ShowMessage(notifier, kMissingFileMessage, MessageIcon::Critical);
        return ReadOutcome::MissingFile;
    }
    return ReadExchange(std::move(*bytes), options, table, drawing, notifier);
}
