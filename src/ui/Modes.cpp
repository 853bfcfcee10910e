#include "ui/Modes.h"

#include <cassert>

#include "base/Text.h"

namespace {

// The layer-name modes' form: narrow, without quantities, OK moved up beside the title.
constexpr FormLayout LayerNameLayout(bool swapButtonVisible) {
    FormLayout layout;
    layout.formWidth = 3300;
    layout.swatchMode = SwatchMode::Add;
    layout.swapButtonVisible = swapButtonVisible;
    layout.copyButtonVisible = false;
    layout.okButton = TwipsRect{2450, 6135, 700, 400};
    layout.swatchHeading = "ﾍﾟｲﾝﾄ色";
    layout.nameHeading = "レイヤ名";
    layout.titleLabel = "グループ:";
    layout.quantityColumns = false;
    layout.upperCaseBoxVisible = true;
    layout.titleBoxWidth = 1200;
    return layout;
}

// The rewrite modes' form: the swatch-mode and copy buttons are there but disabled.
constexpr FormLayout RewriteLayout() {
    FormLayout layout;
    layout.swapButtonEnabled = false;
    layout.copyButtonEnabled = false;
    return layout;
}

constexpr FormLayout AddingLayout() {
    FormLayout layout;
    layout.swatchMode = SwatchMode::Add;
    return layout;
}

const ModeRecord kModes[] = {
    {.code = ModeCode::TableCreation,
     .word = "M6",
     .captionText = "【表作成モード】",
     .reading = {.stopsAtHash = true},
     .layout = AddingLayout(),
     .opensTables = true,
     .savesTables = true},
    {.code = ModeCode::NewArea,
     .word = "C2",
     .captionText = "【新規表-面積測定モード】",
     .reading = {.measuresAreas = true},
     .savesTables = true,
     .copyWithHeadings = true,
     .savesItemTable = true},
    {.code = ModeCode::PreviousArea,
     .word = "C1",
     .captionText = "【前回表使用-面積測定モード】",
     .loadsPreviousTable = true,
     .reading = {.measuresAreas = true, .keepsRows = true},
     .savesTables = true,
     .savesItemTable = true},
    {.code = ModeCode::ColourChange,
     .word = "M3",
     .captionText = "【色変更モード】",
     .reading = {.rewritesSolids = true},
     .layout = RewriteLayout(),
     .marks = SwatchMarks::Arrows,
     .rowsDraggable = false,
     .recolours = true,
     .showsSwatchHint = false,
     .output = OkOutput::Rewrite,
     .rewrite = RewriteKind::Recolour},
    {.code = ModeCode::LayerDistribution,
     .word = "M4",
     .captionText = "【レイヤ振分けモード】",
     .reading = {.rewritesSolids = true},
     .layout = RewriteLayout(),
     .marks = SwatchMarks::LayerDigits,
     .output = OkOutput::Rewrite,
     .rewrite = RewriteKind::LayerDistribution},
    {.code = ModeCode::Overlap,
     .word = "M5",
     .captionText = "【重なり変更モード-正順描画】",
     .reverseCaption = "【重なり変更モード-逆順描画】",
     .reading = {.rewritesSolids = true},
     .layout = RewriteLayout(),
     .marks = SwatchMarks::DrawOrder,
     .output = OkOutput::Rewrite,
     .rewrite = RewriteKind::DrawOrder},
    {.code = ModeCode::LayerNames,
     .captionText = "【レイヤ名設定モード】",
     .captionWithProgramName = false,
     .readsExchangeFile = false,
     .layout = LayerNameLayout(false),
     .marks = SwatchMarks::LayerDigits,
     .rowsDraggable = false,
     .layerColours = LayerColours::Always,
     .fileAndSettingsMenus = false,
     .output = OkOutput::LayerNames},
    {.code = ModeCode::LayerNamesExternal,
     .word = "M7",
     .captionText = "【レイヤ名設定モード】外変",
     .captionWithProgramName = false,
     .reading = {.readsLayerNames = true},
     .layout = LayerNameLayout(true),
     .marks = SwatchMarks::LayerDigits,
     .layerColours = LayerColours::InAddState,
     .fileAndSettingsMenus = false,
     .output = OkOutput::LayerNameTable},
    {.code = ModeCode::SolidCheck,
     .word = "CK",
     .captionText = "【ソリッドチェックモード】",
     .reading = {.rewritesSolids = true},
     .layout = RewriteLayout(),
     .rowsDraggable = false,
     .showsSwatchHint = false,
     .output = OkOutput::SolidCheck},
};

// The last `count` characters of UTF-8 text (all of it when shorter), never part of one.
std::string_view LastCharacters(std::string_view utf8, std::size_t count) {
    std::vector<std::size_t> starts;
    std::size_t at = 0;
    text::ForEachUtf8Sequence(utf8, [&](std::string_view sequence, bool) {
        starts.push_back(at);
        at += sequence.size();
    });
    return starts.size() <= count ? utf8 : utf8.substr(starts[starts.size() - count]);
}

}  // namespace

const ModeRecord& RecordOf(ModeCode code) {
    const ModeRecord& record = kModes[static_cast<std::size_t>(code)];
    assert(record.code == code);
    return record;
}

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

const ModeRecord& SelectMode(std::string_view commandLine) {
    std::vector<std::string> words = SplitCommandLine(commandLine);
    if (words.size() == 1) return RecordOf(ModeCode::LayerNames);
    std::string_view ending = LastCharacters(words[1], 2);
    for (const ModeRecord& mode : kModes)
        if (!mode.word.empty() && ending == mode.word) return mode;
    return RecordOf(ModeCode::TableCreation);
}

bool ShowsDrawOrder(const ModeRecord& mode) { return !mode.reverseCaption.empty(); }

bool ChecksSolids(const ModeRecord& mode) { return mode.reading.measuresAreas || mode.output == OkOutput::SolidCheck; }

std::string ModeCaption(const ModeRecord& mode, std::uint32_t reverse) {
    std::string_view text = reverse != 0 && ShowsDrawOrder(mode) ? mode.reverseCaption : mode.captionText;
    return (mode.captionWithProgramName ? "Vemora" : "") + std::string(text);
}

std::string_view SwatchMark(const ModeRecord& mode, int row, bool rightSwatch, std::uint32_t reverse) {
    static constexpr std::string_view kDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7",
                                                   "8", "9", "A", "B", "C", "D", "E", "F"};
    assert(row >= 1 && row <= kRowCount);
    switch (mode.marks) {
        case SwatchMarks::None: return {};
        case SwatchMarks::Arrows: return rightSwatch ? "" : "→";
        case SwatchMarks::LayerDigits: return rightSwatch ? "" : kDigits[row - 1];
        case SwatchMarks::DrawOrder:
            if (row != 1 && row != kRowCount) return {};
            if (!rightSwatch) return row == 1 ? "↑" : "↓";
            return (row == 1) == (reverse != 0) ? "上" : "下";
    }
    return {};
}

std::string_view SwatchModeCaption(SwatchMode mode) {
    switch (mode) {
        case SwatchMode::Reorder: return "並替";
        case SwatchMode::Add: return "追加";
        case SwatchMode::Delete: return "削除";
    }
    assert(false && "unknown swatch mode");
    return {};
}

SwatchMode NextSwatchMode(SwatchMode mode) {
    switch (mode) {
        case SwatchMode::Reorder: return SwatchMode::Add;
        case SwatchMode::Add: return SwatchMode::Delete;
        case SwatchMode::Delete: return SwatchMode::Reorder;
    }
    assert(false && "unknown swatch mode");
    return SwatchMode::Reorder;
}

std::string_view SwatchHint(const ModeRecord& mode, SwatchMode state) {
    if (!mode.showsSwatchHint) return {};
    return state == SwatchMode::Reorder ? "↑ここをドラッグしてください" : "↑ここをクリックしてください";
}

bool LeftSwatchesDraggable(const ModeRecord& mode, SwatchMode state) {
    return mode.rowsDraggable && state == SwatchMode::Reorder;
}
