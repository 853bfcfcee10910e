#include "app/CommandLine.h"

#include <array>

namespace {

struct ModeWord {
    std::string_view ending;
    ModeCode mode;
};

// In the order they are tried.
constexpr ModeWord kModeWords[] = {
    {"M3", ModeCode::ColourChange}, {"M4", ModeCode::LayerDistribution}, {"M5", ModeCode::Overlap},
    {"M6", ModeCode::TableCreation}, {"M7", ModeCode::LayerNamesExternal}, {"C1", ModeCode::PreviousArea},
    {"C2", ModeCode::NewArea},
};

// The last `count` characters of UTF-8 text (all of it when shorter), never part of one.
std::string_view LastCharacters(std::string_view text, int count) {
    std::size_t start = text.size();
    for (int i = 0; i < count && start > 0; ++i) {
        --start;
        while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
    }
    return text.substr(start);
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine, int maxWords) {
    std::vector<std::string> words(1);
    bool inWord = false;
    for (char c : commandLine) {
        if (c == ' ' || c == '\t') {
            inWord = false;
            continue;
        }
        if (!inWord) {
            if (static_cast<int>(words.size()) - 1 >= maxWords) break;
            words.emplace_back();
            inWord = true;
        }
        words.back() += c;
    }
    return words;
}

ModeCode SelectMode(std::string_view commandLine) {
    std::vector<std::string> words = SplitCommandLine(commandLine);
    if (words.size() == 1) return ModeCode::LayerNames;
    std::string_view ending = LastCharacters(words[1], 2);
    for (const ModeWord& w : kModeWords)
        if (ending == w.ending) return w.mode;
    return ModeCode::TableCreation;
}

std::string ModeCaption(ModeCode mode, std::uint32_t reverse) {
    static constexpr std::array<std::string_view, 8> kModeTexts = {
        "【表作成モード】",
        "【新規表-面積測定モード】",
        "【前回表使用-面積測定モード】",
        "【色変更モード】",
        "【レイヤ振分けモード】",
        "【重なり変更モード-正順描画】",
        "【レイヤ名設定モード】",
        "【レイヤ名設定モード】外変",
    };
    if (mode == ModeCode::Overlap && reverse != 0) return "Vemora【重なり変更モード-逆順描画】";
    std::string_view text = kModeTexts.at(static_cast<std::size_t>(ToInt(mode)));
    return IsLayerNameMode(mode) ? std::string(text) : "Vemora" + std::string(text);
}
