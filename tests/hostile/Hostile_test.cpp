// What only whole runs show: a 50 MB line without a line end, and output folders where
// writing fails (read-only, full, a failed close or rename) through the file-system seam: a
// clear message naming the file, exit status 2, no partial or temporary file, the previous
// file in place.
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <sstream>

#include "FakeFileSystem.h"
#include "TempFolder.h"
#include "TestSupport.h"
#include "base/Sjis.h"
#include "cli/CliRun.h"
#include "exchange/ExchangeReader.h"
#include "output/ModeOutputs.h"
#include "output/RecordWriter.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPrevious = "previous good file\r\n";

std::string Get(const fs::path& path) {
    return file::Read(path.string()).value_or("<missing>");
}

std::set<fs::path> Names(const fs::path& folder) {
    return {fs::directory_iterator(folder), fs::directory_iterator()};
}

// The plan drawing (two colours and a circle solid) with its list file in `program`, and the
// previous good file as `name` in `folder`.
void Prepare(const fs::path& program, const fs::path& folder, const char* name) {
    fs::create_directories(program);
    fs::create_directories(folder);
    for (const char* input : {"TEMP.TXT", "vemora.lst"})
        fs::copy_file(VEMORA_TEST_DATA "/cli/plan/" + std::string(input), program / input);
    ASSERT_TRUE(file::WriteAtomic((folder / name).string(), kPrevious));
}

// vemora-cli in mode `word` on `program`, with the coordinate files in `coordinates`: the
// exit status and what it told.
std::pair<int, std::string> RunCliOn(const fs::path& program, const char* word, const fs::path& coordinates) {
    CliOptions options;
    if (*word)
        options.modeWord = word;  // none: layer names of a running Jw_cad
    options.dir = program.string();
    options.zfile = coordinates.string();
    options.registry = VEMORA_TEST_DATA "/cli/jw.reg";
    std::ostringstream out, err;
    int status = RunCli(options, out, err);
    return {status, err.str()};
}

TEST(HostileExchange, FiftyMegabyteLineWithoutLineEnd) {
    // A solid record whose last field runs 50 MB to the end of the file: kept and counted,
    // unmeasured, and written back whole, in memory and streamed to the result file.
    TempFolder scratch;
    const std::string record = "sl 0 0 1000 0 0 " + std::string(50u << 20, '7');
    ASSERT_TRUE(file::WriteAtomic(scratch.File("TEMP.TXT"), "hq\r\nlc6\r\n" + record));
    auto start = std::chrono::steady_clock::now();
    Table table;
    Drawing drawing;
    RecordingNotifier notifier;
    EXPECT_EQ(ReadExchangeFile(scratch.Str(), {.rewritesSolids = true}, table, drawing, notifier), ReadOutcome::Finished);
    RecordWriter out;
    WriteRewrite(table, drawing, kWhite, RewriteKind::Recolour, out);
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 60.0);
    EXPECT_EQ(table.firstFreeRow, 2);
    EXPECT_EQ(table.Row(1).solidCount, 1);
    EXPECT_FALSE(table.Row(1).area) << "a number of 50 million digits is no coordinate";
    EXPECT_EQ(RunCliOn(scratch.Path(), "M3", scratch.Path()).first, kExitDone);
    for (const std::string& written : {out.Bytes(), Get(scratch.Path() / "JWC_TEMP.TXT")})
        EXPECT_NE(written.find("\r\n" + record + "\r\n"), std::string::npos);
}

TEST(HostileFaults, OutputFolderWhereWritingFails) {
    struct Case {
        const char *word, *output;
        bool inProgramFolder;  // or else in the coordinate-file folder
    } cases[] = {{"C2", "ZTEMP.TXT", false}, {"", "ZTEMP.TXT", false}, {"M3", "JWC_TEMP.TXT", true}};
    for (const WriteFailure& failure : kWriteFailures) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(failure.what) + " " + c.word);
            TempFolder scratch;
            const fs::path folder = scratch.Path() / "out", program = c.inProgramFolder ? folder : scratch.Path() / "in";
            Prepare(program, folder, c.output);
            const std::set<fs::path> before = Names(folder);
            FakeFileSystem fake(folder, failure);
            file::ScopedFileSystem use(fake);
            auto [status, err] = RunCliOn(program, c.word, folder);
            EXPECT_EQ(status, kExitNotWritten);
            EXPECT_NE(err.find((folder / c.output).string() + "\n" + std::string(failure.reason)), std::string::npos) << err;
            EXPECT_EQ(Get(folder / c.output), kPrevious);
            EXPECT_EQ(Names(folder), before) << "a temporary file was left";
            EXPECT_FALSE(fs::exists(scratch.Path() / "in" / "Vemora.INI")) << "settings saved without a table";
        }
    }
}

TEST(HostileFaults, ProgramFolderReadOnlyAfterTheTable) {
    // The table is drawn, but Vemora.INI cannot be saved: the run says so and fails.
    TempFolder scratch;
    const fs::path program = scratch.Path() / "program";
    Prepare(program, program, "Vemora.INI");
    FakeFileSystem fake(program, kReadOnlyFolder);
    file::ScopedFileSystem use(fake);
    auto [status, err] = RunCliOn(program, "C2", scratch.Path());
    EXPECT_EQ(status, kExitNotWritten);
    EXPECT_NE(sjis::Decode(Get(scratch.Path() / "ZTEMP.TXT")).find("h# 3色 3個のソリッド図形の面積を測定・作表しました。"),
              std::string::npos);
    EXPECT_NE(err.find((program / "Vemora.INI").string() + "\n" + std::string(kReadOnlyFolder.reason)), std::string::npos)
        << err;
    EXPECT_EQ(Get(program / "Vemora.INI"), kPrevious);
}

}  // namespace
