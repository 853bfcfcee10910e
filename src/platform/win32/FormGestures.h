// The window's gestures on the form, kept free of Win32 so that the native tests run them:
// the swatch-mode button, what a click or a drop on a swatch means, and the floating editors
// over the name and unit cells. Every gesture ends in intents of the form model; the only
// table data kept here is what an open editor puts back on Esc.
//
// Like the model's intents, gestures are ignored once the run has ended and while the
// hand-off runs.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/SolidColour.h"
#include "ui/FormModel.h"

// Swatches are numbered 1..32: 1..16 the left ones of rows 1..16, 17..32 the right ones.
constexpr bool IsLeftSwatch(int swatch) {
    return swatch <= kRowCount;
}
constexpr int SwatchRow(int swatch) {
    return IsLeftSwatch(swatch) ? swatch : swatch - kRowCount;
}

// Colour dialog flags, passed to the system unchanged.
constexpr std::uint32_t kColourRgbInit = 1;   // start on the initial colour
constexpr std::uint32_t kColourFullOpen = 2;  // open with the custom-colour part shown

// Shows the colour dialog with the flags, starting on black: the colour picked, or nullopt
// when the user cancels.
using ColourPicker = std::function<std::optional<SolidColour>(std::uint32_t flags)>;

enum class EditorColumn { Name, Unit };

// A floating editor over a row's name or unit cell.
struct FloatingEditor {
    bool open = false;
    int row = 0;       // the row it lies over (1..16; 0 before first use)
    int opening = 0;   // counts the openings: each one lays the editor anew, its text selected
    std::string text;  // what it shows
    // The row's name or unit entry, and its quantity, when the editor opened or last followed
    // the row: Esc puts them back.
    std::string openedValue;
    std::string openedQuantity;
};

class FormGestures {
  public:
    // The swatch state starts as the mode's form says.
    explicit FormGestures(FormModel& model);

    // ---- Swatches
    SwatchMode SwatchState() const { return swatchState_; }
    // The swatch-mode button, where it is shown and enabled: 並替 -> 追加 -> 削除 -> 並替.
    void ClickSwatchButton();
    bool LeftSwatchesDraggable() const;
    // A click on swatch 1..32; `pick` shows the colour dialog where the click asks for one.
    void ClickSwatch(int swatch, const ColourPicker& pick);
    // Left swatch `source` (1..16) dragged and dropped on swatch `target` (1..32).
    void DropSwatch(int source, int target);

    // ---- The floating editors: at most one is open, and what it shows is committed at once.
    const FloatingEditor& Editor(EditorColumn column) const;
    // A click on the cell: the editor opens over the row (the other one commits and closes).
    void OpenEditor(EditorColumn column, int row);
    void EditorTextChanged(EditorColumn column, const std::string& text);  // typing or a pick
    void EditorEnter(EditorColumn column);                                 // commits and walks to the next row, 16 to 1
    void EditorFocusLost(EditorColumn column);                             // commits and closes
    void CancelEditor(EditorColumn column);  // Esc: the row as the editor found it, closed
    // The model changed rows behind an open editor (a swatch, an opened table, upper-case
    // names; a swatch takes no focus, so the editor stays open): the editor shows the row's
    // new value, so that neither its next commit nor Esc puts back the old one.
    void FollowRows();

    // Gestures count while the run goes on and the hand-off does not run; the window's own
    // changes (the settings panel) follow the same rule.
    bool Accepting() const;

  private:
    FloatingEditor& EditorOf(EditorColumn column);
    void Place(EditorColumn column, int row);
    void Commit(EditorColumn column);

    FormModel& model_;
    SwatchMode swatchState_;
    FloatingEditor name_, unit_;
};
