// Number and text formatting shared by the table on screen and the files written:
// quantity texts, item names fitted into byte-measured fields, and the number forms of
// the coordinate file's records.
#pragma once

#include <string>
#include <string_view>

// Quantity text: thousands separators and `digits` decimals (1..4; any other value gives
// none), the value rounded to the shown decimals with halves away from zero, worked on the
// stored double (1.005 with 2 gives 1.00). "-" leads a negative value that does not round to 0.
std::string FormatQuantity(double value, int digits);

// The text without any "^u" (Jw_cad's underline code; either case), as widths are measured.
std::string WithoutUnderlineCodes(std::string_view text);

// Width of the text in code page 932 bytes as fields measure it, "^u" not counted.
int MeasuredWidth(std::string_view text);

// Length in characters (code points of the UTF-8 text), as the quantity column and the
// leader dots count them.
int CharCount(std::string_view utf8);

// Fits an item name into a field of `width` bytes (code page 932):
//   0 left: text then fill; 1 right: fill then text; 2 centre: fill on both sides;
//   3 leader dots: a blank, the text, a blank and "・" up to the width; other kinds: "".
// Widths are measured without "^u". Only fill is ever cut: a text at least as wide as the
// field comes back whole (with the leader-dot kind's leading blank).
std::string FitText(std::string_view text, int width, int kind, std::string_view fill);

// General decimal form of a single-precision length: at most 7 significant digits, no
// trailing zeros, "-" for negatives, exponent ("1E+07", "1.5E-05") only where needed.
std::string FormatSingle(float value);
// The same with at most 15 significant digits, for double-precision values.
std::string FormatDouble(double value);
