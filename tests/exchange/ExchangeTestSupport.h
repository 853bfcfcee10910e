// Shared by the exchange tests: a notifier that records, a pen table, and exchange files
// built from UTF-8 lines.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "TestSupport.h"
#include "base/Sjis.h"
#include "base/SolidColour.h"
#include "host/JwRegistry.h"

// Pens 1..9 as Jw_cad's defaults roughly are, two of them the same colour, and the SXF
// standard colours 101..116.
inline const PenColourTable& TestPens() {
    static const PenColourTable pens = [] {
        PenColourTable p{};
        p[1] = RgbColour(0, 255, 255);
        p[2] = RgbColour(0, 0, 0);
        p[3] = RgbColour(0, 255, 0);
        p[4] = RgbColour(255, 255, 0);
        p[5] = RgbColour(255, 0, 255);
        p[6] = RgbColour(0, 0, 255);
        p[7] = RgbColour(0, 128, 128);
        p[8] = RgbColour(255, 0, 0);  // the same colour as pen 102
        p[9] = RgbColour(128, 128, 128);
        const SolidColour sxf[16] = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
                                     0x8000C0, 0x4080C0, 0x0080FF, 0x80C080, 0xFF8000, 0xFF4080, 0xC0C0C0, 0x808080};
        for (int i = 0; i < 16; ++i)
            p[static_cast<std::size_t>(101 + i)] = sxf[i];
        return p;
    }();
    return pens;
}

// The lines in code page 932, each ended by CR LF.
inline std::string Cp932Lines(std::initializer_list<std::string_view> lines) {
    std::string utf8;
    for (std::string_view line : lines) {
        utf8 += line;
        utf8 += "\r\n";
    }
    return sjis::Encode(utf8);
}
