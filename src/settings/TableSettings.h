// The table layout settings: one field per key of Vemora.INI (and of every table file); the
// key of each field is in the key table of TableSettings.cpp. Check states are 0 or 1; texts
// are UTF-8.
#pragma once

#include <cstdint>
#include <string>

#include "settings/Ini.h"

struct TableSettings {
    // [Grid]
    std::int16_t outerFrame = 1;
    std::string outerFrameColour = "lc5";
    std::string outerFrameLineType = "lt1";
    std::string outerFrameLayer = "ly9";
    std::int16_t verticalLines = 1;
    std::string verticalLineColour = "lc2";
    std::string verticalLineType = "lt1";
    std::string verticalLineLayer = "ly9";
    std::int16_t horizontalLines = 1;
    std::string horizontalLineColour = "lc2";
    std::string horizontalLineType = "lt1";
    std::string horizontalLineLayer = "ly9";
    // [Moji]
    std::string textType = "cn3";
    std::string textLayer = "ly9";
    // [kihon]
    std::string defaultUnit = "m^2,1";
    std::string rounding = "3";
    std::string sampleWidth = "20";
    std::string sampleLayer = "ly9";
    std::string gapHeight = "2";
    std::string gapWidth = "2";
    std::int16_t annotateAreas = 0;
    std::int16_t annotateNumbers = 0;
    std::int16_t copyLayout = 0;
    bool itemTableFlag = false;
    std::int32_t nameAlignment = 0;
    std::int16_t metreUnits = 0;
    std::int16_t upperCaseColourNames = 0;
    std::int16_t totalRow = 0;  // the table ends in a total row per unit
    std::int16_t seenAreas = 0;  // rows count their solids as seen: what solids drawn above hide is left out
    // The solid check's markers: their layer and pen colour records (pen 8 is Jw_cad's red).
    std::string checkLayer = "lyF";
    std::string checkColour = "lc8";

    bool operator==(const TableSettings&) const = default;
};

// Reads every key present in the document into the settings; a missing key keeps
// the current value, a value that does not convert keeps it too (one key at a time).
// Numbers are an optional sign and decimal digits with blanks around ("1.6", "&H1" and
// "1e2" do not convert); check states take 0 or 1; itemTableFlag takes "True" or "False"
// in any case, or a number (0 false, anything else true).
void LoadSettings(const ini::Document& doc, TableSettings& settings);

// Sets every key into the document, in the key order of the file. The total-row and the
// seen-area switches, and the check markers' layer and colour, are set only when they differ
// from their defaults or are already in the document, so files saved without them stay as
// they were.
void StoreSettings(const TableSettings& settings, ini::Document& doc);
