#include "platform/win32/WindowGeometry.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

bool Overlap(const TwipsRect& a, const TwipsRect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

bool Inside(const TwipsRect& r, int width, int height) {
    return r.left >= 0 && r.top >= 0 && r.width > 0 && r.height > 0 && r.left + r.width <= width &&
           r.top + r.height <= height;
}

}  // namespace

// Without quantity columns (the layer-name modes) the names take the width up to the margin.
// The modes that check solids are laid out with and without the findings line.
TEST(WindowGeometry, EveryModeShowsItsControlsInsideTheWindowWithoutOverlap) {
    for (int mode = 0; mode <= static_cast<int>(ModeCode::SolidCheck); ++mode) {
        const FormLayout& form = RecordOf(static_cast<ModeCode>(mode)).layout;
        for (bool findings : {false, ChecksSolids(RecordOf(static_cast<ModeCode>(mode)))}) {
            const WindowGeometry g = GeometryFor(form, findings);
            std::vector<std::pair<std::string, TwipsRect>> shown = {
                {"title label", g.titleLabel}, {"title box", g.titleBox}, {"swatch heading", g.headSwatch},
                {"name heading", g.headName},  {"hint", g.hint},          {"OK", g.ok}};
            if (findings) shown.insert(shown.end(), {{"findings", g.findings}, {"details", g.findingsButton}});
            if (form.swapButtonVisible) shown.emplace_back("swatch button", g.swatchButton);
            if (form.copyButtonVisible) shown.emplace_back("copy and OK", g.copyOk);
            if (form.upperCaseBoxVisible) shown.emplace_back("upper-case box", g.upperCase);
            if (g.quantityColumns)
                shown.insert(shown.end(), {{"quantity heading", g.headQuantity}, {"unit heading", g.headUnit}});
            for (int i = 1; i <= kRowCount; ++i) {
                const RowGeometry& row = g.rows[static_cast<std::size_t>(i)];
                const std::string n = " " + std::to_string(i);
                shown.insert(shown.end(), {{"left swatch" + n, row.leftSwatch}, {"right swatch" + n, row.rightSwatch},
                                           {"name" + n, row.name}});
                if (g.quantityColumns)
                    shown.insert(shown.end(), {{"quantity" + n, row.quantity}, {"unit" + n, row.unit}});
            }
            for (auto a = shown.begin(); a != shown.end(); ++a) {
                EXPECT_TRUE(Inside(a->second, g.clientWidth, g.clientHeight)) << "mode " << mode << ": " << a->first;
                for (auto b = a + 1; b != shown.end(); ++b)
                    EXPECT_FALSE(Overlap(a->second, b->second))
                        << "mode " << mode << ": " << a->first << ", " << b->first;
            }
            const TwipsRect& name = g.rows[1].name;
            EXPECT_TRUE(g.quantityColumns || name.left + name.width == g.clientWidth - 120) << "mode " << mode;
        }
    }
}

TEST(WindowGeometry, PanelLiesOverTheTableAndHoldsItsControls) {
    for (ModeCode mode : {ModeCode::TableCreation, ModeCode::NewArea}) {
        const PanelGeometry p = PanelGeometryFor(RecordOf(mode).layout);
        const WindowGeometry g = GeometryFor(RecordOf(mode).layout);
        EXPECT_TRUE(Inside(p.panel, g.clientWidth, g.clientHeight));
        std::vector<TwipsRect> inner = {p.rulesHeading, p.copyFrame, p.copyOptions[0], p.copyOptions[1],
                                        p.seenAreas, p.totalRow, p.ok};
        for (const auto& row : p.settingRows) inner.push_back(row.label);
        for (const auto& row : p.ruleRows) {
            inner.insert(inner.end(), {row.label, row.fields[0], row.fields[1], row.fields[2]});
            EXPECT_FALSE(Overlap(row.label, row.fields[0]));
        }
        for (const TwipsRect& r : inner) EXPECT_TRUE(Inside(r, p.panel.width, p.panel.height));
        EXPECT_FALSE(Overlap(p.copyOptions[0], p.copyOptions[1]));
        for (const TwipsRect& box : {p.seenAreas, p.totalRow})
            EXPECT_FALSE(Overlap(box, p.copyFrame) || Overlap(box, p.ok)) << box.top;
        EXPECT_FALSE(Overlap(p.seenAreas, p.totalRow));
    }
}

TEST(WindowGeometry, TwipsBecomePixelsRoundedToNearest) {
    const std::tuple<int, unsigned, int> cases[] = {{1440, 144, 144}, {7, 96, 0}, {8, 96, 1}, {-15, 96, -1}};
    for (const auto& [twips, dpi, pixels] : cases)
        EXPECT_EQ(TwipsToPixels(twips, dpi), pixels) << twips << " at " << dpi;
}
