#include "ui/FormLayout.h"

#include "app/CommandLine.h"
#include "base/SolidColour.h"

namespace {

void HexCaptions(FormLayout& layout) {
    for (int i = 1; i <= kRowCount; ++i) layout.swatchCaptions[static_cast<std::size_t>(i)] = std::string(1, UpperHexDigit(i));
}

}  // namespace

FormLayout PrepareForm(ModeCode mode, bool reverseOrder) {
    FormLayout layout;
    layout.caption = ModeCaption(mode, reverseOrder ? 1u : 0u);
    switch (mode) {
        case ModeCode::TableCreation:
            layout.swatchMode = SwatchMode::Add;
            break;
        case ModeCode::NewArea:
        case ModeCode::PreviousArea:
            break;
        case ModeCode::ColourChange:
            layout.swapButtonEnabled = false;
            layout.copyButtonEnabled = false;
            for (int i = 1; i <= kRowCount; ++i) layout.swatchCaptions[static_cast<std::size_t>(i)] = "→";
            break;
        case ModeCode::LayerDistribution:
            layout.swapButtonEnabled = false;
            layout.copyButtonEnabled = false;
            HexCaptions(layout);
            break;
        case ModeCode::Overlap:
            layout.swapButtonEnabled = false;
            layout.copyButtonEnabled = false;
            layout.swatchCaptions[1] = "↑";
            layout.swatchCaptions[16] = "↓";
            layout.swatchCaptions[17] = reverseOrder ? "上" : "下";
            layout.swatchCaptions[32] = reverseOrder ? "下" : "上";
            break;
        case ModeCode::LayerNames:
        case ModeCode::LayerNamesExternal:
            layout.swatchMode = SwatchMode::Add;
            layout.swapButtonVisible = mode == ModeCode::LayerNamesExternal;
            layout.nameHeading = "レイヤ名";
            layout.swatchHeading = "ﾍﾟｲﾝﾄ色";
            layout.titleLabel = "グループ:";
            layout.titleBoxWidth = 1200;
            layout.upperCaseBoxVisible = true;
            layout.copyButtonVisible = false;
            layout.okButton = TwipsRect{2450, 6135, 700, 400};
            layout.quantityHeadingVisible = false;
            layout.formWidth = 3300;
            HexCaptions(layout);
            break;
    }
    return layout;
}
