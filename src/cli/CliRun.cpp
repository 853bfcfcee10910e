#include "cli/CliRun.h"

#include <memory>
#include <utility>

#include "base/File.h"
#include "cli/TablePrint.h"
#include "host/JwRegistry.h"
#include "output/TableSvg.h"
#include "ui/FormModel.h"

namespace {

// What the model asks of its front end, answered as a careful user would: messages printed,
// questions declined; there is no clipboard and no Jw_cad to hand the file to.
class CliServices final : public Notifier, public Clipboard, public HandOff {
public:
    explicit CliServices(std::ostream& err) : err_(err) {}

    Answer Show(const Message& message) override {
        std::string text = message.text;
        for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
            text.erase(at, 1);
        err_ << text << '\n';
        return SafeAnswer(message.buttons);
    }
    bool SetText(std::string_view) override { return false; }
    void Run() override {}

private:
    std::ostream& err_;
};

// ZTEMP.TXT's folder: the option, else Jw_cad's ZFILE value, else where Jw_cad keeps it by
// default on Windows and the program folder elsewhere.
std::string CoordinateFolder(const CliOptions& options, RegistrySource& registry) {
    if (options.zfile) return *options.zfile;
#ifdef _WIN32
    return ReadZFile(registry);
#else
    return ReadZFile(registry, options.dir);
#endif
}

// The table drawing as an SVG file; without one (a setting gives no table) or when the file
// cannot be written, the message says why.
bool WriteSvg(const std::string& path, const TablePicture& picture, Notifier& notifier) {
    if (!picture.elements) {
        ShowMessage(notifier, picture.message, MessageIcon::Exclamation);
        return false;
    }
    file::WriteResult written = file::WriteAtomic(path, TableSvg(picture));
    if (!written)
        ShowMessage(notifier, "ファイルを書き込めませんでした。\r\n" + path + "\r\n" + written.error,
                    MessageIcon::Exclamation);
    return written.ok;
}

int Usage(std::ostream& err, const std::string& message) {
    err << "vemora-cli: " << message << '\n';
    return kExitUsage;
}

// The edits of the options, in a fixed order: table, title, names, units, rounding,
// recolouring, swaps. Returns an error line for an edit the mode does not offer, else empty.
std::string ApplyEdits(const CliOptions& options, FormModel& model) {
    const ModeRecord& mode = model.Mode();
    if (options.table && !model.OpenTableFile(*options.table)) return "--table: 表を開く is not available in this mode";
    if (options.title) model.SetTitle(*options.title);
    for (const RowText& name : options.names) model.SetRowName(name.row, name.text);
    if (!options.units.empty() && !mode.layout.quantityColumns) return "--unit: this mode has no unit column";
    for (const RowText& unit : options.units) model.SetRowUnit(unit.row, unit.text);
    if (options.keta) {
        if (!mode.fileAndSettingsMenus) return "--keta: the settings panel is not available in this mode";
        model.SetRounding(*options.keta);
    }
    for (const Recolour& recolour : options.recolours) {
        if (!mode.recolours) return "--recolour works in the colour-change mode (M3) only";
        bool found = false;
        for (int i = 1; i <= kRowCount; ++i) {
            const TableRow& row = model.GetTable().Row(i);
            if (row.colour == recolour.from && row.colour != model.Background())
                found = model.RecolourRow(i, recolour.to) || found;
        }
        if (!found) return "--recolour: no row has the colour " + std::to_string(recolour.from);
    }
    for (const RowSwap& swap : options.swaps)
        if (!model.SwapRows(swap.source, swap.target)) return "--swap: rows cannot be dragged in this mode";
    return {};
}

}  // namespace

int RunCli(const CliOptions& options, std::ostream& out, std::ostream& err) {
    if (!file::IsFolder(options.dir)) return Usage(err, "--dir: no such folder: " + options.dir);
    if (options.zfile && !file::IsFolder(*options.zfile))
        return Usage(err, "--zfile: no such folder: " + *options.zfile);
    if (options.table && !file::Exists(*options.table)) return Usage(err, "--table: no such file: " + *options.table);
    std::unique_ptr<RegistrySource> registry = LiveRegistry();
    if (options.registry) {
        std::optional<std::string> bytes = file::Read(*options.registry);
        if (!bytes) return Usage(err, "--registry: cannot read " + *options.registry);
        registry = RegistryExport(*bytes);
    }

    const ModeRecord& mode = SelectMode(options.modeWord.value_or(""));
    if (options.svg && !DrawsTable(mode.output)) return Usage(err, "--svg: this mode draws no table");
    if (options.check && !ChecksSolids(mode)) return Usage(err, "--check: this mode measures no areas");
    CliServices services(err);
    FormModel model(mode, *registry, {services, services, services});
    model.Load({options.dir, CoordinateFolder(options, *registry), options.check});
    if (model.GetRunState() == RunState::Aborted) return kExitProgramEnded;

    if (std::string error = ApplyEdits(options, model); !error.empty()) return Usage(err, error);

    const std::vector<TotalRow> totals = model.Mode().output == OkOutput::AreaTable
                                             ? TotalRows(model.GetTable(), model.Settings(), model.Background())
                                             : std::vector<TotalRow>{};
    if (options.check) {
        const SolidCheck& check = model.CheckSolids();
        out << (options.print == PrintFormat::Json ? FindingsJson(check.findings) : FindingsTsv(check.findings));
        out.flush();
        if (check.cutShort)
            err << "vemora-cli: the check stopped short after " << kWholeCheckPairLimit
                << " pairs of solids whose boxes meet; the findings are those found until then\n";
        if (options.svg && !WriteSvg(*options.svg, model.Preview(), services)) return kExitNotWritten;
        return kExitDone;
    }
    const bool seen = model.Settings().seenAreas == 1 && ChecksSolids(mode);
    if (options.print == PrintFormat::Tsv) out << TableTsv(model.GetTable(), model.Background(), totals, seen);
    if (options.print == PrintFormat::Json)
        out << TableJson(model.GetTable(), model.Background(), model.Title(), totals, seen);
    out.flush();
    if (options.svg && !WriteSvg(*options.svg, model.Preview(), services)) return kExitNotWritten;
    if (options.dryRun) return kExitDone;

    model.Ok();
    return model.OkFailed() ? kExitNotWritten : kExitDone;
}
