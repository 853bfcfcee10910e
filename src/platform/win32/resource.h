// Resource identifiers of Vemora.exe (shared by the resource script and the code).
#pragma once

#define IDI_VEMORA 1
#define IDD_ABOUT 100
#define IDC_ABOUT_ICON 101
#define IDC_ABOUT_TITLE 102
#define IDC_ABOUT_VERSION 103
#define IDC_ABOUT_DESCRIPTION 104
