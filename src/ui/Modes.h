// The program's modes as data: one record per mode, chosen once at start-up from the word
// Jw_cad's batch file passes. Everything that differs between modes (what is read, what the
// form shows, what the swatches and menus do, what OK writes) is a field of the record; code
// asks the record, not which mode it is.
//
//   面積表_新規.BAT:  start /w Vemora.exe C2   ->  the new area table
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/ExchangeReader.h"
#include "model/Table.h"
#include "output/OkCommand.h"

enum class ModeCode : std::int16_t {
    TableCreation,       // "M6" or an unknown word: a table typed in, or opened from a table file
    NewArea,             // "C2": area measurement into a new table
    PreviousArea,        // "C1": area measurement into the last table (koumoku.INI)
    ColourChange,        // "M3"
    LayerDistribution,   // "M4"
    Overlap,             // "M5": draw-order change
    LayerNames,          // no word: layer names of a running Jw_cad
    LayerNamesExternal,  // "M7": layer names through the external transformation
    SolidCheck,          // "CK": the selected figures back with markers at faulty solids
};

// What a click on a left swatch does; the window's swatch-mode button cycles through them.
enum class SwatchMode {
    Reorder,  // "並替": left swatches are dragged onto other rows
    Add,      // "追加": a click on an empty left swatch adds a colour
    Delete,   // "削除": a click on a left swatch clears the row
};

// The marks drawn on the swatches.
enum class SwatchMarks {
    None,
    Arrows,       // "→" on every left swatch: the colour changes to the right one
    LayerDigits,  // "0".."F" on the left swatches: the layer of each row
    DrawOrder,    // "↑" on the first row, "↓" on the last, "上"/"下" beside them by Jw_cad's order
};

// When a left swatch sets a layer's paint colour (and its name "#c#RRGGBB").
enum class LayerColours { Never, Always, InAddState };

struct TwipsRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const TwipsRect&) const = default;
};

// What the form shows and where it differs between modes; where controls stand otherwise is
// the window's business. Sizes in twips.
struct FormLayout {
    int formWidth = 5900, formHeight = 7500;
    int panelLeft = 70, panelTop = 100;           // the settings panel
    SwatchMode swatchMode = SwatchMode::Reorder;  // the swatch state at start
    bool swapButtonVisible = true;                // the swatch-mode button
    bool swapButtonEnabled = true;
    bool copyButtonVisible = true;                // "コピー && OK"
    bool copyButtonEnabled = true;
    std::optional<TwipsRect> okButton{};          // where OK is moved to; nullopt: its usual place
    std::string_view swatchHeading = "Solid";
    std::string_view nameHeading = "項　目　名";
    std::string_view titleLabel = "タイトル：";
    bool quantityColumns = true;                  // the quantity and unit columns and their heading
    bool upperCaseBoxVisible = false;             // "#cを大文字（0.02mm間隔)"
    std::optional<int> titleBoxWidth{};           // nullopt: its usual width
};

struct ModeRecord {
    ModeCode code = ModeCode::TableCreation;
    std::string_view word{};           // the batch file's word ("C2"); empty for none
    std::string_view captionText{};    // "【新規表-面積測定モード】"
    std::string_view reverseCaption{}; // the caption text when Jw_cad draws in reverse order, if it differs
    bool captionWithProgramName = true;

    // Loading
    bool readsExchangeFile = true;
    bool loadsPreviousTable = false;   // koumoku.INI before the exchange file
    ReadOptions reading{};             // the pen colours are added at load

    // The form
    FormLayout layout{};
    SwatchMarks marks = SwatchMarks::None;
    bool rowsDraggable = true;         // left swatches are dragged in the reorder state
    bool recolours = false;            // right swatches take a new colour
    LayerColours layerColours = LayerColours::Never;
    bool showsSwatchHint = true;       // "↑ここを…してください" under the swatches

    // Menus
    bool fileAndSettingsMenus = true;  // ﾌｧｲﾙ, 編集 and 設定
    bool opensTables = false;          // 表を開く
    bool savesTables = false;          // 表を保存
    bool copyWithHeadings = false;     // the list layout of the copy has its heading lines

    // OK
    OkOutput output = OkOutput::AreaTable;
    RewriteKind rewrite = RewriteKind::Recolour;
    bool savesItemTable = false;
};

const ModeRecord& RecordOf(ModeCode code);

// The record of the command line: no word gives LayerNames; otherwise the last two
// characters of word 1 (the whole word when shorter) are compared exactly with the words of
// the records; nothing matching gives TableCreation. Words 2 and later are ignored.
const ModeRecord& SelectMode(std::string_view commandLine);

// Splits at blanks and tabs. Element 0 is empty, words are in 1..n; the walk stops once
// maxWords words are found (a maxWords below 1 gives no word). Quotes have no meaning: a
// quoted path with blanks becomes several words, each keeping its quote characters.
std::vector<std::string> SplitCommandLine(std::string_view commandLine, int maxWords = 10);

// The whole window caption: "Vemora" and the mode text, or the mode text alone; `reverse` is
// Jw_cad's drawing order (0 forward, anything else reverse).
std::string ModeCaption(const ModeRecord& mode, std::uint32_t reverse);

// Whether Jw_cad's drawing order shows in the mode (its caption and marks depend on it).
bool ShowsDrawOrder(const ModeRecord& mode);

// Whether the mode checks its solids: the area modes and the solid check.
bool ChecksSolids(const ModeRecord& mode);

// The mark on a row's left or right swatch; `reverse` as for the caption.
std::string_view SwatchMark(const ModeRecord& mode, int row, bool rightSwatch, std::uint32_t reverse);

// "並替", "追加", "削除".
std::string_view SwatchModeCaption(SwatchMode mode);
// One click on the swatch-mode button: 並替 -> 追加 -> 削除 -> 並替.
SwatchMode NextSwatchMode(SwatchMode mode);
// The hint under the swatch column: empty where the mode shows none, else by the swatch state.
std::string_view SwatchHint(const ModeRecord& mode, SwatchMode state);
// Left swatches can be dragged in the reorder state where the mode lets rows move.
bool LeftSwatchesDraggable(const ModeRecord& mode, SwatchMode state);
