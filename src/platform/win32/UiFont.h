// The window's Japanese UI font, sized for a DPI.
#pragma once

#include <windows.h>

#include "platform/win32/Scoped.h"

// 9 points in the first installed face of "Meiryo UI", "MS UI Gothic", "Yu Gothic UI",
// "IPAGothic" (Wine), falling back to whatever face the font mapper gives the Shift_JIS
// character set, so Japanese captions never show as boxes.
win::Font CreateUiFont(unsigned dpi);

// Gives every descendant of `parent` the font (WM_SETFONT, no redraw: the caller lays them out
// or shows them next).
void SetChildFonts(HWND parent, HFONT font);
