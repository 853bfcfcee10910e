// Generates realistic exchange files (TEMP.TXT as Jw_cad writes it) of any size for tests,
// benchmarks and the gen-exchange tool: a header, then N solid figures over K colours
// (mostly quadrilaterals, some triangles) with attribute changes and other figures between
// them. The same options always give the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/SolidColour.h"

struct GeneratorOptions {
    std::int64_t solids = 1000;
    int colours = 12;  // distinct solid colours, 1..16; each is written as an "lc10 " record
    std::uint64_t seed = 1;
    // -1: solids at random places, overlapping freely. 0..100: solids in a grid of their own
    // cells, except that this percentage of them is laid over the solid before it (an
    // overlapping pair), as a drawing of rooms is.
    int overlapPercent = -1;
};

struct GeneratedExchange {
    std::string bytes;  // code page 932, CR LF
    // What the file holds, known from how each figure was built, not from its text: the
    // area of a figure comes from its edge vectors in exact integer arithmetic.
    double totalArea = 0.0;                     // m²
    std::vector<SolidColour> colours;           // the solid colours in order of first use
    std::vector<std::int64_t> solidsPerColour;  // parallel to `colours`
    std::int64_t triangles = 0;
    std::int64_t quadrilaterals = 0;
};

GeneratedExchange GenerateExchange(const GeneratorOptions& options);
