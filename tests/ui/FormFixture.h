// Shared by the form-model tests: services that record (the notifier answers from a script),
// a scratch program folder, and a model loaded from it.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "TestSupport.h"
#include "base/File.h"
#include "base/Sjis.h"
#include "host/JwRegistry.h"
#include "ui/FormModel.h"

// Answers from `answers`, then with the safe answer; the clipboard fails on request.
struct FakeServices : RecordingNotifier, Clipboard, HandOff {
    std::deque<Answer> answers;
    std::vector<std::string> clipboard;
    bool clipboardWorks = true;
    int handOffs = 0;
    std::function<void()> duringHandOff;

    Answer Show(const Message& message) override {
        Answer answer = RecordingNotifier::Show(message);
        if (answers.empty()) return answer;
        answer = answers.front();
        answers.pop_front();
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
};

class ScratchFolder : public TempFolder {
public:
    using TempFolder::TempFolder;
    // Writes UTF-8 lines as the program's files are: code page 932, CR LF after every line.
    void Write(std::string_view name, const std::vector<std::string>& lines) const {
        std::string text;
        for (const std::string& line : lines) (text += line) += "\r\n";
        ASSERT_TRUE(file::WriteAtomic(File(name), sjis::Encode(text)));
    }
    std::string Read(std::string_view name) const { return sjis::Decode(file::Read(File(name)).value_or("<missing>")); }
};

using Prepare = std::function<void(const ScratchFolder&)>;

// TEMP.TXT with three measured colours: red (two triangles, 0.5 m² each), green (a 1.5 m²
// square) and blue (a 2 m² rectangle). Pen 1 is red, pen 3 green.
inline void WriteThreeColours(const ScratchFolder& folder) {
    folder.Write("TEMP.TXT", {"hq", "hs 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100",
                              "hcw 2 2.5 3 4 5 6 7 8 9 10", "hch 2 2.5 3 4 5 6 7 8 9 10",
                              "hcd 0 0 0.5 0.5 0.5 0.5 1 1 1 1", "lg0", "ly1", "cn3", "#", "lc1",
                              "sl 0 0 1000 0 0 1000", "sl 0 0 1000 0 0 1000", "lc3", "sl 0 0 1500 0 1500 1000 0 1000",
                              "lc10 16711680", "sl 0 0 2000 0 2000 1000 0 1000"});
}
inline void Nothing(const ScratchFolder&) {}
inline Prepare OneFile(std::string name, std::vector<std::string> lines) {
    return [=](const ScratchFolder& folder) { folder.Write(name, lines); };
}

// Jw_cad's registry with a white background (or the given one), pens 1..9 and the drawing order.
inline std::unique_ptr<RegistrySource> TestRegistry(const std::string& background = "ffffff", int reverse = 0) {
    return RegistryExport("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Jw_cad\\jw_win\\Pen]\r\n\"Color00\"=\"" +
                          background +
                          "\"\r\n\"Color01\"=\"ff\"\r\n\"Color02\"=\"0\"\r\n\"Color03\"=\"ff00\"\r\n"
                          "\"Color04\"=\"ffff\"\r\n\"Color05\"=\"ff00ff\"\r\n\"Color06\"=\"ff0000\"\r\n"
                          "\"Color07\"=\"808000\"\r\n\"Color08\"=\"c0c0c0\"\r\n\"Color09\"=\"808080\"\r\n\r\n"
                          "[HKEY_CURRENT_USER\\Software\\Jw_cad\\jw_win\\Draw]\r\n\"Reverse\"=dword:0000000" +
                          std::to_string(reverse) + "\r\n");
}

// A model of the mode loaded from a fresh program folder that `prepare` fills; its coordinate
// file goes to the folder's subfolder `coordinates`, or to the folder itself.
struct LoadedForm {
    static inline int count = 0;
    ScratchFolder folder{std::to_string(++count)};
    FakeServices fake;
    std::unique_ptr<RegistrySource> registry;
    FormModel model;

    explicit LoadedForm(ModeCode mode, const Prepare& prepare = WriteThreeColours,
                        std::unique_ptr<RegistrySource> source = TestRegistry(), const std::string& coordinates = {})
        : registry(std::move(source)), model(RecordOf(mode), *registry, {fake, fake, fake}) {
        prepare(folder);
        model.Load({folder.Str(), coordinates.empty() ? folder.Str() : folder.File(coordinates)});
    }
    FormModel* operator->() { return &model; }
    const TableRow& Row(int i) const { return model.GetTable().Row(i); }
};
