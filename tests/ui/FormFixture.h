// Shared by the form-model tests: scripted fakes for every service the model calls, a
// scratch program folder, and a model loaded from it.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "TestSupport.h"
#include "base/File.h"
#include "base/Sjis.h"
#include "host/JwRegistry.h"
#include "ui/FormModel.h"

// Records every call; answers from the scripts, or with the safe answer when a script is empty.
struct FakeServices : Notifier, ColourDialog, FileDialog, Clipboard, HandOff, AboutBox {
    std::vector<Message> messages;
    std::deque<Answer> answers;
    std::vector<ColourRequest> colourRequests;
    std::deque<std::optional<SolidColour>> colours;
    std::vector<FileRequest> fileRequests;
    std::deque<std::optional<std::string>> files;
    std::vector<std::string> clipboard;
    bool clipboardWorks = true;
    int handOffs = 0;
    std::function<void()> duringHandOff;
    int abouts = 0;

    Answer Show(const Message& message) override {
        messages.push_back(message);
        if (answers.empty()) return message.buttons == MessageButtons::Ok ? Answer::Ok : Answer::No;
        Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<SolidColour> PickColour(const ColourRequest& request) override {
        colourRequests.push_back(request);
        std::optional<SolidColour> colour = colours.empty() ? std::nullopt : colours.front();
        if (!colours.empty()) colours.pop_front();
        return colour;
    }
    std::optional<std::string> ChooseFile(const FileRequest& request) override {
        fileRequests.push_back(request);
        std::optional<std::string> path = files.empty() ? std::nullopt : files.front();
        if (!files.empty()) files.pop_front();
        return path;
    }
    bool SetText(std::string_view utf8) override {
        clipboard.emplace_back(utf8);
        return clipboardWorks;
    }
    void Run() override {
        ++handOffs;
        if (duringHandOff) duringHandOff();
    }
    void ShowAbout() override { ++abouts; }

    FormServices Services() { return {*this, *this, *this, *this, *this, *this}; }
    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const Message& m : messages) out.push_back(m.text);
        return out;
    }
};

// A fresh program folder for the test.
class ScratchFolder : public TempFolder {
public:
    using TempFolder::TempFolder;
    // Writes UTF-8 lines as the program's files are: code page 932, CR LF after every line.
    void Write(std::string_view name, std::initializer_list<std::string_view> lines) const {
        std::string text;
        for (std::string_view line : lines) (text += line) += "\r\n";
        ASSERT_TRUE(file::WriteAtomic(File(name), sjis::Encode(text)));
    }
    std::string Read(std::string_view name) const { return sjis::Decode(file::Read(File(name)).value_or("<missing>")); }
};

// Jw_cad's registry with a white background (or the given one) and pens 1..9.
inline std::unique_ptr<RegistrySource> TestRegistry(const std::string& background = "ffffff", int reverse = 0) {
    return RegistryExport("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Jw_cad\\jw_win\\Pen]\r\n\"Color00\"=\"" +
                          background +
                          "\"\r\n\"Color01\"=\"ff\"\r\n\"Color02\"=\"0\"\r\n\"Color03\"=\"ff00\"\r\n"
                          "\"Color04\"=\"ffff\"\r\n\"Color05\"=\"ff00ff\"\r\n\"Color06\"=\"ff0000\"\r\n"
                          "\"Color07\"=\"808000\"\r\n\"Color08\"=\"c0c0c0\"\r\n\"Color09\"=\"808080\"\r\n\r\n"
                          "[HKEY_CURRENT_USER\\Software\\Jw_cad\\jw_win\\Draw]\r\n\"Reverse\"=dword:0000000" +
                          std::to_string(reverse) + "\r\n");
}

// A model of the mode loaded from the folder, its coordinate file going to the same folder.
struct LoadedForm {
    FakeServices fake;
    std::unique_ptr<RegistrySource> registry;
    std::unique_ptr<FormModel> model;

    LoadedForm(ModeCode mode, const ScratchFolder& folder, std::unique_ptr<RegistrySource> source = TestRegistry())
        : registry(std::move(source)), model(std::make_unique<FormModel>(mode, *registry, fake.Services())) {
        model->Load({folder.Str(), folder.Str()});
    }
    FormModel& operator*() { return *model; }
    FormModel* operator->() { return model.get(); }
    const TableRow& Row(int i) const { return model->GetTable().Row(i); }
};

// TEMP.TXT with three measured colours: red (two triangles, 0.5 m² each), green (a 1.5 m²
// square) and blue (a 2 m² rectangle). Pen 1 is red, pen 3 green.
inline void WriteThreeColours(const ScratchFolder& folder) {
    folder.Write("TEMP.TXT", {"hq", "hs 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100",
                              "hcw 2 2.5 3 4 5 6 7 8 9 10", "hch 2 2.5 3 4 5 6 7 8 9 10", "hcd 0 0 0.5 0.5 0.5 0.5 1 1 1 1",
                              "lg0", "ly1", "cn3", "#", "lc1", "sl 0 0 1000 0 0 1000", "sl 0 0 1000 0 0 1000", "lc3",
                              "sl 0 0 1500 0 1500 1000 0 1000", "lc10 16711680", "sl 0 0 2000 0 2000 1000 0 1000"});
}
