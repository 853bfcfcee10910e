// What the preview and the findings list share: an owned, resizable tool window of its own
// class whose window procedure finds its C++ object in GWLP_USERDATA, placed beside the main
// form and kept inside the form's monitor.
#pragma once

#include <windows.h>

// Creates the window (its class registered on first use, with `background` as its brush,
// nullptr where the window paints all of itself) and points it at `self` and `procedure`;
// nullptr when Windows refuses.
HWND CreateOwnedWindow(const wchar_t* className, const wchar_t* title, HBRUSH background, DWORD exStyle,
                       HWND owner, WNDPROC procedure, void* self);

// Moves the window to the right of its owner (to the left where the monitor has no room there)
// at `size`, its top at `top` or as near as the monitor allows.
void PlaceBesideOwner(HWND window, HWND owner, SIZE size, LONG top);
