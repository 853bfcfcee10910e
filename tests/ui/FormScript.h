// Runs a form-model script from tests/data/output/form/. Each command line does what the user
// means (name a row, give it a unit, OK); the two-space indented lines after it say what it
// returned and every part of the form it changed. The file is compared whole with what the
// run gives; VEMORA_UPDATE_GOLDEN=1 writes the run back into it instead, to be reviewed.
//
//   mode C2
//   file TEMP.TXT @three-colours.TEMP.TXT
//   load
//     row 01: FF0000 "" 1.000 m^2,1 x1 area 1 solids 2/2
//   unit 2 坪,0.3025
//     row 02: 00FF00 "" 0.454 坪,0.3025 x0.3025 area 1.5 solids 1/1
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "TestSupport.h"
#include "base/File.h"
#include "base/Sjis.h"
#include "base/Text.h"
#include "host/JwRegistry.h"
#include "output/RecordWriter.h"
#include "output/TableElements.h"
#include "output/TableSvg.h"
#include "ui/CheckSummary.h"
#include "ui/FormModel.h"

namespace form_script {

using State = std::map<std::string, std::string>;

// One model over a scratch program folder, and services that record: the notifier answers
// from `answers`, then with the safe answer; the clipboard fails on request.
struct Session : RecordingNotifier, Clipboard, HandOff {
    TempFolder folder;
    std::string background = "ffffff", reverse = "0", coordinates;  // Jw_cad's registry; ZFILE subfolder
    std::size_t checkPairLimit = kWholeCheckPairLimit;
    std::unique_ptr<RegistrySource> registry;
    std::unique_ptr<FormModel> model;
    std::deque<Answer> answers;
    std::vector<std::string> clipboard;
    bool clipboardWorks = true;
    int handOffs = 0;
    std::function<void()> duringHandOff;
    State shown;  // as last recorded
    std::vector<std::string> previewed;  // the preview's record lines, when asked for

    explicit Session(int number) : folder(std::to_string(number)) {}
    Answer Show(const Message& message) override {
        Answer answer = RecordingNotifier::Show(message);
        if (!answers.empty()) answer = answers.front(), answers.pop_front();
        return answer;
    }
    bool SetText(std::string_view utf8) override {
        clipboard.emplace_back(utf8);
        return clipboardWorks;
    }
    void Run() override {
        ++handOffs;
        if (duringHandOff) duringHandOff();
    }
    // A model of the mode over the folder, loaded as at start-up.
    void Load(const ModeRecord& mode) {
        registry = RegistryExport("REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Jw_cad\\jw_win\\Pen]\r\n\"Color00\"=\"" +
                                  background + "\"\r\n\"Color01\"=\"ff\"\r\n\"Color03\"=\"ff00\"\r\n" +
                                  "[HKEY_CURRENT_USER\\Software\\Jw_cad\\jw_win\\Draw]\r\n\"Reverse\"=dword:" + reverse +
                                  "\r\n");
        model = std::make_unique<FormModel>(mode, *registry, FormServices{*this, *this, *this});
        model->Load({folder.Str(), coordinates.empty() ? folder.Str() : folder.File(coordinates), false, checkPairLimit});
    }
};

// The settings as Vemora.INI holds them, by key.
inline State SettingKeys(const TableSettings& settings) {
    ini::Document document;
    StoreSettings(settings, document);
    State keys;
    const std::string text = sjis::Decode(document.Serialize());
    for (std::string_view line : text::SplitLines(text))
        if (std::size_t eq = line.find('='); eq != std::string_view::npos)
            keys[std::string(line.substr(0, eq))] = line.substr(eq + 1);
    return keys;
}

// The text with its tabs and line ends written as "\t", "\r" and "\n", so that it takes one line.
inline std::string OnOneLine(std::string text) {
    for (std::size_t at; (at = text.find_first_of("\r\n\t")) != std::string::npos;)
        text.replace(at, 1, text[at] == '\t' ? "\\t" : text[at] == '\r' ? "\\r" : "\\n");
    return text;
}

// What the form shows and what it did, by key, each on one line; what is as at start-up is
// left out (rows in the background colour and empty, settings at their defaults), the scratch
// folder is <dir> and the system's own words for a failed write are <reason>.
inline State StateOf(const Session& s) {
    const FormModel& m = *s.model;
    State state;
    auto number = [](double value) { return (std::ostringstream() << value).str(); };
    for (int i = 1; i <= kRowCount; ++i) {
        const TableRow& r = m.GetTable().Row(i);
        const RowRecords& k = r.records;
        const std::size_t records = k.sl4.size() + k.sl.size() + k.sc.size() + k.se.size() + k.so.size() + k.sg.size();
        if (RowInUse(r, m.Background()) || r.newColour != m.Background() || !r.quantity.empty() || !r.unitEntry.empty() ||
            records > 0)
            state[(i < 10 ? "row 0" : "row ") + std::to_string(i)] =
                ColourHexText(r.colour) + (r.newColour == r.colour ? "" : ">" + ColourHexText(r.newColour)) + " \"" +
                r.name + "\" " + r.quantity + " " + r.unitEntry + " x" + number(r.factor) + " area " +
                (r.area ? number(*r.area) : "-") + " solids " + std::to_string(r.solidCount) + "/" + std::to_string(records);
        if (!m.SwatchMark(i, false).empty() || !m.SwatchMark(i, true).empty())
            state["marks"] += std::to_string(i) + ":" + std::string(m.SwatchMark(i, false)) +
                              std::string(m.SwatchMark(i, true)) + " ";
    }
    state["caption"] = m.Caption() + ", first free row " + std::to_string(m.GetTable().firstFreeRow);
    state["background"] = ColourHexText(m.Background()) + (m.SwatchTextWhite() ? ", white marks" : ", black marks");
    const char* runStates[] = {"running", "finished", "exited", "aborted"};
    state["run"] = runStates[static_cast<int>(m.GetRunState())] + std::string(m.OkFailed() ? ", OK failed" : "") +
                   (m.Busy() ? ", busy" : "") + (s.handOffs ? ", handed off " + std::to_string(s.handOffs) : "");
    state["title"] = m.Title();
    if (!m.CheckSummaryText().empty()) state["findings"] = m.CheckSummaryText();
    state["alignment"] = (m.NameAlignment() ? std::to_string(*m.NameAlignment()) : "-") + ", copy layout " +
                         (m.CopyLayout() ? std::to_string(*m.CopyLayout()) : "-");
    static const State defaults = SettingKeys(TableSettings{});
    for (const auto& [key, value] : SettingKeys(m.Settings()))
        if (!defaults.contains(key) || defaults.at(key) != value) state["setting " + key] = value.empty() ? "\"\"" : value;
    for (int field = 0; field <= static_cast<int>(PanelField::HorizontalLineLayer); ++field)
        state["fields enabled"] += m.FieldEnabled(static_cast<PanelField>(field)) ? "1" : "0";
    for (std::size_t i = 0; i < s.messages.size(); ++i) {
        std::string& text = state["message " + std::to_string(i + 1)] = s.messages[i].text;
        for (const char* reason : {"書き込めませんでした。(", "書き込みが許可されていません。"})
            if (std::size_t at = text.find(reason); at != std::string::npos) text = text.substr(0, at) + "<reason>";
        if (s.messages[i].buttons == MessageButtons::YesNo) text += " [Yes/No]";
    }
    for (std::size_t i = 0; i < s.clipboard.size(); ++i) state["clipboard " + std::to_string(i + 1)] = '"' + s.clipboard[i] + '"';
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(s.folder.Path()))
        files.insert(entry.path().filename().string() + (entry.is_directory() ? "/" : ""));
    for (const std::string& name : files) state["files"] += name + " ";
    for (auto& [key, value] : state) {
        for (std::size_t at; (at = value.find(s.folder.Str())) != std::string::npos;)
            value.replace(at, s.folder.Str().size(), "<dir>");
        std::replace(value.begin(), value.end(), '\\', '/');
        value = OnOneLine(std::move(value));
        value.erase(value.find_last_not_of(' ') + 1);
    }
    return state;
}

// The words of a command line by position: numbers, colours (#RRGGBB), words, and from a
// position on the rest of the line as text ("\n" stands for a line end, "\t" for a tab).
struct Arguments {
    std::string line;

    std::string Text(int first) const {
        std::size_t at = 0;
        for (int i = 0; i < first && at != std::string::npos; ++i) at = line.find_first_not_of(' ', line.find(' ', at));
        std::string text = at == std::string::npos ? "" : line.substr(at);
        for (std::size_t n; (n = text.find("\\n")) != std::string::npos;) text.replace(n, 2, "\n");
        for (std::size_t n; (n = text.find("\\t")) != std::string::npos;) text.replace(n, 2, "\t");
        return text;
    }
    std::string Word(int i) const { return Text(i).substr(0, Text(i).find(' ')); }
    int Number(int i) const { return std::stoi(Word(i)); }
    SolidColour Colour(int i) const { return ParseColourText(Word(i)); }
};

class Runner {
  public:
    // Runs the script and compares it, commands and what they gave, with the file.
    void Run(const std::string& name) {
        const std::string path = VEMORA_TEST_DATA "/output/form/" + name;
        const std::string script = file::Read(path).value_or("");
        for (std::string_view line : text::SplitLines(script)) {
            if (line.starts_with("  ")) continue;
            transcript_ += std::string(line) + "\n";
            if (!line.empty() && !line.starts_with("#")) Do(std::string(line));
        }
        if (std::getenv("VEMORA_UPDATE_GOLDEN")) { EXPECT_TRUE(file::WriteAtomic(path, transcript_)); }
        EXPECT_EQ(transcript_, script) << name;
    }

  private:
    // Runs one command and records what it returned and what it changed.
    void Do(const std::string& line) {
        const Arguments a{line};
        const std::string command = a.Word(0);
        if (command == "mode") {  // a new session of the mode the batch file's word selects
            sessions_.push_back(std::make_unique<Session>(++sessionCount_));
            mode_ = &SelectMode(a.Text(1));
            return;
        }
        if (command == "words") return Result("[" + Joined(SplitCommandLine(a.Text(2), a.Number(1)), "][", "") + "]");
        if (command == "select") return Result(std::string(SelectMode(a.Text(1)).captionText));
        if (command == "menus") return Result(Menus(a.Word(1) == "panel", a.Word(2) == "busy", a.Word(3)));
        if (command == "swatches") return Result(Swatches());
        Session& s = *sessions_.back();
        if (command == "file") File(s, a.Word(1), a.Text(2));
        else if (command == "folder") std::filesystem::create_directories(s.folder.Path() / a.Word(1));
        else if (command == "registry") s.background = a.Word(1), s.reverse = a.Word(2);  // background, drawing order
        else if (command == "coordinates") s.coordinates = a.Word(1);
        else if (command == "check-limit") s.checkPairLimit = static_cast<std::size_t>(a.Number(1));
        else if (command == "answer") s.answers.push_back(a.Word(1) == "yes" ? Answer::Yes : Answer::No);
        else if (command == "clipboard-fails") s.clipboardWorks = false;
        else if (command == "during-hand-off") s.duringHandOff = [this, commands = a.Text(1)] { During(commands); };
        else if (command == "load") s.Load(*mode_);
        else Result(Call(s, command, a));
        if (s.model) Changes(s);
    }

    // A model command: its result, or "" when it has none.
    std::string Call(Session& s, const std::string& command, const Arguments& a) {
        FormModel& m = *s.model;
        auto yes = [](bool value) { return std::string(value ? "true" : "false"); };
        if (command == "title") m.SetTitle(a.Text(1));
        else if (command == "name") m.SetRowName(a.Number(1), a.Text(2));
        else if (command == "unit") m.SetRowUnit(a.Number(1), a.Text(2));
        else if (command == "quantity") m.SetQuantity(a.Number(1), a.Text(2));
        else if (command == "recolour") return yes(m.RecolourRow(a.Number(1), a.Colour(2)));
        else if (command == "paint") return yes(m.SetLayerColour(a.Number(1), a.Colour(2)));
        else if (command == "add") return yes(m.AddRow(a.Number(1), a.Colour(2)));
        else if (command == "delete") return yes(m.DeleteRow(a.Number(1)));
        else if (command == "swap") return yes(m.SwapRows(a.Number(1), a.Number(2)));
        else if (command == "rounding") m.SetRounding(a.Text(1));
        else if (command == "set") m.SetSetting(static_cast<PanelField>(a.Number(1)), a.Text(2));  // field by number
        else if (command == "ruled-lines") m.SetRuledLines(a.Number(1), a.Word(2) == "on");
        else if (command == "copy-layout") m.SetCopyLayout(a.Number(1));
        else if (command == "align") m.SetNameAlignment(a.Number(1));
        else if (command == "capitals") m.SetUpperCaseColourNames(a.Word(1) == "on");
        else if (command == "open") return yes(m.OpenTableFile(a.Text(1).empty() ? "" : s.folder.File(a.Text(1))));
        else if (command == "save") return yes(m.SaveTableFile(s.folder.File(a.Text(1))));
        else if (command == "ok") m.Ok();
        else if (command == "copy") m.CopyTable();
        else if (command == "exit") m.Exit();
        else if (command == "list") return Joined(m.ListEntries(static_cast<PanelField>(a.Number(1))), " ", "nothing");
        else if (command == "read") return Joined(Lines(s, a.Word(1), a.Text(2)), " ", "nothing");  // lines holding the text
        else if (command == "compare") return Compare(file::Read(s.folder.File(a.Word(1))).value_or("<missing>"), a.Word(2));
        else if (command == "svg") return Svg(m.Preview(), a.Word(1));
        else if (command == "preview") s.previewed = Previewed(m);
        else if (command == "drawn-as-previewed") return yes(DrawnAsPreviewed(s));
        else if (command == "total-row") m.SetTotalRow(a.Word(1) == "on");
        else if (command == "seen-areas") m.SetSeenAreas(a.Word(1) == "on");
        else if (command == "details") return Joined(Details(m), "; ", "none");
        else ADD_FAILURE() << "unknown command " << command;
        return "";
    }

    // The menus of the mode: those disabled and those checked, with the settings panel shown or
    // not, while the hand-off runs or not, and the alignment mark ("-" for none).
    std::string Menus(bool panelVisible, bool busy, const std::string& mark) const {
        std::string off, checked;
        const std::optional<int> alignment = mark == "-" ? std::nullopt : std::optional<int>(std::stoi(mark));
        for (const MenuDef& def : MenuBar()) {
            const CommandState state = GetCommandState(def.command, {mode_, panelVisible, alignment, busy});
            if (!state.enabled) off += std::string(" ") + def.caption;
            if (state.checked) checked += std::string(" ") + def.caption;
        }
        return "off:" + off + "; checked:" + checked;
    }
    // The swatch-mode button's states from the first on: caption, hint, whether rows are dragged.
    std::string Swatches() const {
        std::vector<std::string> states;
        for (SwatchMode state = SwatchMode::Reorder; states.empty() || state != SwatchMode::Reorder; state = NextSwatchMode(state))
            states.push_back(std::string(SwatchModeCaption(state)) + " \"" + std::string(SwatchHint(*mode_, state)) +
                             (LeftSwatchesDraggable(*mode_, state) ? "\" dragged" : "\""));
        return Joined(states, ", ", "");
    }
    void Result(const std::string& result) {
        if (!result.empty()) transcript_ += "  -> " + OnOneLine(result) + "\n";
    }
    void During(const std::string& commands) {  // separated by ";"
        std::istringstream in(commands);
        for (std::string command; std::getline(in >> std::ws, command, ';');) {
            transcript_ += "  during the hand-off: " + command + "\n";
            Do(command);
        }
    }
    // A file in the program folder: the text in code page 932, or "@" and a file of tests/data/output/form/.
    static void File(const Session& s, const std::string& name, const std::string& text) {
        const std::string bytes = text.starts_with("@") ? file::Read(VEMORA_TEST_DATA "/output/form/" + text.substr(1)).value_or("")
                                                        : sjis::Encode(text);
        EXPECT_TRUE(file::WriteAtomic(s.folder.File(name), bytes));
    }
    static std::vector<std::string> Lines(const Session& s, const std::string& name, const std::string& part) {
        std::vector<std::string> found;
        const std::string text = sjis::Decode(file::Read(s.folder.File(name)).value_or(""));
        for (std::string_view line : text::SplitLines(text))
            if (line.find(part) != std::string_view::npos) found.push_back("\"" + std::string(line) + "\"");
        return found;
    }
    // `actual` against a golden file of tests/data/output/; with VEMORA_UPDATE_GOLDEN=1 a missing
    // one is written.
    static std::string Compare(const std::string& actual, const std::string& golden) {
        const std::string path = VEMORA_TEST_DATA "/output/" + golden;
        if (std::getenv("VEMORA_UPDATE_GOLDEN") && !std::filesystem::exists(path)) {
            EXPECT_TRUE(file::WriteAtomic(path, actual));
        }
        const std::string expected = file::Read(path).value_or("<missing golden file>");
        const auto at = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end()).first;
        return actual == expected ? "same as " + golden
                                  : "differs from line " + std::to_string(1 + std::count(actual.begin(), at, '\n'));
    }
    // The preview as an SVG against a golden file, or the message shown instead of a table.
    static std::string Svg(const TablePicture& picture, const std::string& golden) {
        return picture.elements ? Compare(TableSvg(picture), golden) : "no table: " + picture.message;
    }
    // Does the ZTEMP.TXT that OK wrote hold the records of the preview asked for before?
    static bool DrawnAsPreviewed(const Session& s) {
        const std::vector<std::string> written = Lines(s, "ZTEMP.TXT", "");
        return !s.previewed.empty() &&
               std::search(written.begin(), written.end(), s.previewed.begin(), s.previewed.end()) != written.end();
    }
    // The lines the preview's drawing gives as records, quoted as Lines quotes them.
    static std::vector<std::string> Previewed(const FormModel& m) {
        const TablePicture picture = m.Preview();
        RecordWriter records;
        if (picture.elements) WriteTableElements(*picture.elements, m.Settings(), records);
        const std::string text = sjis::Decode(records.Bytes());
        std::vector<std::string> lines;
        for (std::string_view line : text::SplitLines(text)) lines.push_back("\"" + std::string(line) + "\"");
        return lines;
    }
    // The lines of the findings' details list: rows, kind, area.
    static std::vector<std::string> Details(const FormModel& m) {
        std::vector<std::string> lines;
        for (const Finding& f : m.TableFindings())
            lines.push_back(DetailsOf(f).rows + " " + DetailsOf(f).kind + " " + DetailsOf(f).area);
        return lines;
    }
    static std::string Joined(const std::vector<std::string>& parts, const char* between, const char* none) {
        std::string text;
        for (std::size_t i = 0; i < parts.size(); ++i) text += (i ? between : "") + parts[i];
        return parts.empty() ? none : text;
    }
    void Changes(Session& s) {
        State now = StateOf(s);
        for (const auto& [key, value] : now)
            if (s.shown[key] != value) transcript_ += "  " + key + ": " + value + "\n";
        for (const auto& [key, value] : s.shown)
            if (!value.empty() && !now.contains(key)) transcript_ += "  " + key + ": -\n";
        s.shown = std::move(now);
    }

    std::vector<std::unique_ptr<Session>> sessions_;
    const ModeRecord* mode_ = nullptr;
    int sessionCount_ = 0;
    std::string transcript_;
};

}  // namespace form_script
