#include "settings/TableSettings.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

#include "base/Text.h"

namespace {

struct ShortField {
    std::int16_t TableSettings::*member;
    std::int16_t low = INT16_MIN;
    std::int16_t high = INT16_MAX;
};
struct LongField {
    std::int32_t TableSettings::*member;
};
struct BoolField {
    bool TableSettings::*member;
};
struct TextField {
    std::string TableSettings::*member;
};
using Field = std::variant<ShortField, LongField, BoolField, TextField>;

// A check box takes only its two states.
constexpr ShortField Check(std::int16_t TableSettings::*member) {
    return {member, 0, 1};
}

struct Key {
    std::string_view section;
    std::string_view name;
    Field field;
    // A value written only where it differs from this text or the file has the key already, so
    // that files saved before the key existed stay as they were; nullopt: always written.
    std::optional<std::string_view> storedUnless{};
};

// The keys in file order: saving into an empty file gives exactly this order.
const Key kKeys[] = {
    {"Grid", "Sotowaku", Check(&TableSettings::outerFrame)},
    {"Grid", "Soto_lc", TextField{&TableSettings::outerFrameColour}},
    {"Grid", "Soto_lt", TextField{&TableSettings::outerFrameLineType}},
    {"Grid", "Soto_ly", TextField{&TableSettings::outerFrameLayer}},
    {"Grid", "Tatesen", Check(&TableSettings::verticalLines)},
    {"Grid", "Tate_lc", TextField{&TableSettings::verticalLineColour}},
    {"Grid", "Tate_lt", TextField{&TableSettings::verticalLineType}},
    {"Grid", "Tate_ly", TextField{&TableSettings::verticalLineLayer}},
    {"Grid", "Yokosen", Check(&TableSettings::horizontalLines)},
    {"Grid", "Yoko_lc", TextField{&TableSettings::horizontalLineColour}},
    {"Grid", "Yoko_lt", TextField{&TableSettings::horizontalLineType}},
    {"Grid", "Yoko_ly", TextField{&TableSettings::horizontalLineLayer}},
    {"Moji", "Mojishu", TextField{&TableSettings::textType}},
    {"Moji", "Moji_ly", TextField{&TableSettings::textLayer}},
    {"kihon", "Tani", TextField{&TableSettings::defaultUnit}},
    {"kihon", "Keta", TextField{&TableSettings::rounding}},
    {"kihon", "Solid_W", TextField{&TableSettings::sampleWidth}},
    {"kihon", "cmbSolidLay", TextField{&TableSettings::sampleLayer}},
    {"kihon", "Sukima_H", TextField{&TableSettings::gapHeight}},
    {"kihon", "Sukima_W", TextField{&TableSettings::gapWidth}},
    {"kihon", "Utiwakemenseki", Check(&TableSettings::annotateAreas)},
    {"kihon", "Toosibango", Check(&TableSettings::annotateNumbers)},
    {"kihon", "tensoType", ShortField{&TableSettings::copyLayout}},
    {"kihon", "blKoumokuwrt", BoolField{&TableSettings::itemTableFlag}},
    {"kihon", "intYose", LongField{&TableSettings::nameAlignment}},
    {"kihon", "mZtext", Check(&TableSettings::metreUnits)},
    {"kihon", "chkC", Check(&TableSettings::upperCaseColourNames)},
    {"kihon", "Goukei", Check(&TableSettings::totalRow), "0"},
    {"kihon", "Kasanari", Check(&TableSettings::seenAreas), "0"},
    {"kihon", "Check_ly", TextField{&TableSettings::checkLayer}, "lyF"},
    {"kihon", "Check_lc", TextField{&TableSettings::checkColour}, "lc8"},
};

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;  // clang before 17 deduces no aggregate arguments

// An optional sign and decimal digits, blanks around: the number without blanks and
// without a "+", or nullopt. Decimals, "&H" and exponents are refused rather than rounded.
std::optional<std::string_view> IntegerText(std::string_view text) {
    std::string_view t = text::TrimBlanks(text);
    bool sign = !t.empty() && (t.front() == '+' || t.front() == '-');
    std::string_view digits = t.substr(sign ? 1 : 0);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    return t.front() == '+' ? digits : t;
}

template <typename T>
std::optional<T> ToInteger(std::string_view text) {
    std::optional<std::string_view> t = IntegerText(text);
    if (!t) return std::nullopt;
    T value{};
    auto [end, ec] = std::from_chars(t->data(), t->data() + t->size(), value);
    if (ec != std::errc{}) return std::nullopt;  // out of range
    return value;
}

std::optional<bool> ToBool(std::string_view text) {
    std::string_view t = text::TrimBlanks(text);
    if (text::EqualsNoCase(t, "True")) return true;
    if (text::EqualsNoCase(t, "False")) return false;
    std::optional<std::string_view> number = IntegerText(t);
    if (!number) return std::nullopt;
    return number->find_first_not_of("-0") != std::string_view::npos;
}

std::string ToText(const Field& field, const TableSettings& s) {
    return std::visit(Overloaded{
                          [&](BoolField f) { return std::string(s.*f.member ? "True" : "False"); },
                          [&](TextField f) { return s.*f.member; },
                          [&](auto f) { return std::to_string(s.*f.member); },
                      },
                      field);
}

}  // namespace

void LoadSettings(const ini::Document& doc, TableSettings& s) {
    for (const Key& key : kKeys) {
        std::string text = doc.Get(key.section, key.name, ToText(key.field, s));
        std::visit(Overloaded{
                       [&](ShortField f) {
                           std::optional<std::int16_t> v = ToInteger<std::int16_t>(text);
                           if (v && *v >= f.low && *v <= f.high) s.*f.member = *v;
                       },
                       [&](LongField f) {
                           if (std::optional<std::int32_t> v = ToInteger<std::int32_t>(text)) s.*f.member = *v;
                       },
                       [&](BoolField f) {
                           if (std::optional<bool> v = ToBool(text)) s.*f.member = *v;
                       },
                       [&](TextField f) { s.*f.member = std::move(text); },
                   },
                   key.field);
    }
}

void StoreSettings(const TableSettings& s, ini::Document& doc) {
    for (const Key& key : kKeys) {
        std::string text = ToText(key.field, s);
        if (!key.storedUnless || text != *key.storedUnless || doc.Has(key.section, key.name))
            doc.Set(key.section, key.name, text);
    }
}
