#include "output/TableSvg.h"

#include <cmath>

#include "base/Format.h"

namespace {

constexpr float kMargin = 2.0f;  // millimetres of background round the drawing
constexpr float kLineWidth = 0.25f;
// The share of the character height below the baseline in the Japanese fonts listed: Jw_cad's
// reference point is the bottom of the character, SVG places the baseline.
constexpr double kDescent = 0.12;
constexpr char kFonts[] = "'MS Gothic', 'ＭＳ ゴシック', 'Yu Gothic', 'Noto Sans CJK JP', 'IPAGothic', sans-serif";

std::string Number(double value) {
    return FormatSingle(static_cast<float>(value));
}

std::string Colour(SolidColour colour) {
    return "#" + ColourHexText(colour);
}

// One character as XML text, the markup characters escaped.
std::string Escaped(const std::string& character) {
    if (character == "&")
        return "&amp;";
    if (character == "<")
        return "&lt;";
    if (character == ">")
        return "&gt;";
    return character;
}

class SvgWriter {
  public:
    explicit SvgWriter(const TablePicture& picture) : p_(picture), e_(*picture.elements), box_(BoxOf(e_)) {}

    std::string Write() {
        const std::string width = Number(box_.right - box_.left + 2 * kMargin);
        const std::string height = Number(box_.top - box_.bottom + 2 * kMargin);
        out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
               width + "mm\" height=\"" + height + "mm\" viewBox=\"0 0 " + width + " " + height + "\">\n";
        out_ +=
            "<rect width=\"" + width + "\" height=\"" + height + "\" fill=\"" + Colour(p_.look.background) + "\"/>\n";
        for (const TableElementRow& row : e_.rows)
            if (row.sample)
                Sample(*row.sample);
        for (int g = 0; g < kRuleGroups; ++g)
            Rules(static_cast<RuleGroup>(g));
        out_ += "<g font-family=\"" + std::string(kFonts) + "\" font-size=\"" + Number(e_.metrics.textHeight) +
                "\" fill=\"" + Colour(p_.look.text) + "\">\n";
        Text(e_.title);
        for (const TableElementRow& row : e_.rows)
            for (const TableText& text : row.texts)
                Text(text);
        out_ += "</g>\n</svg>\n";
        return out_;
    }

  private:
    double X(double x) const { return x - box_.left + kMargin; }
    double Y(double y) const { return box_.top - y + kMargin; }

    void Rect(double left, double right, float bottom, float top, SolidColour colour) {
        out_ += "<rect x=\"" + Number(X(left)) + "\" y=\"" + Number(Y(top)) + "\" width=\"" + Number(right - left) +
                "\" height=\"" + Number(top - bottom) + "\" fill=\"" + Colour(colour) + "\"/>\n";
    }

    // The whole sample in the row's colour, the right half over it: no seam between the halves.
    void Sample(const ColourSample& s) {
        Rect(s.left, s.right, s.bottom, s.top, s.leftColour);
        Rect(s.middle, s.right, s.bottom, s.top, s.rightColour);
    }

    void Rules(RuleGroup group) {
        const LineLook& look = p_.look.rules[static_cast<std::size_t>(group)];
        std::string lines;
        for (const RuledLine& l : e_.rules)
            if (l.group == group)
                lines += "<line x1=\"" + Number(X(l.x1)) + "\" y1=\"" + Number(Y(l.y1)) + "\" x2=\"" + Number(X(l.x2)) +
                         "\" y2=\"" + Number(Y(l.y2)) + "\"/>\n";
        if (lines.empty())
            return;
        std::string dashes;
        for (float d : look.dashes)
            dashes += (dashes.empty() ? "" : " ") + Number(d);
        out_ += "<g stroke=\"" + Colour(look.colour) + "\" stroke-width=\"" + Number(kLineWidth) + "\"" +
                (dashes.empty() ? "" : " stroke-dasharray=\"" + dashes + "\"") + ">\n" + lines + "</g>\n";
    }

    // Each character at its own x: Jw_cad's pitch, whatever the font's. Where the text type's
    // characters are not square, the glyphs are stretched to its width.
    void Text(const TableText& text) {
        const std::vector<PlacedCharacter> placed = PlaceCharacters(text, e_.metrics);
        const TableMetrics& m = e_.metrics;
        const double stretch = m.textHeight > 0 && m.textWidth > 0 ? m.textWidth / m.textHeight : 1.0;
        const bool square = std::fabs(stretch - 1.0) < 1e-6;
        std::string xs, characters;
        for (const PlacedCharacter& c : placed) {
            xs += (xs.empty() ? "" : " ") + Number(X(c.x) / (square ? 1.0 : stretch));
            characters += Escaped(c.character);
        }
        if (xs.empty())
            return;
        out_ += "<text x=\"" + xs + "\" y=\"" + Number(Y(text.y) - kDescent * m.textHeight) + "\"" +
                (square ? "" : " transform=\"scale(" + Number(stretch) + " 1)\"") + ">" + characters + "</text>\n";
    }

    const TablePicture& p_;
    const TableElements& e_;
    const PictureBox box_;
    std::string out_;
};

}  // namespace

std::string TableSvg(const TablePicture& picture) {
    return picture.elements ? SvgWriter(picture).Write() : std::string();
}
