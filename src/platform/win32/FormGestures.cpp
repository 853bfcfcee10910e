#include "platform/win32/FormGestures.h"

namespace {

bool ValidRow(int row) {
    return row >= 1 && row <= kRowCount;
}

const std::string& ValueOf(EditorColumn column, const TableRow& row) {
    return column == EditorColumn::Name ? row.name : row.unitEntry;
}

}  // namespace

FormGestures::FormGestures(FormModel& model) : model_(model), swatchState_(model.Mode().layout.swatchMode) {}

bool FormGestures::Accepting() const {
    return model_.GetRunState() == RunState::Running && !model_.Busy();
}

// ---- Swatches

void FormGestures::ClickSwatchButton() {
    const FormLayout& layout = model_.Mode().layout;
    if (Accepting() && layout.swapButtonVisible && layout.swapButtonEnabled)
        swatchState_ = NextSwatchMode(swatchState_);
}

bool FormGestures::LeftSwatchesDraggable() const {
    return ::LeftSwatchesDraggable(model_.Mode(), swatchState_);
}

void FormGestures::ClickSwatch(int swatch, const ColourPicker& pick) {
    if (!Accepting() || swatch < 1 || swatch > 2 * kRowCount)
        return;
    const ModeRecord& mode = model_.Mode();
    const bool left = IsLeftSwatch(swatch);
    const int row = SwatchRow(swatch);
    const TableRow& clicked = model_.GetTable().Row(row);
    const bool adding = swatchState_ == SwatchMode::Add;
    bool changed = false;
    if (left &&
        (mode.layerColours == LayerColours::Always || (mode.layerColours == LayerColours::InAddState && adding))) {
        const std::uint32_t flags =
            mode.layerColours == LayerColours::Always ? kColourRgbInit | kColourFullOpen : kColourFullOpen;
        if (std::optional<SolidColour> colour = pick(flags))
            changed = model_.SetLayerColour(row, *colour);
    } else if (left && adding && clicked.colour == model_.Background()) {
        if (std::optional<SolidColour> colour = pick(kColourFullOpen))
            changed = model_.AddRow(row, *colour);
    } else if (!left && mode.recolours && clicked.newColour != model_.Background()) {
        if (std::optional<SolidColour> colour = pick(kColourFullOpen))
            changed = model_.RecolourRow(row, *colour);
    } else if (left && swatchState_ == SwatchMode::Delete) {
        changed = model_.DeleteRow(row);
    }
    if (changed)
        FollowRows();
}

void FormGestures::DropSwatch(int source, int target) {
    if (!Accepting() || !LeftSwatchesDraggable() || !ValidRow(source) || target < 1 || target > 2 * kRowCount)
        return;
    if (model_.SwapRows(source, SwatchRow(target)))
        FollowRows();
}

// ---- The floating editors

const FloatingEditor& FormGestures::Editor(EditorColumn column) const {
    return column == EditorColumn::Name ? name_ : unit_;
}

FloatingEditor& FormGestures::EditorOf(EditorColumn column) {
    return column == EditorColumn::Name ? name_ : unit_;
}

// Opening one editor gives it the focus, which the other one loses.
void FormGestures::Place(EditorColumn column, int row) {
    const EditorColumn other = column == EditorColumn::Name ? EditorColumn::Unit : EditorColumn::Name;
    EditorFocusLost(other);
    const TableRow& target = model_.GetTable().Row(row);
    FloatingEditor& editor = EditorOf(column);
    const std::string& value = ValueOf(column, target);
    editor = FloatingEditor{true, row, editor.opening + 1, value, value, target.quantity};
}

void FormGestures::Commit(EditorColumn column) {
    const FloatingEditor& editor = EditorOf(column);
    if (column == EditorColumn::Name)
        model_.SetRowName(editor.row, editor.text);
    else
        model_.SetRowUnit(editor.row, editor.text);
}

void FormGestures::OpenEditor(EditorColumn column, int row) {
    // The unit cells are there only where the mode shows units.
    if (Accepting() && ValidRow(row) && (column == EditorColumn::Name || model_.Mode().layout.quantityColumns))
        Place(column, row);
}

void FormGestures::EditorTextChanged(EditorColumn column, const std::string& text) {
    FloatingEditor& editor = EditorOf(column);
    if (!Accepting() || !editor.open)
        return;
    editor.text = text;
    Commit(column);
}

void FormGestures::EditorEnter(EditorColumn column) {
    const FloatingEditor& editor = EditorOf(column);
    if (!Accepting() || !editor.open)
        return;
    Commit(column);
    Place(column, editor.row % kRowCount + 1);
}

void FormGestures::EditorFocusLost(EditorColumn column) {
    FloatingEditor& editor = EditorOf(column);
    if (!Accepting() || !editor.open)
        return;
    Commit(column);
    editor.open = false;
}

void FormGestures::CancelEditor(EditorColumn column) {
    FloatingEditor& editor = EditorOf(column);
    if (!Accepting() || !editor.open)
        return;
    editor.open = false;
    if (column == EditorColumn::Name) {
        model_.SetRowName(editor.row, editor.openedValue);
    } else {
        model_.SetRowUnit(editor.row, editor.openedValue);
        model_.SetQuantity(editor.row, editor.openedQuantity);
    }
}

void FormGestures::FollowRows() {
    for (EditorColumn column : {EditorColumn::Name, EditorColumn::Unit}) {
        FloatingEditor& editor = EditorOf(column);
        if (!editor.open)
            continue;
        const TableRow& row = model_.GetTable().Row(editor.row);
        editor.text = editor.openedValue = ValueOf(column, row);
        editor.openedQuantity = row.quantity;
    }
}
