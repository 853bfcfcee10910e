// The About box: "Vemoraのﾊﾞｰｼﾞｮﾝ情報" with the icon, the name, the version from the
// version resource and a description line.
#pragma once

#include <windows.h>

// Shows the box modally, owned by `owner`, until OK (or Esc, or the close box).
void ShowAboutDialog(HWND owner);
