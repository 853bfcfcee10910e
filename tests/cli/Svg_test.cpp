// vemora-cli --svg on the office sample, with and without the total row, and where no table is drawn.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "TempFolder.h"
#include "base/File.h"
#include "cli/CliRun.h"

namespace {

const std::filesystem::path kData = VEMORA_TEST_DATA;

std::string Data(const std::string& name) {
    return file::Read((kData / "picture" / name).string()).value_or("<missing " + name + ">");
}

}  // namespace

TEST(CliSvg, OfficeSampleWithAndWithoutTotalRow) {
    struct Case {
        const char* settings;  // Vemora.INI
        const char* svg;
        PrintFormat print;
        const char* printed;
    } cases[] = {{"", "office.svg", PrintFormat::None, ""},
                 {"[kihon]\r\nGoukei=1\r\n", "office-total.svg", PrintFormat::Json, "office-total.json"}};
    for (const Case& c : cases) {
        TempFolder dir(c.svg);
        for (const char* name : {"TEMP.TXT", "koumoku.INI"})
            std::filesystem::copy_file(kData / "samples" / "office" / name, dir.Path() / name);
        ASSERT_TRUE(file::WriteAtomic(dir.File("Vemora.INI"), c.settings));
        CliOptions options;
        options.modeWord = "C1", options.dir = dir.Str(), options.zfile = dir.Str(), options.svg = dir.File("t.svg");
        options.print = c.print;
        std::ostringstream out, err;
        EXPECT_EQ(RunCli(options, out, err), kExitDone) << err.str();
        EXPECT_EQ(file::Read(dir.File("t.svg")).value_or(""), Data(c.svg));
        EXPECT_EQ(out.str(), *c.printed ? Data(c.printed) : "");
    }
    CliOptions rewrite;
    rewrite.modeWord = "M3", rewrite.dir = kData.string(), rewrite.svg = "t.svg";
    std::ostringstream out, err;
    EXPECT_EQ(RunCli(rewrite, out, err), kExitUsage);
    EXPECT_EQ(err.str(), "vemora-cli: --svg: this mode draws no table\n");
}
