// The exchange reader and the rewrite on files no Jw_cad writes: every case reads to a
// defined outcome, and a rewrite gives back every figure line byte for byte.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "HostileSupport.h"
#include "base/Sjis.h"
#include "exchange/ExchangeReader.h"
#include "exchange/SolidAnalysis.h"
#include "host/JwRegistry.h"
#include "model/Quantities.h"
#include "output/ModeOutputs.h"
#include "output/RecordWriter.h"
#include "ui/Modes.h"

namespace {

using namespace hostile;

const JwSettings& Pens() {
    static const JwSettings jw = ReadPenColours(*NoRegistry());
    return jw;
}

// What the mode's load step asks of the reading.
ReadOptions OptionsOf(ModeCode mode) {
    ReadOptions options = RecordOf(mode).reading;
    options.pens = &Pens().pens;
    return options;
}

struct Reading {
    ReadOutcome outcome = ReadOutcome::Finished;
    Table table;
    Drawing drawing;
    std::vector<std::string> messages;

    // As the load step leaves the form before the reading: every swatch empty.
    Reading() {
        for (int i = 1; i <= kRowCount; ++i)
            PaintRow(table.Row(i), kWhite);
    }
    // ... and after it: a finished reading, but of layer names, gives the rows the default
    // unit and their quantities.
    void Finish(ReadOutcome read, const ReadOptions& options, const RecordingNotifier& notifier) {
        outcome = read;
        messages = notifier.Texts();
        if (outcome == ReadOutcome::Finished && !options.readsLayerNames) {
            ApplyDefaultUnit(table, "m^2,1");
            ShowQuantities(table, "3");
        }
    }
    int Rows() const { return table.firstFreeRow - 1; }
    // The colour change's result file from this reading.
    std::string Rewrite() const {
        RecordWriter out;
        WriteRewrite(table, drawing, kWhite, RewriteKind::Recolour, out);
        return out.Bytes();
    }
};

Reading Read(std::string bytes, ModeCode mode = ModeCode::ColourChange) {
    Reading r;
    RecordingNotifier notifier;
    const ReadOptions options = OptionsOf(mode);
    r.Finish(ReadExchange(std::move(bytes), options, r.table, r.drawing, notifier), options, notifier);
    return r;
}

Reading ReadFixture(std::string_view name, ModeCode mode = ModeCode::ColourChange) {
    return Read(Fixture(std::string("hostile/") + std::string(name)), mode);
}

// Each of the lines, as bytes, stands in the file as a whole line.
void ExpectLines(const std::string& file, const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        EXPECT_NE(("\r\n" + file).find("\r\n" + line + "\r\n"), std::string::npos) << "missing line: " << line;
}

TEST(HostileExchange, FiftyMegabyteLineWithoutLineEnd) {
    // Generated here: a solid record whose last field runs 50 MB to the end of the file.
    Scratch scratch;
    const std::string record = "sl 0 0 1000 0 0 " + std::string(50u << 20, '7');
    Put(scratch / "TEMP.TXT", "hq\r\nlc6\r\n" + record);

    auto start = std::chrono::steady_clock::now();
    Reading r;
    RecordingNotifier notifier;
    const ReadOptions options = OptionsOf(ModeCode::ColourChange);
    r.Finish(ReadExchangeFile(scratch.Path().string(), options, r.table, r.drawing, notifier), options, notifier);
    std::string rewrite = r.Rewrite();
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    EXPECT_EQ(r.outcome, ReadOutcome::Finished);
    ASSERT_EQ(r.Rows(), 1);
    EXPECT_EQ(r.table.Row(1).solidCount, 1);
    EXPECT_FALSE(r.table.Row(1).area) << "a number of 50 million digits is no coordinate";
    EXPECT_EQ(r.table.Row(1).quantity, "-");
    ExpectLines(rewrite, {record});
    EXPECT_LT(seconds, 60.0);
}

TEST(HostileExchange, NulBytesAndInvalidShiftJisAreKeptByteForByte) {
    const std::string file = Fixture("hostile/nul-invalid.TEMP.TXT");
    Reading r = Read(file);
    ASSERT_EQ(r.outcome, ReadOutcome::Finished);
    // The title decodes with a replacement character for the cut double-byte character.
    EXPECT_EQ(r.drawing.savedTitle, std::string("題\0名\uFFFD ", 11));
    // The two solids with a NUL in a field are kept unmeasured; "lc5\0" is pen 5.
    ASSERT_EQ(r.Rows(), 2);
    EXPECT_EQ(r.table.Row(1).solidCount, 2);
    EXPECT_FALSE(r.table.Row(1).area);
    EXPECT_DOUBLE_EQ(r.table.Row(2).area.value_or(0), 2.0);
    ExpectLines(r.Rewrite(), {std::string("sl 0 0 1000 0 0\0 1000", 21), std::string("sl 0 0 1000 0 0 1000\0", 21),
                              std::string("lc5\0", 4), std::string("\0\0\0", 3), "ch 1 1 1 0 \"\xFF\xFE\x81", "\x81",
                              "ch 0 0 1 0 \"\x91\xE8" + std::string(1, '\0') + "\x96\xBC\x81\x20"});

    // The layer-name reading names row 4 from the layer-name record, NUL and replacement character included.
    Reading names = Read(file, ModeCode::LayerNamesExternal);
    EXPECT_EQ(names.table.Row(4).name, std::string("壁\0材\uFFFD", 10));
}

TEST(HostileExchange, LineEndsDoNotChangeTheReading) {
    const Reading reference = ReadFixture("ends-crlf.TEMP.TXT");
    ASSERT_EQ(reference.Rows(), 2);
    for (const char* name : {"ends-lf.TEMP.TXT", "ends-cr.TEMP.TXT", "ends-mixed.TEMP.TXT"}) {
        SCOPED_TRACE(name);
        Reading r = ReadFixture(name);
        EXPECT_EQ(r.outcome, ReadOutcome::Finished);
        ASSERT_EQ(r.Rows(), reference.Rows());
        for (int i = 1; i <= r.Rows(); ++i) {
            EXPECT_EQ(r.table.Row(i).colour, reference.table.Row(i).colour);
            EXPECT_EQ(r.table.Row(i).area,
                      reference.table.Row(i).area);
            EXPECT_EQ(r.table.Row(i).quantity, reference.table.Row(i).quantity);
        }
        // The result file always ends its lines in CR LF.
        EXPECT_EQ(r.Rewrite(), reference.Rewrite());
    }
}

TEST(HostileExchange, FileOfOnlyAFirstLine) {
    for (const char* name : {"first-line-only.TEMP.TXT", "first-line-no-end.TEMP.TXT"}) {
        SCOPED_TRACE(name);
        Reading r = ReadFixture(name, ModeCode::NewArea);
        EXPECT_EQ(r.outcome, ReadOutcome::Finished);
        EXPECT_EQ(r.Rows(), 0);
        EXPECT_EQ(r.messages, std::vector<std::string>{"ソリッド図形がありません。"});
        EXPECT_EQ(r.Rewrite(), "hd\r\n\r\n");
    }
    Reading empty = Read("", ModeCode::NewArea);
    EXPECT_EQ(empty.outcome, ReadOutcome::Finished);
    EXPECT_EQ(empty.Rewrite(), "hd\r\n\r\n");
}

TEST(HostileExchange, TitleRecordOnTheLastLine) {
    Reading r = ReadFixture("title-last.TEMP.TXT", ModeCode::NewArea);
    EXPECT_EQ(r.outcome, ReadOutcome::Finished);
    EXPECT_EQ(r.drawing.titleBox, std::optional<std::string>(""));
    EXPECT_EQ(r.drawing.otherLines.size(), 2u);  // "lc6" and the solid's empty place
    EXPECT_EQ(r.Rows(), 1);
}

TEST(HostileExchange, HeaderRecordsWithZeroOneAndFortyFields) {
    Reading r = ReadFixture("header-fields.TEMP.TXT");
    ASSERT_EQ(r.outcome, ReadOutcome::Finished);
    // "hs" alone: every scale empty. "hcw 4": text type 1 only.
    EXPECT_EQ(r.drawing.groupScales[0], "hs");
    for (std::size_t i = 1; i <= 16; ++i)
        EXPECT_EQ(r.drawing.groupScales[i], "") << i;
    EXPECT_EQ(r.drawing.textWidths[1], "4");
    EXPECT_EQ(r.drawing.textWidths[2], "");
    // 40 fields: the ten text types take the first ten, the array ends at 16.
    for (std::size_t i = 1; i <= 10; ++i)
        EXPECT_EQ(r.drawing.textHeights[i], std::to_string((i - 1) % 9 + 1)) << i;
    for (std::size_t i = 11; i <= 16; ++i)
        EXPECT_EQ(r.drawing.textHeights[i], "") << i;
    EXPECT_EQ(r.Rows(), 1);
}

TEST(HostileExchange, NumbersThatAreNoCoordinates) {
    const std::string file = Fixture("hostile/numbers.TEMP.TXT");
    Reading r = Read(file, ModeCode::NewArea);
    ASSERT_EQ(r.outcome, ReadOutcome::Finished);
    ASSERT_EQ(r.Rows(), 1);
    EXPECT_EQ(r.table.Row(1).solidCount, 6);
    // Only the triangle with "-0" is a figure that can be measured: nan, inf, 0x10 and
    // "1,5" are no numbers, and 1e308 mm gives no finite area.
    EXPECT_EQ(MeasuredSolids(r.table, r.drawing).size(), 1u);
    EXPECT_DOUBLE_EQ(r.table.Row(1).area.value_or(-1), 0.5);
    EXPECT_EQ(r.table.Row(1).quantity, "0.500");
    // Whatever was measured, every line comes back in the rewrite.
    Reading rewrite = Read(file);
    ExpectLines(rewrite.Rewrite(), {"sl 0 0 1e308 0 0 1e308", "sl -0 -0 1000 -0 -0 1000", "sl nan 0 1000 0 0 1000",
                                    "sl inf 0 1000 0 0 1000", "sl 0x10 0 1000 0 0 1000", "sl 1,5 0 1000 0 0 1000"});
}

TEST(HostileExchange, PenColourNumbers) {
    struct Case {
        const char* file;
        ReadOutcome outcome;
        int rows;  // the second solid's pen: a row of its own, or the first solid's row
    };
    const Case cases[] = {
        {"pen-116.TEMP.TXT", ReadOutcome::Finished, 2},     // grey, the last SXF colour
        {"pen-117.TEMP.TXT", ReadOutcome::EndProgram, 1},   // an SXF user-defined colour
        {"pen-minus1.TEMP.TXT", ReadOutcome::Finished, 1},  // no pen: the colour stays
        {"pen-huge.TEMP.TXT", ReadOutcome::EndProgram, 1},  // 99999999999 is above 116 too
    };
    const std::string sxf = "SXFカスタム線色があります。現在対応してないので終了します。<(_ _)>申し訳ないです";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Reading r = ReadFixture(c.file, ModeCode::NewArea);
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(r.Rows(), c.rows);
        EXPECT_EQ(r.table.Row(1).colour, kBlue);  // the fallback palette's pen 6
        if (c.outcome == ReadOutcome::EndProgram) {
            EXPECT_EQ(r.messages, std::vector<std::string>{sxf});
        }
    }
    EXPECT_EQ(ReadFixture("pen-116.TEMP.TXT").table.Row(2).colour, 0x808080);
}

TEST(HostileExchange, ColourValueBeyond32Bits) {
    Reading r = ReadFixture("lc10-beyond-32-bits.TEMP.TXT");
    ASSERT_EQ(r.outcome, ReadOutcome::Finished);
    // 4294967551 and -99999999999 are no colours: the solids keep the colour in force.
    ASSERT_EQ(r.Rows(), 1);
    EXPECT_EQ(r.table.Row(1).colour, 255);
    EXPECT_EQ(r.table.Row(1).solidCount, 2);
    EXPECT_EQ(r.table.Row(1).records.sc.size(), 1u);
    // The colour records are used up: none of them is written back.
    std::string rewrite = r.Rewrite();
    EXPECT_EQ(rewrite.find("4294967551"), std::string::npos);
    EXPECT_EQ(rewrite.find("-99999999999"), std::string::npos);
}

TEST(HostileExchange, SeventeenthColourInEveryMode) {
    for (ModeCode mode : {ModeCode::TableCreation, ModeCode::NewArea, ModeCode::PreviousArea, ModeCode::ColourChange,
                          ModeCode::LayerDistribution, ModeCode::Overlap, ModeCode::LayerNamesExternal}) {
        SCOPED_TRACE(RecordOf(mode).word);
        Reading r = ReadFixture("seventeen-colours.TEMP.TXT", mode);
        ASSERT_EQ(r.Rows(), 16);
        for (int i = 1; i <= 16; ++i)
            EXPECT_EQ(r.table.Row(i).colour, (i - 1) * 4096 + 1);
        if (RecordOf(mode).output == OkOutput::Rewrite) {
            EXPECT_EQ(r.outcome, ReadOutcome::ColourLimit);
            EXPECT_EQ(r.messages, std::vector<std::string>{"16色を越えました。"});  // no end-of-file step
        } else {
            EXPECT_EQ(r.outcome, ReadOutcome::Finished);
            EXPECT_EQ(r.messages.front(), "16色を越えました。");
            EXPECT_EQ(r.drawing.leftOutColours.size(), 1u);
        }
    }
}

}  // namespace
