// vemora-cli run as a process on copies of the folders under tests/data/cli: the files it
// writes, the table it prints, its messages and its exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "base/File.h"
#include "base/Sjis.h"
#ifdef _WIN32
#include "base/Utf16.h"
#endif

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status = -1;
    std::string out, err;  // UTF-8 as printed
};

std::string Quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

// A copy of a data folder to run in; the coordinate file goes to the same folder. `label`
// tells apart cases that live at the same time in one test.
class CliCase {
public:
    explicit CliCase(const std::string& data, std::string_view label = {}) : root_(label) {
        if (data.empty()) fs::create_directories(work_);
        else fs::copy(Data(data), work_, fs::copy_options::recursive);
    }
    static fs::path Data(const std::string& name) { return fs::path(VEMORA_TEST_DATA) / "cli" / name; }

    // Runs vemora-cli with --dir and --zfile on the copy and Jw_cad's registry from jw.reg.
    Outcome Run(const std::vector<std::string>& args, const std::string& registry = "jw.reg") const {
        std::string command = Quoted(fs::path(VEMORA_CLI).make_preferred()) + " --dir " + Quoted(work_) + " --registry " +
                              Quoted(Data(registry));
        if (registry == "jw.reg") command += " --zfile " + Quoted(work_);
        for (const std::string& arg : args) command += " \"" + arg + "\"";
        // Beside the folder, not in it: the folder's file list is checked.
        const fs::path out = root_.Path() / "out.txt", err = root_.Path() / "err.txt";
        command += " > " + Quoted(out) + " 2> " + Quoted(err);
#ifdef _WIN32
        // As UTF-16: the names and units given may be Japanese.
        int raw = _wsystem(utf16::Widen("\"" + command + "\"").c_str());
        int status = raw;
#else
        int raw = std::system(command.c_str());
        int status = (raw & 0x7f) == 0 ? (raw >> 8) & 0xff : -1;
#endif
        return {status, Bytes(out), Bytes(err)};
    }
    // A file of the folder decoded from code page 932, or "<missing>".
    std::string File(const std::string& name) const {
        std::string bytes = Bytes(work_ / name);
        return bytes == "<missing>" ? bytes : sjis::Decode(bytes);
    }
    void Write(const std::string& name, const std::string& bytes) const {
        ASSERT_TRUE(file::WriteAtomic((work_ / name).string(), bytes));
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(work_)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    static std::string Bytes(const fs::path& path) { return file::Read(path.string()).value_or("<missing>"); }
    TempFolder root_;
    fs::path work_ = root_.Path() / "work";
};

const char* const kRoundFigures = "円形関係のソリッド図形が存在します。\nこれらの面積は集計できません。\n注意してください｡ \n";

// The lines of plan/TEMP.TXT after the first, solid and lc10 records left empty.
const std::string kPlanKept =
    "hs 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100\r\nhcw 2 2.5 3 4 5 6 7 8 9 10\r\n"
    "hch 2 2.5 3 4 5 6 7 8 9 10\r\nhcd 0 0 0.5 0.5 0.5 0.5 1 1 1 1\r\nhcc 1 1 2 2 3 3 4 4 5 5\r\n"
    "lg0\r\nly2\r\nlc2\r\nlt1\r\ncn3\r\n#\r\nly5\r\nlc6\r\n\r\n\r\n\r\nlc6\r\n\r\nlc2\r\n -2500 1500 4000 1500\r\n\r\n\r\n";
// The solid blocks of the plan's rows: blue, grey, and black with its circle solid.
const std::string kBlueSolids =
    "\r\nsl -2500 -1500 2500 -1500 2500 1500 -2500 1500\r\nsl 0 0 1000 0 0 1000\r\n\r\n\r\n\r\n\r\n\r\n";
const std::string kGreySolids = "\r\nsl 2500 -1500 4000 -1500 2500 1500\r\n\r\n\r\n\r\n\r\n\r\n";
const std::string kBlackSolids = "\r\n\r\nsc 0 0 500\r\n\r\n\r\n\r\n\r\n";

TEST(CliDriver, NewAreaTableMeasuresPrintsAndDraws) {
    CliCase c("plan");
    Outcome o = c.Run({"--title", "Plan", "--print", "tsv", "C2"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, kRoundFigures);
    EXPECT_EQ(o.out,
              "row\tcolour\tsolids\tarea_m2\tquantity\tunit\tname\n"
              "1\t16711680\t2\t15.5\t15.500\tm^2\t\n"
              "2\t12632256\t1\t2.25\t2.250\tm^2\t\n"
              "3\t0\t0\t\t-\tm^2\t\n");
    EXPECT_EQ(c.File("ZTEMP.TXT"),
              "#\r\nbz\r\nlc5\r\nly9\r\nlt1\r\nr1\r\n0 -21\r\n51 0\r\n0 21\r\n-51 0\r\nr0\r\n"
              "lc2\r\nly9\r\nlt1\r\n24 0 24 -21\r\n27.75 0 27.75 -21\r\n42 0 42 -21\r\n"
              "lc2\r\nly9\r\nlt1\r\n0 -7 51 -7\r\n0 -14 51 -14\r\ncn3\r\nch 1 1 2 0\"Plan\r\n"
              "ly9\r\nch 29.75 -5 1 0 \"15.500\r\nch 44 -5 1 0 \"m^2\r\n"
              "ly9\r\nlc10 16711680\r\nsl 12 -5 12 -2 22 -2 22 -5\r\nlc10 16711680\r\nsl 2 -5 2 -2 12 -2 12 -5\r\n"
              "ly9\r\nch 29.75 -12 1 0 \" 2.250\r\nch 44 -12 1 0 \"m^2\r\n"
              "ly9\r\nlc10 12632256\r\nsl 12 -12 12 -9 22 -9 22 -12\r\nlc10 12632256\r\nsl 2 -12 2 -9 12 -9 12 -12\r\n"
              "ly9\r\nch 29.75 -19 1 0 \"     -\r\nch 44 -19 1 0 \"m^2\r\n"
              "ly9\r\nlc10 0\r\nsl 12 -19 12 -16 22 -16 22 -19\r\nlc10 0\r\nsl 2 -19 2 -16 12 -16 12 -19\r\n"
              "h# 3色 3個のソリッド図形の面積を測定・作表しました。 \r\n");
    EXPECT_NE(c.File("Vemora.INI").find("[kihon]\r\nTani=m^2,1\r\nKeta=3\r\n"), std::string::npos);
    EXPECT_NE(c.File("koumoku.INI").find("[koumokusuu]\r\nkoumokusuu=3\r\n"), std::string::npos);
}

TEST(CliDriver, PreviousTableKeepsStoredRowsAndRoundsByTheListPick) {
    CliCase c("previous");
    Outcome o = c.Run({"--keta", "1", "--print", "tsv", "C1"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out,
              "row\tcolour\tsolids\tarea_m2\tquantity\tunit\tname\n"
              "1\t16711680\t2\t15.5\t15.5\tm^2\t居室\n"
              "2\t65280\t0\t\t-\t坪\t廊下\n"
              "3\t12632256\t1\t2.25\t2.3\tm^2\t\n"
              "4\t0\t0\t\t-\tm^2\t\n");
    const std::string ztemp = c.File("ZTEMP.TXT");
    EXPECT_NE(ztemp.find("ch 26 -5 1 0 \"居室\r\nch 36.75 -5 1 0 \"15.5\r\nch 47.5 -5 1 0 \"m^2\r\n"), std::string::npos);
    EXPECT_NE(ztemp.find("ch 26 -12 1 0 \"廊下\r\nch 36.75 -12 1 0 \"   -\r\nch 47.5 -12 1 0 \"坪\r\n"), std::string::npos);
    EXPECT_NE(c.File("Vemora.INI").find("Keta=1\r\n"), std::string::npos);
    EXPECT_NE(c.File("koumoku.INI").find("koumokusuu=4\r\n"), std::string::npos);
}

TEST(CliDriver, ColourChangeWritesTheNewColoursIntoTheResultFile) {
    CliCase c("plan");
    Outcome o = c.Run({"--recolour", "16711680=#00FF00", "M3"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, "");
    EXPECT_EQ(c.File("JWC_TEMP.TXT"), "hd\r\n" + kPlanKept + "lc10 65280\r\n" + kBlueSolids + "lc10 12632256\r\n" +
                                          kGreySolids + "lc10 0\r\n" + kBlackSolids);
    EXPECT_EQ(c.Names(), (std::vector<std::string>{"JWC_TEMP.TXT", "TEMP.TXT", "vemora.lst"}));
}

TEST(CliDriver, LayerDistributionPutsRowsOnTheirLayers) {
    CliCase c("plan");
    EXPECT_EQ(c.Run({"M4"}).status, 0);
    EXPECT_EQ(c.File("JWC_TEMP.TXT"), "hd\r\n" + kPlanKept + "ly0\r\nlc10 16711680\r\n" + kBlueSolids +
                                          "ly1\r\nlc10 12632256\r\n" + kGreySolids + "ly2\r\nlc10 0\r\n" + kBlackSolids);
}

TEST(CliDriver, OverlapOrderFollowsTheSwappedRows) {
    CliCase c("plan");
    Outcome o = c.Run({"--swap", "1:2", "--print", "tsv", "M5"});
    EXPECT_EQ(o.status, 0);
    // Everything of a row moves with it: swatches, quantity, solid count, area and records.
    EXPECT_EQ(o.out,
              "row\tcolour\tsolids\tarea_m2\tquantity\tunit\tname\n"
              "1\t12632256\t1\t2.25\t2.250\tm^2\t\n"
              "2\t16711680\t2\t15.5\t15.500\tm^2\t\n"
              "3\t0\t0\t\t-\tm^2\t\n");
    EXPECT_EQ(c.File("JWC_TEMP.TXT"), "hd\r\n" + kPlanKept + "lc10 12632256\r\n" + kGreySolids + "lc10 16711680\r\n" +
                                          kBlueSolids + "lc10 0\r\n" + kBlackSolids);
}

TEST(CliDriver, LayerNamesWithoutAWordNameTheSelectedGroups) {
    CliCase c("");
    Outcome o = c.Run({"--title", "0-1,f"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(c.File("ZTEMP.TXT"), "lg0\r\nlg1\r\nlgF\r\nch 0 0 0 0 \"レイヤ名を設定しました。 \r\n");
    EXPECT_EQ(c.Names(), std::vector<std::string>{"ZTEMP.TXT"});
}

TEST(CliDriver, ExternalLayerNamesComeFromTheFileAndEndInATable) {
    CliCase c("layers");
    Outcome o = c.Run({"--print", "tsv", "M7"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "row\tcolour\tsolids\tarea_m2\tquantity\tunit\tname\n1\t255\t0\t\t\t\t#c#FF0000\n2\t16777215\t0\t\t\t\t壁\n");
    std::string layers = "lg0\r\nly0\r\nlyn#c#FF0000\r\nly1\r\nlyn壁\r\n";
    for (const char* digit : {"2", "3", "4", "5", "6", "7", "8", "9", "A", "B", "C", "D", "E", "F"})
        layers += std::string("ly") + digit + "\r\nlyn\r\n";
    const std::string ztemp = c.File("ZTEMP.TXT");
    EXPECT_EQ(ztemp.substr(0, layers.size()), layers);
    EXPECT_NE(ztemp.find("h#レイヤ名を設定しました\r\n#\r\nbz\r\n"), std::string::npos);
    EXPECT_NE(ztemp.find("ch 1 1 2 0\"レイヤグループ:0\r\nly9\r\nch 26 -5 1 0 \"レイヤ0\r\nch 42 -5 1 0 \"\r\nch 42 -5 1 0 \"#c#FF0000\r\n"),
              std::string::npos);
    const std::string end = "h# 16色 0個のソリッド図形の面積を測定・作表しました。 \r\n";
    EXPECT_EQ(ztemp.substr(ztemp.size() - end.size()), end);
}

TEST(CliDriver, NamesAndUnitsActAsTheirEditorsAndTravelWithTheirRows) {
    CliCase c("../samples/office");
    Outcome o = c.Run({"--name", "2=大会議室", "--unit", "1=坪,0.3025", "--swap", "1:3", "--print", "tsv", "C2"});
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out.substr(0, o.out.find("\n4\t") + 1),
              "row\tcolour\tsolids\tarea_m2\tquantity\tunit\tname\n"
              "1\t16764108\t1\t42\t42.000\tm^2\t\n"
              "2\t65535\t1\t42\t42.000\tm^2\t大会議室\n"
              "3\t13434828\t1\t84\t25.410\t坪\t\n");
    const std::string ztemp = c.File("ZTEMP.TXT");
    EXPECT_NE(ztemp.find("\"25.410\r\nch 58 -19 1 0 \"坪\r\n"), std::string::npos) << ztemp;
}

TEST(CliDriver, ColoursBeyondSixteenAreLeftOutOfTheTableAndTold) {
    CliCase c("", "eighteen");
    // Colours 1..15, the white background, 17 and 18, then one more solid of colour 1.
    std::string bytes = "hq\r\nhs 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100\r\n"
                        "hcw 2 2.5 3 4 5 6 7 8 9 10\r\nhch 2 2.5 3 4 5 6 7 8 9 10\r\nhcd 0 0 0.5 0.5 0.5 0.5 1 1 1 1\r\ncn3\r\n";
    for (int colour : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16777215, 17, 18, 1})
        bytes += "lc10 " + std::to_string(colour) + "\r\nsl 0 0 1000 0 0 1000\r\n";
    c.Write("TEMP.TXT", bytes);
    Outcome o = c.Run({"--print", "tsv", "C2"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, "16色を越えました。\n表に入らなかったソリッド図形があります： 2色 2個\nこれらの面積は集計していません。\n");
    EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 17);  // the background-coloured row too
    EXPECT_NE(o.out.find("\n1\t1\t2\t1\t1.000\tm^2\t\n"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("\n16\t16777215\t1\t0.5\t0.500\tm^2\t\n"), std::string::npos) << o.out;
    const std::string ztemp = c.File("ZTEMP.TXT");
    EXPECT_NE(ztemp.find("ch 29.75 -5 1 0 \"1.000\r\n"), std::string::npos);
    const std::string end = "h# 16色 17個のソリッド図形の面積を測定・作表しました。 \r\n";
    EXPECT_EQ(ztemp.substr(ztemp.size() - end.size()), end);
}

TEST(CliDriver, ExitStatusSaysHowTheRunEnded) {
    CliCase dryRun("plan", "dryRun");
    const std::string table = (fs::path(VEMORA_TEST_DATA) / "settings/items/stored.koumoku.ini").string();
    Outcome o = dryRun.Run({"--table", table, "--print", "tsv", "--dry-run", "M6"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "row\tcolour\tsolids\tarea_m2\tquantity\tunit\tname\n1\t255\t0\t\t\tm^2\t壁\n2\t65280\t0\t\t\tm2\t床材\n");
    EXPECT_EQ(dryRun.Names(), (std::vector<std::string>{"TEMP.TXT", "vemora.lst"}));

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--swap", "0:1", "C2"}, {"--recolour", "255=#12345", "M3"}, {"--recolour", "255=0", "C2"},
             {"--swap", "1:2", "M3"}, {"--keta", "5", "C2"}, {"--print", "xml"}, {"C1", "C2"}, {"--table"},
             {"--name", "17=x", "C2"}, {"--unit", "0=坪", "C2"}, {"--unit", "1=坪", "M7"}}) {
        CliCase bad("plan", "bad");
        Outcome u = bad.Run(args);
        EXPECT_EQ(u.status, 1) << args[0];
        EXPECT_NE(u.err.find("vemora-cli: "), std::string::npos) << args[0];
        EXPECT_EQ(bad.Names(), (std::vector<std::string>{"TEMP.TXT", "vemora.lst"})) << args[0];
    }

    CliCase sxf("sxf", "sxf");
    o = sxf.Run({"C2"});
    EXPECT_EQ(o.status, 3);
    EXPECT_EQ(o.err, "SXFカスタム線色があります。現在対応してないので終了します。<(_ _)>申し訳ないです\n");
    EXPECT_EQ(sxf.Names(), std::vector<std::string>{"TEMP.TXT"});

    CliCase unwritable("plan", "unwritable");
    o = unwritable.Run({"C2"}, "jw-missing-zfile.reg");
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find("ファイルを書き込めませんでした。\n"), std::string::npos);
}

}  // namespace
