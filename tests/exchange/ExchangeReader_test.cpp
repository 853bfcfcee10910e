#include "exchange/ExchangeReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>

#include "ExchangeGenerator.h"
#include "ExchangeTestSupport.h"
#include "TempFolder.h"
#include "exchange/SolidAnalysis.h"
#include "model/Quantities.h"

namespace {

struct Loaded {
    ReadOutcome outcome = ReadOutcome::Finished;
    Table table;
    Drawing drawing;
    RecordingNotifier notifier;

    std::vector<std::string> Texts(const std::vector<LineRef>& lines) const {
        std::vector<std::string> out;
        for (LineRef line : lines)
            out.push_back(sjis::Decode(drawing.Text(line)));
        return out;
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> out;
        for (const Message& m : notifier.messages)
            out.push_back(m.text);
        return out;
    }
};

// Reads as the load step does, the rows' units and quantities included (unit "m^2,1",
// rounding "2").
Loaded Load(std::string bytes, const ReadOptions& reading = kAreas, Table table = {}) {
    Loaded r;
    r.table = std::move(table);
    ReadOptions options = reading;
    options.pens = &TestPens();
    r.outcome = ReadExchange(std::move(bytes), options, r.table, r.drawing, r.notifier);
    if (r.outcome == ReadOutcome::Finished && !options.readsLayerNames) {
        ApplyDefaultUnit(r.table, "m^2,1");
        ShowQuantities(r.table, "2");
    }
    return r;
}

constexpr std::string_view kNoSolids = "ソリッド図形がありません。";

TEST(ExchangeReader, FirstLineIsSkippedAndEmptyFilesAreEmptyDrawings) {
    for (std::string bytes : {Cp932Lines({"sl 0 0 1000 0 0 1000"}), std::string(), std::string("hq")}) {
        Loaded r = Load(bytes);
        EXPECT_EQ(r.outcome, ReadOutcome::Finished);
        EXPECT_EQ(r.table.firstFreeRow, 1);
        EXPECT_TRUE(r.drawing.otherLines.empty());
        EXPECT_EQ(r.MessageTexts(), std::vector<std::string>{std::string(kNoSolids)});
        EXPECT_EQ(r.notifier.messages[0].icon, MessageIcon::None);
    }
}

TEST(ExchangeReader, LineEndsOfEveryKindGiveTheSameLines) {
    for (std::string_view end : {"\r\n", "\n", "\r"}) {
        std::string bytes;
        for (std::string_view line : {"hq", "lc10 255", "sl 0 0 1000 0 0 1000", " 0 0 10 10"})
            bytes += std::string(line) + std::string(end);
        Loaded r = Load(bytes);
        EXPECT_EQ(r.Texts(r.drawing.otherLines), (std::vector<std::string>{"", "", " 0 0 10 10"})) << end.size();
        EXPECT_EQ(r.table.Row(1).area, 0.5);
    }
}

TEST(ExchangeReader, KeysInEitherCaseAndDigitsKeepTheirCase) {
    Loaded r = Load(Cp932Lines({"hq", "HS 100 50 200", "LG1", "Ly3", "LC5", "LT2 ", "CN4", "SL 0 0 1000 0 0 1000"}));
    const Attributes& a = r.drawing.attributes;
    EXPECT_EQ(r.drawing.groupScales[0], "HS");
    EXPECT_EQ(r.drawing.groupScales[2], "50");
    EXPECT_EQ(a.layerGroup, "1");
    EXPECT_EQ(a.groupScale, 50.0f);
    EXPECT_EQ(a.layer, "3");
    EXPECT_EQ(a.colourCode, "5");
    EXPECT_EQ(a.colour, RgbColour(255, 0, 255));
    EXPECT_EQ(a.lineType, "2 ");  // the text runs to the end of the line
    EXPECT_EQ(a.textType, "4");
    EXPECT_EQ(r.table.Row(1).colour, RgbColour(255, 0, 255));

    // An upper-case letter digit names no layer group: kept as read, the scale stays.
    r = Load(Cp932Lines({"hq", "hs 100 50 200", "lg1", "lgA", "lyB"}));
    EXPECT_EQ(r.drawing.attributes.layerGroup, "A");
    EXPECT_EQ(r.drawing.attributes.groupScale, 50.0f);
    EXPECT_EQ(r.drawing.attributes.layer, "B");
}

TEST(ExchangeReader, PenColoursAndDirectColours) {
    struct Case {
        std::string_view record;
        SolidColour colour;
        std::string_view code;
        bool consumed;
    };
    const Case cases[] = {
        {"lc10 255", 255, "10", true},                      // a colour given directly
        {"LC10 65280", 65280, "10", true},                  //
        {"lc10", 0, "10", false},                           // pen colour 10 is black
        {"lc8", RgbColour(255, 0, 0), "8", false},          //
        {"lc116", RgbColour(128, 128, 128), "116", false},  // the last SXF standard colour
        {"lc10 x", RgbColour(0, 0, 255), "10", true},       // no number: the colour stays
        {"lc-3", RgbColour(0, 0, 255), "-3", false},        //
    };
    for (const Case& c : cases) {
        Loaded r = Load(Cp932Lines({"hq", "lc6", c.record}));
        EXPECT_EQ(r.drawing.attributes.colour, c.colour) << c.record;
        EXPECT_EQ(r.drawing.attributes.colourCode, c.code) << c.record;
        EXPECT_EQ(r.drawing.otherLines[1].length == 0, c.consumed) << c.record;
    }
}

TEST(ExchangeReader, PenColourAbove116EndsTheProgram) {
    Loaded r = Load(Cp932Lines({"hq", "lc117", "sl 0 0 1000 0 0 1000"}));
    EXPECT_EQ(r.outcome, ReadOutcome::EndProgram);
    ASSERT_EQ(r.notifier.messages.size(), 1u);
    EXPECT_EQ(r.notifier.messages[0].text,
              "SXFカスタム線色があります。現在対応してないので終了します。<(_ _)>申し訳ないです");
    EXPECT_EQ(r.notifier.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(r.table.firstFreeRow, 1);
    EXPECT_EQ(Load(Cp932Lines({"hq", "lc99999999999999999999"})).outcome, ReadOutcome::EndProgram);
}

TEST(ExchangeReader, RowsAreFormedByColourValue) {
    // Pen 8 and pen 102 are both red, and so is "lc10 255": one row.
    Loaded r = Load(Cp932Lines({"hq", "lc8", "sl 0 0 1000 0 0 1000", "lc102", "sl 0 0 1000 0 1000 1000 0 1000",
                                "lc10 255", "sl 0 0 1000 0 0 1000", "lc6", "sl 0 0 1 0 0 1"}));
    EXPECT_EQ(r.table.firstFreeRow, 3);
    EXPECT_EQ(r.table.Row(1).solidCount, 3);
    EXPECT_EQ(r.table.Row(1).area, 2.0);
    EXPECT_EQ(r.table.Row(2).colour, RgbColour(0, 0, 255));
    EXPECT_EQ(r.table.Row(2).newColour, RgbColour(0, 0, 255));
    EXPECT_EQ(r.drawing.currentRow, 2);
    EXPECT_EQ(MeasuredSolids(r.table, r.drawing).size(), 4u);
}

TEST(ExchangeReader, MeasuredSolidsComeInReadingOrderWhereverTheirRowsMove) {
    Loaded r = Load(Cp932Lines({"hq", "lc8", "sl 0 0 2000 0 0 2000", "lc6", "sl 0 0 1000 0 1000 1000 0 1000",
                                "sl 0 0 1000", "lc8", "sl 3000 0 6000 0 6000 3000 3000 3000", "lc6",
                                "sl 0 0 1000 0 0 1000"}));
    const auto areas = [&r] {
        std::vector<double> out;
        for (const MeasuredSolid& s : MeasuredSolids(r.table, r.drawing))
            out.push_back(s.area);
        return out;
    };
    const std::vector<double> expected{2.0, 1.0, 9.0, 0.5};
    EXPECT_EQ(areas(), expected);
    std::swap(r.table.Row(1).records, r.table.Row(2).records);  // as exchanging two rows does
    EXPECT_EQ(areas(), expected);
    EXPECT_DOUBLE_EQ(MeasuredSolids(r.table, r.drawing)[2].centreX, 4500);
}

TEST(ExchangeReader, TitleComesFromTheLineAfterTheTitleRecord) {
    Loaded r = Load(Cp932Lines({"hq", "hhp1ch", "ch 0 0 1 0 \"３階 面積表\"", "lc2"}));
    EXPECT_EQ(r.drawing.savedTitle, "３階 面積表\"");  // a closing quote stays
    EXPECT_EQ(r.drawing.titleBox, r.drawing.savedTitle);
    EXPECT_EQ(r.Texts(r.drawing.otherLines), (std::vector<std::string>{"ch 0 0 1 0 \"３階 面積表\"", "lc2"}));

    r = Load(Cp932Lines({"hq", "HHP1CH", "面積表 sl 0 0 1000 0 0 1000"}));
    EXPECT_EQ(r.drawing.savedTitle, "面積表 sl 0 0 1000 0 0 1000");  // the title line is not read as a record
    EXPECT_EQ(r.table.firstFreeRow, 1);

    r = Load(Cp932Lines({"hq", "lc2", "hhp1ch"}));
    EXPECT_EQ(r.outcome, ReadOutcome::Finished);
    EXPECT_EQ(r.drawing.titleBox, "");
    EXPECT_EQ(r.Texts(r.drawing.otherLines), std::vector<std::string>{"lc2"});
    EXPECT_FALSE(Load(Cp932Lines({"hq", "lc2"})).drawing.titleBox.has_value());
}

TEST(ExchangeReader, HashLineStopsOnlyTableCreation) {
    std::string bytes = Cp932Lines({"hq", "lc2", "#", "sl 0 0 1000 0 0 1000"});
    Loaded r = Load(bytes, kTableCreation);
    EXPECT_EQ(r.outcome, ReadOutcome::StoppedAtHash);
    EXPECT_TRUE(r.notifier.messages.empty());
    EXPECT_EQ(r.table.firstFreeRow, 1);

    r = Load(bytes, kAreas);
    EXPECT_EQ(r.outcome, ReadOutcome::Finished);
    EXPECT_EQ(r.Texts(r.drawing.otherLines), (std::vector<std::string>{"lc2", "#", ""}));
    EXPECT_EQ(r.table.Row(1).quantity, "0.50");
}

TEST(ExchangeReader, HeaderFieldsMissingOrNotNumbersStayEmpty) {
    Loaded r = Load(Cp932Lines({"hq", "hcw 2 2.5 x  +4", "hch 1 2", "hch 3", "hs", "lg1"}));
    const HeaderArray& w = r.drawing.textWidths;
    EXPECT_EQ(w[0], "hcw");
    EXPECT_EQ(w[1], "2");
    EXPECT_EQ(w[2], "2.5");
    EXPECT_EQ(w[3], "");
    EXPECT_EQ(w[4], "");  // two blanks make an empty field
    EXPECT_EQ(w[5], "+4");
    EXPECT_EQ(w[6], "");
    EXPECT_EQ(r.drawing.textHeights[1], "3");  // a later record replaces the whole array
    EXPECT_EQ(r.drawing.textHeights[2], "");
    EXPECT_EQ(r.drawing.attributes.groupScale, 0.0f);
}

TEST(ExchangeReader, LayerNamesInMode7NameRowsAndPaintSwatches) {
    std::string bytes = Cp932Lines({"hq", "lgb", "lgn2階", "ly3", "lyn#c#FF0000", "lyf", "lyn外壁", "lyX", "lyn無効"});
    Loaded r = Load(bytes, kLayerNames);
    EXPECT_EQ(r.outcome, ReadOutcome::Finished);
    EXPECT_TRUE(r.notifier.messages.empty());  // no end-of-file step in mode 7
    EXPECT_EQ(r.drawing.titleBox, "B");
    EXPECT_EQ(r.table.Row(4).name, "#c#FF0000");
    EXPECT_EQ(r.table.Row(4).colour, RgbColour(255, 0, 0));
    EXPECT_EQ(r.table.Row(4).newColour, RgbColour(255, 0, 0));
    EXPECT_EQ(r.table.Row(16).name, "外壁");
    EXPECT_EQ(r.table.Row(16).colour, 0);
    EXPECT_EQ(r.table.Row(0).name, "");  // layer X names no row

    // A layer's paint colour does not change which row later solids of a colour go to.
    r = Load(Cp932Lines({"hq", "lc10 255", "sl 0 0 1 0 0 1", "ly0", "lyn#c#00FF00", "lc10 255", "sl 0 0 1 0 0 1"}),
             kLayerNames);
    EXPECT_EQ(r.table.firstFreeRow, 2);
    EXPECT_EQ(r.table.Row(1).solidCount, 2);
    EXPECT_EQ(r.table.Row(1).colour, RgbColour(0, 255, 0));

    r = Load(bytes, kAreas);
    EXPECT_EQ(r.drawing.attributes.layer, "X");
    EXPECT_EQ(r.table.Row(4).name, "");
    EXPECT_FALSE(r.drawing.titleBox.has_value());
}

// Eighteen colours, then one more solid of colour 1 and two of colour 17.
std::string EighteenColours() {
    std::string bytes = "hq\r\n";
    for (int c = 1; c <= 18; ++c)
        bytes += "lc10 " + std::to_string(c) + "\r\nsl 0 0 1000 0 0 1000\r\n";
    return bytes + "lc10 1\r\nsl 0 0 2000 0 0 1000\r\nlc10 17\r\nsl 0 0 1000 0 0 1000\r\nsl 1 1 2 2\r\n";
}

TEST(ExchangeReader, ColoursBeyondSixteenAreLeftOutOfATableButStopARewrite) {
    Loaded r = Load(EighteenColours());
    EXPECT_EQ(r.outcome, ReadOutcome::Finished);
    ASSERT_EQ(r.notifier.messages.size(), 2u);
    EXPECT_EQ(r.notifier.messages[0].text, "16色を越えました。");
    EXPECT_EQ(r.notifier.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(r.notifier.messages[1].text,
              "表に入らなかったソリッド図形があります： 2色 4個\r\nこれらの面積は集計していません。");
    EXPECT_EQ(r.table.firstFreeRow, 17);
    EXPECT_EQ(r.table.Row(1).area, 1.5);  // the solid after the 17th colour is measured
    EXPECT_EQ(r.table.Row(1).solidCount, 2);
    EXPECT_EQ(r.table.Row(1).quantity, "1.50");  // the end-of-file step ran
    EXPECT_EQ(r.table.Row(16).unitEntry, "m^2,1");
    EXPECT_EQ(r.drawing.leftOutSolids, 4);
    EXPECT_EQ(r.drawing.leftOutColours, (std::vector<SolidColour>{17, 18}));

    r = Load(EighteenColours(), kRewrite);
    EXPECT_EQ(r.outcome, ReadOutcome::ColourLimit);
    ASSERT_EQ(r.notifier.messages.size(), 1u);
    EXPECT_EQ(r.notifier.messages[0].text, "16色を越えました。");
    EXPECT_EQ(r.Texts(r.table.Row(16).records.sl), std::vector<std::string>{"sl 0 0 1000 0 0 1000"});
    EXPECT_EQ(r.table.Row(1).quantity, "");  // no end-of-file step
}

TEST(ExchangeReader, CircleSolidsAreKeptInRewritesAndWarnedAboutInAreaModes) {
    std::string bytes = Cp932Lines({"hq", "lc3", "sc 0 0 500 1 0 0 360", "SE 0 0 500 1 0 0 360 1", "lc6", "so 1 2 3",
                                    "sg 1 2 3", "sl 0 0 1000 0 0 1000"});
    Loaded r = Load(bytes, kRewrite);
    EXPECT_TRUE(r.notifier.messages.empty());
    EXPECT_EQ(r.table.firstFreeRow, 3);
    EXPECT_EQ(r.Texts(r.table.Row(1).records.sc), std::vector<std::string>{"sc 0 0 500 1 0 0 360"});
    EXPECT_EQ(r.Texts(r.table.Row(1).records.se), std::vector<std::string>{"SE 0 0 500 1 0 0 360 1"});
    EXPECT_EQ(r.table.Row(2).records.so.size(), 1u);
    EXPECT_EQ(r.table.Row(2).records.sg.size(), 1u);
    EXPECT_EQ(r.table.Row(1).quantity, "-");

    r = Load(bytes, kAreas);
    EXPECT_TRUE(r.drawing.hasRoundFigures);
    EXPECT_EQ(r.table.firstFreeRow, 3);
    EXPECT_TRUE(r.table.Row(1).records.Empty());
    EXPECT_EQ(r.table.Row(1).quantity, "-");
    EXPECT_EQ(r.table.Row(2).quantity, "0.50");
    ASSERT_EQ(r.notifier.messages.size(), 1u);
    EXPECT_EQ(r.notifier.messages[0].text,
              "円形関係のソリッド図形が存在します。\r\nこれらの面積は集計できません。\r\n注意してください\uFF61 ");
    EXPECT_EQ(r.notifier.messages[0].icon, MessageIcon::Critical);
}

TEST(ExchangeReader, UnmeasurableSolidsAreKeptAndCounted) {
    Loaded r = Load(Cp932Lines({"hq", "lc10 255", "sl 0 0 1000 1000", "sl 1 2 3 4 5", "sl 0 0 1000 0 x 1000",
                                "sl 0 0 1000 0 0 1000 ", "sl", "sl 0 0 1000 0 0 1000 5 5 6 6"}),
                    kRewrite);
    EXPECT_EQ(r.table.Row(1).solidCount, 6);
    EXPECT_EQ(r.table.Row(1).records.sl4.size(), 6u);
    EXPECT_FALSE(r.table.Row(1).area.has_value());
    EXPECT_EQ(r.table.Row(1).quantity, "-");
    EXPECT_TRUE(MeasuredSolids(r.table, r.drawing).empty());
    EXPECT_EQ(r.Texts(r.table.Row(1).records.sl4)[3], "sl 0 0 1000 0 0 1000 ");
}

TEST(ExchangeReader, PreviousTableKeepsItsRowsAndUnits) {
    Table previous;
    previous.firstFreeRow = 3;
    previous.Row(1).colour = 255;
    previous.Row(2).colour = 65280;
    previous.Row(1).unitEntry = ",3";  // an empty unit with factor 3 keeps its factor
    previous.Row(1).factor = 3;
    Loaded r = Load(Cp932Lines({"hq", "lc10 255", "sl 0 0 1000 0 0 1000", "lc10 16711680", "sl 0 0 1000 0 0 1000"}),
                    kPreviousAreas, previous);
    EXPECT_EQ(r.table.firstFreeRow, 4);
    EXPECT_EQ(r.table.Row(1).quantity, "1.50");
    EXPECT_EQ(r.table.Row(1).unitEntry, ",3");
    EXPECT_EQ(r.table.Row(2).quantity, "-");  // a stored row without solids
    EXPECT_EQ(r.table.Row(2).unitEntry, "m^2,1");
    EXPECT_EQ(r.table.Row(3).colour, 16711680);
    EXPECT_EQ(r.table.Row(3).quantity, "0.50");

    // In the other modes the reading starts at row 1 again.
    r = Load(Cp932Lines({"hq", "lc10 16711680", "sl 0 0 1000 0 0 1000"}), kAreas, previous);
    EXPECT_EQ(r.table.firstFreeRow, 2);
    EXPECT_EQ(r.table.Row(1).colour, 16711680);
}

TEST(ExchangeReader, EveryLineIsKeptByteForByte) {
    // A generated drawing with Shift_JIS texts: each line after the first is either an
    // "lc10 " record or, with its own bytes, in the kept lines or in one row's lists.
    GeneratedExchange generated = GenerateExchange({.solids = 5000, .colours = 16, .seed = 7});
    Loaded r = Load(generated.bytes, kRewrite);
    ASSERT_EQ(r.outcome, ReadOutcome::Finished);
    std::multiset<std::string_view> kept;
    for (LineRef line : r.drawing.otherLines)
        if (line.length > 0)
            kept.insert(r.drawing.Text(line));
    for (int i = 1; i < r.table.firstFreeRow; ++i) {
        const RowRecords& rec = r.table.Row(i).records;
        for (const auto* list : {&rec.sl4, &rec.sl, &rec.sc, &rec.se, &rec.so, &rec.sg})
            for (LineRef line : *list)
                kept.insert(r.drawing.Text(line));
    }
    std::multiset<std::string_view> expected;
    std::string_view bytes = r.drawing.bytes;
    bytes.remove_prefix(bytes.find("\r\n") + 2);
    for (std::size_t end; (end = bytes.find("\r\n")) != std::string_view::npos; bytes.remove_prefix(end + 2))
        if (!bytes.starts_with("lc10 "))
            expected.insert(bytes.substr(0, end));
    EXPECT_EQ(kept, expected);
    for (int i = 1; i < r.table.firstFreeRow; ++i) {
        const std::vector<LineRef>& sl = r.table.Row(i).records.sl;
        EXPECT_TRUE(std::is_sorted(sl.begin(), sl.end(), [](LineRef a, LineRef b) { return a.offset < b.offset; }));
    }
    EXPECT_EQ(r.drawing.otherLines.size(),
              static_cast<std::size_t>(std::count(generated.bytes.begin(), generated.bytes.end(), '\n')) - 1);
}

TEST(ExchangeReader, MillionSolidsWithoutOverflowAndWithTheirTotalArea) {
    GeneratedExchange generated = GenerateExchange({.solids = 1'000'000, .colours = 12, .seed = 42});
    Table table;
    Drawing drawing;
    RecordingNotifier notifier;
    ReadOptions options = kAreas;
    options.pens = &TestPens();
    ASSERT_EQ(ReadExchange(generated.bytes, options, table, drawing, notifier), ReadOutcome::Finished);
    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_EQ(MeasuredSolids(table, drawing).size(), 1'000'000u);
    ASSERT_EQ(table.firstFreeRow - 1, static_cast<int>(generated.colours.size()));
    double total = 0;
    for (int i = 1; i < table.firstFreeRow; ++i) {
        auto k = static_cast<std::size_t>(i - 1);
        EXPECT_EQ(table.Row(i).colour, generated.colours[k]);
        EXPECT_EQ(table.Row(i).solidCount, generated.solidsPerColour[k]);
        total += table.Row(i).area.value_or(0.0);
    }
    EXPECT_NEAR(total, generated.totalArea, generated.totalArea * 1e-10);
}

TEST(ExchangeReader, OfficeSampleGivesTheAreaOfEveryRoom) {
    ReadOptions options = kAreas;
    options.pens = &TestPens();
    Table table;
    Drawing drawing;
    RecordingNotifier notifier;
    ASSERT_EQ(ReadExchangeFile(VEMORA_TEST_DATA "/samples/office", options, table, drawing, notifier),
              ReadOutcome::Finished);
    ShowQuantities(table, "2");
    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_EQ(drawing.titleBox, "３階平面図　面積表");
    // 事務室, 会議室, 応接室, 廊下 (three solids), エントランス, 階段, 男子便所, 女子便所, 給湯室,
    // 倉庫, 更衣室, 休憩室, 機械室 (a rectangle and a triangle): 24 m x 15 m in all.
    const std::vector<std::string> expected{"84.00", "42.00", "42.00", "54.00", "24.00", "18.00", "9.00",
                                            "9.00",  "7.50",  "7.50",  "21.00", "24.00", "18.00"};
    std::vector<std::string> quantities;
    for (int i = 1; i < table.firstFreeRow; ++i)
        quantities.push_back(table.Row(i).quantity);
    EXPECT_EQ(quantities, expected);
    EXPECT_EQ(table.Row(2).colour, RgbColour(255, 255, 0));  // SXF yellow, pen 105
    EXPECT_EQ(MeasuredSolids(table, drawing).size(), 16u);
}

TEST(ExchangeReader, MissingFileIsReportedAndAnyLetterCaseIsFound) {
    TempFolder folder;
    ReadOptions options = kAreas;
    options.pens = &TestPens();
    Table table;
    table.firstFreeRow = 5;
    Drawing drawing;
    RecordingNotifier notifier;
    EXPECT_EQ(ReadExchangeFile(folder.Str(), options, table, drawing, notifier), ReadOutcome::MissingFile);
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].text, "TEMP.TXTが無がありません、jwwの外変から起動してください");
    EXPECT_EQ(notifier.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(table.firstFreeRow, 5);

    std::ofstream(folder.Path() / "temp.txt", std::ios::binary) << Cp932Lines({"hq", "sl 0 0 1000 0 0 1000"});
    notifier.messages.clear();
    EXPECT_EQ(ReadExchangeFile(folder.Str(), options, table, drawing, notifier), ReadOutcome::Finished);
    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_EQ(table.Row(1).area, 0.5);
}

}  // namespace
