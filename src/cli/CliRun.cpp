#include "cli/CliRun.h"

#include <memory>
#include <utility>

#include "app/CommandLine.h"
#include "base/File.h"
#include "cli/TablePrint.h"
#include "host/JwRegistry.h"
#include "ui/FormModel.h"

namespace {

// The window's dialogs answered as a careful user would: messages printed, questions
// declined, and the colour or file the options name handed over once.
class CliServices final : public Notifier,
                          public ColourDialog,
                          public FileDialog,
                          public Clipboard,
                          public HandOff,
                          public AboutBox {
public:
    explicit CliServices(std::ostream& err) : err_(err) {}

    std::optional<SolidColour> nextColour;
    std::optional<std::string> nextFile;

    Answer Show(const Message& message) override {
        std::string text = message.text;
        for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
            text.erase(at, 1);
        err_ << text << '\n';
        return SafeAnswer(message.buttons);
    }
    std::optional<SolidColour> PickColour(const ColourRequest&) override { return std::exchange(nextColour, std::nullopt); }
    std::optional<std::string> ChooseFile(const FileRequest&) override { return std::exchange(nextFile, std::nullopt); }
    bool SetText(std::string_view) override { return false; }
    void Run() override {}  // no hand-off: Jw_cad is not there
    void ShowAbout() override {}

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

int Usage(std::ostream& err, const std::string& message) {
    err << "vemora-cli: " << message << '\n';
    return kExitUsage;
}

// The edits of the options, in a fixed order: table, title, names, units, rounding,
// recolouring, swaps.
// Returns an error line for an edit the mode does not allow, else empty.
std::string ApplyEdits(const CliOptions& options, FormModel& model, CliServices& services) {
    if (options.table) {
        if (!model.StateOf(Command::OpenTable).enabled) return "--table: 表を開く is not available in this mode";
        services.nextFile = *options.table;
        model.Execute(Command::OpenTable);
    }
    if (options.title) model.SetTitle(*options.title);
    for (const RowText& name : options.names) model.SetRowName(name.row, name.text);
    if (!options.units.empty() && !model.HasUnitColumn()) return "--unit: this mode has no unit column";
    for (const RowText& unit : options.units) model.SetRowUnit(unit.row, unit.text);
    if (options.keta) {
        if (!model.StateOf(Command::TableSettings).enabled) return "--keta: the settings panel is not available in this mode";
        model.Execute(Command::TableSettings);
        model.PickKeta(*options.keta);
        model.ClosePanel();
    }
    for (const Recolour& recolour : options.recolours) {
        if (model.Mode() != ModeCode::ColourChange) return "--recolour works in the colour-change mode (M3) only";
        bool found = false;
        for (int i = 1; i <= kRowCount; ++i) {
            SolidColour left = model.GetTable().Row(i).left;
            if (left != recolour.from || left == model.Background()) continue;
            found = true;
            services.nextColour = recolour.to;
            model.ClickSwatch(i + kRowCount);
        }
        if (!found) return "--recolour: no row has the colour " + std::to_string(recolour.from);
    }
    for (const RowSwap& swap : options.swaps) {
        if (!model.DropSwatch(swap.source, swap.target)) return "--swap: rows cannot be dragged in this mode";
    }
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

    CliServices services(err);
    FormModel model(SelectMode(options.modeWord.value_or("")), *registry,
                    {services, services, services, services, services, services});
    model.Load({options.dir, CoordinateFolder(options, *registry)});
    if (model.GetRunState() == RunState::Aborted) return kExitProgramEnded;

    if (std::string error = ApplyEdits(options, model, services); !error.empty()) return Usage(err, error);

    if (options.print == PrintFormat::Tsv) out << TableTsv(model.GetTable(), model.Background());
    if (options.print == PrintFormat::Json) out << TableJson(model.GetTable(), model.Background(), model.Title());
    out.flush();
    if (options.dryRun) return kExitDone;

    model.Ok();
    return model.OkFailed() ? kExitNotWritten : kExitDone;
}
