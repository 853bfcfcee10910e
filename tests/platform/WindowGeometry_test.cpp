#include "platform/win32/WindowGeometry.h"

#include <gtest/gtest.h>

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

constexpr ModeCode kModes[] = {ModeCode::TableCreation, ModeCode::NewArea,           ModeCode::PreviousArea,
                               ModeCode::ColourChange,  ModeCode::LayerDistribution, ModeCode::Overlap,
                               ModeCode::LayerNames,    ModeCode::LayerNamesExternal};

// Every control the mode shows, with its name for the failure message.
std::vector<std::pair<std::string, TwipsRect>> ShownControls(const FormLayout& form, const WindowGeometry& g) {
    std::vector<std::pair<std::string, TwipsRect>> shown = {
        {"title label", g.titleLabel}, {"title box", g.titleBox}, {"swatch heading", g.headSwatch},
        {"name heading", g.headName},  {"hint", g.hint},          {"OK", g.ok},
    };
    if (form.swapButtonVisible)
        shown.push_back({"swatch button", g.swatchButton});
    if (form.copyButtonVisible)
        shown.push_back({"copy and OK", g.copyOk});
    if (form.upperCaseBoxVisible)
        shown.push_back({"upper-case box", g.upperCase});
    if (g.quantityColumns) {
        shown.push_back({"quantity heading", g.headQuantity});
        shown.push_back({"unit heading", g.headUnit});
    }
    for (int i = 1; i <= kRowCount; ++i) {
        const RowGeometry& row = g.rows[static_cast<std::size_t>(i)];
        std::string n = std::to_string(i);
        shown.push_back({"left swatch " + n, row.leftSwatch});
        shown.push_back({"right swatch " + n, row.rightSwatch});
        shown.push_back({"name " + n, row.name});
        if (g.quantityColumns) {
            shown.push_back({"quantity " + n, row.quantity});
            shown.push_back({"unit " + n, row.unit});
        }
    }
    return shown;
}

}  // namespace

TEST(WindowGeometry, EveryModeShowsItsControlsInsideTheWindowWithoutOverlap) {
    for (ModeCode mode : kModes) {
        const FormLayout form = RecordOf(mode).layout;
        const WindowGeometry g = GeometryFor(form);
        const auto shown = ShownControls(form, g);
        for (std::size_t a = 0; a < shown.size(); ++a) {
            EXPECT_TRUE(Inside(shown[a].second, g.clientWidth, g.clientHeight))
                << "mode " << static_cast<int>(mode) << ": " << shown[a].first << " outside the window";
            for (std::size_t b = a + 1; b < shown.size(); ++b)
                EXPECT_FALSE(Overlap(shown[a].second, shown[b].second))
                    << "mode " << static_cast<int>(mode) << ": " << shown[a].first << " overlaps " << shown[b].first;
        }
    }
}

TEST(WindowGeometry, LayerNameModesAreNarrowWithTheirOwnOkAndTitleBox) {
    for (ModeCode mode : {ModeCode::LayerNames, ModeCode::LayerNamesExternal}) {
        const FormLayout form = RecordOf(mode).layout;
        const WindowGeometry g = GeometryFor(form);
        EXPECT_FALSE(g.quantityColumns);
        EXPECT_LT(g.clientWidth, GeometryFor(RecordOf(ModeCode::NewArea).layout).clientWidth);
        EXPECT_EQ(g.ok, (TwipsRect{2450, 6135, 700, 400}));  // where the form puts OK
        EXPECT_EQ(g.titleBox.width, 1200);
        // The layer names use the width the hidden columns leave.
        EXPECT_EQ(g.rows[1].name.left + g.rows[1].name.width, g.clientWidth - 120);
    }
}

TEST(WindowGeometry, PanelLiesOverTheTableAndHoldsItsControls) {
    for (ModeCode mode : {ModeCode::TableCreation, ModeCode::NewArea}) {
        const FormLayout form = RecordOf(mode).layout;
        const WindowGeometry g = GeometryFor(form);
        const PanelGeometry p = PanelGeometryFor(form);
        EXPECT_EQ(p.panel.left, 70);
        EXPECT_EQ(p.panel.top, 100);
        EXPECT_TRUE(Inside(p.panel, g.clientWidth, g.clientHeight));
        std::vector<TwipsRect> inner = {p.rulesHeading, p.copyFrame, p.copyOptions[0], p.copyOptions[1], p.ok};
        for (const auto& row : p.settingRows)
            inner.push_back(row.label);
        for (const auto& row : p.ruleRows) {
            inner.push_back(row.label);
            for (const TwipsRect& field : row.fields)
                inner.push_back(field);
            EXPECT_FALSE(Overlap(row.label, row.fields[0]));
        }
        for (const TwipsRect& r : inner)
            EXPECT_TRUE(Inside(r, p.panel.width, p.panel.height));
        EXPECT_FALSE(Overlap(p.copyOptions[0], p.copyOptions[1]));
        EXPECT_LT(p.copyOptions[1].left, p.copyOptions[0].left);  // 一覧表型 left of カード型
    }
}

TEST(WindowGeometry, TwipsBecomePixelsForTheDpi) {
    struct Case {
        int twips;
        unsigned dpi;
        int pixels;
    };
    const Case cases[] = {
        {1440, 96, 96},  {1440, 144, 144}, {15, 96, 1},    {7, 96, 0},    {8, 96, 1},  // rounds to nearest
        {5900, 96, 393}, {5900, 192, 787}, {300, 120, 25}, {-15, 96, -1}, {0, 96, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
}
