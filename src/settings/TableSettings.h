// The table layout settings: one field per key of Vemora.INI (and of every table file).
// Field names are the keys. Check states are 0 or 1; texts are UTF-8.
#pragma once

#include <cstdint>
#include <string>

#include "settings/Ini.h"

struct TableSettings {
    // [Grid]
    std::int16_t Sotowaku = 1;
    std::string Soto_lc = "lc5";
    std::string Soto_lt = "lt1";
    std::string Soto_ly = "ly9";
    std::int16_t Tatesen = 1;
    std::string Tate_lc = "lc2";
    std::string Tate_lt = "lt1";
    std::string Tate_ly = "ly9";
    std::int16_t Yokosen = 1;
    std::string Yoko_lc = "lc2";
    std::string Yoko_lt = "lt1";
    std::string Yoko_ly = "ly9";
    // [Moji]
    std::string Mojishu = "cn3";
    std::string Moji_ly = "ly9";
    // [kihon]
    std::string Tani = "m^2,1";
    std::string Keta = "3";
    std::string Solid_W = "20";
    std::string cmbSolidLay = "ly9";
    std::string Sukima_H = "2";
    std::string Sukima_W = "2";
    std::int16_t Utiwakemenseki = 0;
    std::int16_t Toosibango = 0;
    std::int16_t tensoType = 0;
    bool blKoumokuwrt = false;
    std::int32_t intYose = 0;
    std::int16_t mZtext = 0;
    std::int16_t chkC = 0;

    bool operator==(const TableSettings&) const = default;
};

// loadINI: reads every key present in the document into the settings; a missing key keeps
// the current value, a value that does not convert keeps it too (one key at a time).
// Numbers are an optional sign and decimal digits with blanks around ("1.6", "&H1" and
// "1e2" do not convert); check states take 0 or 1; blKoumokuwrt takes "True" or "False"
// in any case, or a number (0 false, anything else true).
void LoadSettings(const ini::Document& doc, TableSettings& settings);

// saveINI, in the key order of the file: sets every key into the document.
void StoreSettings(const TableSettings& settings, ini::Document& doc);
