// The OK command against selectors that are no bracket expression, a reading stopped at the
// colour limit, and output folders that are missing or where writing fails (read-only, full,
// a failed close or rename): a clear message naming the file, exit status 2, no partial or
// temporary file, the previous file in place.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeFileSystem.h"
#include "HostileSupport.h"
#include "base/Sjis.h"
#include "output/ModeOutputs.h"
#include "output/RecordWriter.h"

namespace {

using namespace hostile;

constexpr std::string_view kPrevious = "previous good file\r\n";

// The plan drawing (two colours and a circle solid) with its list file, copied to `folder`.
void CopyPlan(const fs::path& folder) {
    fs::create_directories(folder);
    for (const char* name : {"TEMP.TXT", "vemora.lst"})
        Put(folder / name, Fixture(std::string("cli/plan/") + name));
}

fs::path Registry() {
    return Data("cli/jw.reg");
}

bool Contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

TEST(HostileSelector, ElementsThatAreNoBracketExpressionPickNothing) {
    for (const char* selector : {"f-0", "[", "\\", "]", "[0-3]", "\\d"}) {
        SCOPED_TRACE(selector);
        for (int group = 1; group <= 16; ++group)
            EXPECT_FALSE(LayerGroupMatches(selector, group)) << group;
    }
    // The other elements of the list still count.
    for (int group = 1; group <= 16; ++group)
        EXPECT_EQ(LayerGroupMatches("f-0,[,3", group), group == 4) << group;

    // Bytes that are no UTF-8 stand for themselves: an overlong form of "^" negates nothing.
    const std::string overlongCaret = "\xC1\x9E";
    for (int group = 1; group <= 16; ++group) {
        EXPECT_EQ(LayerGroupMatches(overlongCaret + "0", group), group == 1) << group;
        EXPECT_FALSE(LayerGroupMatches("\xC1\xDE\xB4", group)) << group;
    }

    // Mode 6 with such a selector names no group: only the closing record is written.
    Table table;
    table.Row(1).name = "壁";
    RecordWriter out;
    WriteLayerNames(table, "f-0", out);
    EXPECT_EQ(sjis::Decode(out.Bytes()), "ch 0 0 0 0 \"レイヤ名を設定しました。 \r\n");
}

TEST(HostileOutput, SizesBeyondSinglePrecisionRefuseTheTable) {
    // The drawing's scale 1e308 and text type 1's height 1e39 do not fit the lengths of the
    // coordinate file: the table is refused with the reason, nothing is written.
    struct Case {
        const char* settings;
        const char* message;
        const char* why;
    };
    const Case cases[] = {
        {"[kihon]\r\nUtiwakemenseki=1\r\nToosibango=1\r\n", "図面の縮尺が大きすぎるため、面積を記入できません。",
         "areas written one text height below the number"},
        {"[Moji]\r\nMojishu=cn1\r\n", "作表設定「文字種」(Mojishu) の文字種「cn1」には文字の大きさがありません。",
         "rows as high as text type 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Scratch scratch;
        Put(scratch / "TEMP.TXT", Fixture("hostile/group-scale-1e308.TEMP.TXT"));
        Put(scratch / "Vemora.INI", c.settings);
        CliOutcome run = RunOnFolder(scratch.Path(), "C2", Registry(), scratch.Path());
        EXPECT_EQ(run.status, kExitNotWritten);
        EXPECT_TRUE(Contains(run.err, c.message)) << run.err;
        EXPECT_EQ(Names(scratch.Path()), (std::vector<std::string>{"TEMP.TXT", "Vemora.INI"}));
        EXPECT_EQ(Get(scratch / "Vemora.INI"), c.settings);
    }
}

TEST(HostileFaults, SeventeenthColourWritesNoResultFile) {
    for (const char* word : {"M3", "M4", "M5"}) {
        SCOPED_TRACE(word);
        Scratch scratch;
        Put(scratch / "TEMP.TXT", Fixture("hostile/seventeen-colours.TEMP.TXT"));
        Put(scratch / "JWC_TEMP.TXT", kPrevious);
        CliOutcome run = RunOnFolder(scratch.Path(), word, Registry(), std::nullopt);
        EXPECT_EQ(run.status, kExitNotWritten);
        EXPECT_TRUE(Contains(run.err, "16色を越えました。"));
        EXPECT_TRUE(Contains(run.err, "16色を越えたため、図形を書き戻せません。"));
        EXPECT_EQ(Get(scratch / "JWC_TEMP.TXT"), kPrevious);
        EXPECT_EQ(Names(scratch.Path()), (std::vector<std::string>{"JWC_TEMP.TXT", "TEMP.TXT"}));
    }
    // The table modes draw the sixteen rows read.
    Scratch scratch;
    Put(scratch / "TEMP.TXT", Fixture("hostile/seventeen-colours.TEMP.TXT"));
    CliOutcome run = RunOnFolder(scratch.Path(), "C2", Registry(), scratch.Path());
    EXPECT_EQ(run.status, kExitDone) << run.err;
    EXPECT_TRUE(Contains(sjis::Decode(Get(scratch / "ZTEMP.TXT")), "h# 16色 16個のソリッド図形"));
}

TEST(HostileFaults, CoordinateFolderMissing) {
    Scratch scratch;
    CopyPlan(scratch / "program");
    const fs::path gone = scratch / "gone";
    std::string zfile;  // a registry string escapes its backslashes
    for (char c : gone.string())
        zfile += c == '\\' ? std::string("\\\\") : std::string(1, c);
    Put(scratch / "jw.reg",
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Jw_cad\\jw_win\\Folder]\r\n\"ZFILE\"=\"" + zfile + "\"\r\n");
    CliOutcome run = RunOnFolder(scratch / "program", "C2", scratch / "jw.reg", std::nullopt);
    EXPECT_EQ(run.status, kExitNotWritten);
    EXPECT_TRUE(Contains(run.err, (gone / "ZTEMP.TXT").string())) << run.err;
    EXPECT_TRUE(Contains(run.err, "フォルダがありません。")) << run.err;
    EXPECT_FALSE(fs::exists(gone));
    // Nothing drawn, nothing saved.
    EXPECT_EQ(Names(scratch / "program"), (std::vector<std::string>{"TEMP.TXT", "vemora.lst"}));
}

// Where the output goes, by mode: the coordinate-file folder, or the program folder.
struct FaultCase {
    const char* word;
    const char* output;
    bool inProgramFolder;
};
constexpr FaultCase kFaultCases[] = {{"C2", "ZTEMP.TXT", false},
                                     {"", "ZTEMP.TXT", false},
                                     {"M3", "JWC_TEMP.TXT", true}};

// Runs the mode with writes into its output folder failing as `failure` says (after the
// inputs and the previous output are in place).
void ExpectOutputRefused(const FaultCase& c, const WriteFailure& failure) {
    SCOPED_TRACE(c.word);
    Scratch scratch;
    const fs::path folder = scratch / "out";
    const fs::path program = c.inProgramFolder ? folder : scratch / "program";
    CopyPlan(program);
    Put(folder / c.output, kPrevious);
    const std::vector<std::string> before = Names(folder);
    FakeFileSystem fake(folder, failure);
    file::ScopedFileSystem use(fake);

    CliOutcome run = RunOnFolder(program, c.word, Registry(), folder);
    EXPECT_EQ(run.status, kExitNotWritten);
    EXPECT_TRUE(Contains(run.err, (folder / c.output).string())) << run.err;
    EXPECT_TRUE(Contains(run.err, failure.reason)) << run.err;
    EXPECT_EQ(Get(folder / c.output), kPrevious);
    EXPECT_EQ(Names(folder), before) << "a temporary file was left";
    if (!c.inProgramFolder) {
        EXPECT_FALSE(fs::exists(program / "Vemora.INI")) << "settings saved without a table";
    }
}

TEST(HostileFaults, OutputFolderWhereWritingFails) {
    for (const WriteFailure& failure : kWriteFailures) {
        SCOPED_TRACE(failure.what);
        for (const FaultCase& c : kFaultCases)
            ExpectOutputRefused(c, failure);
    }
}

TEST(HostileFaults, ProgramFolderReadOnlyAfterTheTable) {
    // The table is drawn, but Vemora.INI cannot be saved: the run says so and fails.
    Scratch scratch;
    const fs::path program = scratch / "program";
    CopyPlan(program);
    Put(program / "Vemora.INI", kPrevious);
    FakeFileSystem fake(program, kReadOnlyFolder);
    file::ScopedFileSystem use(fake);
    CliOutcome run = RunOnFolder(program, "C2", Registry(), scratch.Path());
    EXPECT_TRUE(
        Contains(sjis::Decode(Get(scratch / "ZTEMP.TXT")), "h# 3色 3個のソリッド図形の面積を測定・作表しました。"));
    EXPECT_TRUE(Contains(run.err, (program / "Vemora.INI").string())) << run.err;
    EXPECT_TRUE(Contains(run.err, kReadOnlyFolder.reason)) << run.err;
    EXPECT_EQ(Get(program / "Vemora.INI"), kPrevious);
    EXPECT_EQ(run.status, kExitNotWritten);
}

}  // namespace
