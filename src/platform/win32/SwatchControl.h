// The colour swatch control: a coloured label with a centred caption, a click, and for
// draggable swatches a drag with a visible outline that ends in a drop on another swatch.
#pragma once

#include <windows.h>

#include <string>

#include "base/SolidColour.h"

// Sent to the parent: a click on swatch wParam (1..32) that is not being dragged.
constexpr UINT kSwatchClicked = WM_APP + 1;
// Sent to the parent: left swatch wParam (1..16) was dropped on swatch lParam (1..32).
constexpr UINT kSwatchDropped = WM_APP + 2;

struct SwatchLook {
    SolidColour colour = kWhite;
    std::string caption;  // UTF-8
    bool whiteText = false;
    bool draggable = false;
    bool operator==(const SwatchLook&) const = default;
};

// Registers the window class once; creates swatch `number` (1..32) with the control ID
// given. Returns nullptr on failure.
HWND CreateSwatch(HWND parent, int number, int controlId);
// Changes what the swatch shows; repaints only when something changed.
void SetSwatchLook(HWND swatch, const SwatchLook& look);
// The swatch number of a window, 0 when it is no swatch.
int SwatchNumber(HWND window);
