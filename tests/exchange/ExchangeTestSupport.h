// Shared by the exchange tests: a notifier that records, the pen colours, and exchange files
// built from UTF-8 lines.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "TestSupport.h"
#include "base/Sjis.h"
#include "base/SolidColour.h"
#include "exchange/ExchangeReader.h"
#include "host/JwRegistry.h"

// The program's pen colours without a registry (its fallback palette and the SXF standard
// colours 101..116), pen 8 made the same colour as pen 102.
inline const PenColourTable& TestPens() {
    static const PenColourTable pens = [] {
        PenColourTable p = ReadPenColours(*NoRegistry()).pens;
        p[8] = p[102];
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

// What each kind of mode asks of the reading.
constexpr ReadOptions kAreas{.measuresAreas = true};
constexpr ReadOptions kPreviousAreas{.measuresAreas = true, .keepsRows = true};
constexpr ReadOptions kRewrite{.rewritesSolids = true};
constexpr ReadOptions kTableCreation{.stopsAtHash = true};
constexpr ReadOptions kLayerNames{.readsLayerNames = true};
