#include "ExchangeGenerator.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <string_view>

#include "base/Sjis.h"

namespace {

// A small, fully specified generator, so that a seed gives the same file on every platform.
class SplitMix {
  public:
    explicit SplitMix(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in lo..hi.
    std::int64_t Between(std::int64_t lo, std::int64_t hi) {
        return lo + static_cast<std::int64_t>(Next() % static_cast<std::uint64_t>(hi - lo + 1));
    }
    bool Chance(int percent) { return Between(1, 100) <= percent; }

  private:
    std::uint64_t state_;
};

// Colours a user picks for room areas; all distinct.
constexpr std::array<SolidColour, 16> kPalette = {
    RgbColour(255, 200, 200), RgbColour(200, 255, 200), RgbColour(200, 200, 255), RgbColour(255, 255, 180),
    RgbColour(255, 220, 160), RgbColour(220, 180, 255), RgbColour(180, 240, 240), RgbColour(240, 240, 240),
    RgbColour(192, 192, 192), RgbColour(255, 160, 120), RgbColour(150, 200, 120), RgbColour(120, 160, 220),
    RgbColour(230, 200, 150), RgbColour(255, 180, 220), RgbColour(200, 230, 160), RgbColour(160, 160, 200),
};

struct Point {
    std::int64_t x = 0, y = 0;  // half millimetres, so that coordinates like 1250.5 occur
};

// Appends half millimetres as a millimetre number: 2501 -> "1250.5", -3 -> "-1.5".
void AppendCoordinate(std::string& out, std::int64_t halves) {
    if (halves < 0)
        out += '-';
    std::uint64_t magnitude = static_cast<std::uint64_t>(halves < 0 ? -halves : halves);
    char buffer[24];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude / 2).ptr;
    out.append(buffer, end);
    if (magnitude % 2 != 0)
        out += ".5";
}

void AppendPoint(std::string& out, Point p) {
    out += ' ';
    AppendCoordinate(out, p.x);
    out += ' ';
    AppendCoordinate(out, p.y);
}

void AppendLine(std::string& out, std::string_view text) {
    out += text;
    out += "\r\n";
}

constexpr std::string_view kHeader =
    "hq\r\n"
    "hk 0\r\n"
    "hs 100 100 200 50 100 100 100 100 100 100 100 100 100 100 100 100\r\n"
    "hcw 2 2.5 3 4 5 6 7 8 9 10\r\n"
    "hch 2 2.5 3 4 5 6 7 8 9 10\r\n"
    "hcd 0 0 0.5 0.5 0.5 0.5 1 1 1 1\r\n"
    "hcc 1 1 2 2 3 3 4 4 5 5\r\n"
    "hn -40000 -30000 40000 30000\r\n"
    "lg0\r\n"
    "ly0\r\n"
    "lc2\r\n"
    "lt1\r\n"
    "cn3\r\n"
    "#\r\n";

class Writer {
  public:
    Writer(const GeneratorOptions& options, GeneratedExchange& result)
        : random_(options.seed), result_(result), colourCount_(std::clamp(options.colours, 1, 16)),
          overlapPercent_(options.overlapPercent) {
        for (const char* name : {"事務室", "会議室", "廊下", "便所", "給湯室", "倉庫"})
            roomNames_.push_back(sjis::Encode(name));
    }

    void Run(std::int64_t solids) {
        std::string& out = result_.bytes;
        // About 64 bytes per solid and a few more for the figures between them.
        out.reserve(static_cast<std::size_t>(solids) * 70 + kHeader.size());
        out += kHeader;
        std::int64_t runLeft = 0;
        for (std::int64_t i = 0; i < solids; ++i) {
            if (runLeft-- <= 0) {
                colour_ = static_cast<std::size_t>(random_.Between(0, colourCount_ - 1));
                colourWritten_ = false;
                runLeft = random_.Between(1, 60);
            }
            if (random_.Chance(2))
                WriteLayerChange();
            if (random_.Chance(12))
                WriteOtherFigure();
            if (!colourWritten_)
                WriteSolidColour();
            WriteSolid();
        }
        // quarter mm² / 2 -> mm² / 8 -> m² / 8e6
        result_.totalArea = static_cast<double>(doubledQuarterArea_) / 8e6;
    }

  private:
    void WriteLayerChange() {
        static constexpr char kDigits[] = "0123456789abcdef";
        std::string& out = result_.bytes;
        if (random_.Chance(20)) {
            out += "lg";
            out += kDigits[random_.Between(0, 3)];
            out += "\r\n";
        }
        out += "ly";
        out += kDigits[random_.Between(0, 15)];
        out += "\r\n";
    }

    // A wall line, a column circle, a room name or a point, in pen colours that replace the
    // solid colour in force.
    void WriteOtherFigure() {
        std::string& out = result_.bytes;
        Point p = RandomPoint();
        switch (random_.Between(0, 3)) {
            case 0:
                AppendLine(out, "lc2");
                AppendPoint(out, p);
                AppendPoint(out, Point{p.x + random_.Between(-8000, 8000), p.y});
                out += "\r\n";
                break;
            case 1:
                AppendLine(out, "lc1");
                out += "ci";
                AppendPoint(out, p);
                out += ' ';
                AppendCoordinate(out, random_.Between(100, 800));
                out += "\r\n";
                break;
            case 2:
                AppendLine(out, "lc3");
                AppendLine(out, "cn3");
                out += "ch";
                AppendPoint(out, p);
                out += " 1 0 \"";
                out += roomNames_[static_cast<std::size_t>(random_.Between(0, 5))];
                out += "\r\n";
                break;
            default:
                AppendLine(out, "lc9");
                out += "pt";
                AppendPoint(out, p);
                out += "\r\n";
                break;
        }
        colourWritten_ = false;
    }

    void WriteSolidColour() {
        std::string& out = result_.bytes;
        SolidColour colour = kPalette[colour_];
        out += "lc10 ";
        char buffer[16];
        out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, colour).ptr);
        out += "\r\n";
        colourWritten_ = true;
        auto known = std::find(result_.colours.begin(), result_.colours.end(), colour);
        if (known == result_.colours.end()) {
            result_.colours.push_back(colour);
            result_.solidsPerColour.push_back(0);
            known = result_.colours.end() - 1;
        }
        currentIndex_ = static_cast<std::size_t>(known - result_.colours.begin());
    }

    // A rectangle, a parallelogram or a triangle from a corner and two edge vectors; its
    // doubled area is the magnitude of the vectors' cross product.
    void WriteSolid() {
        std::string& out = result_.bytes;
        Point p = overlapPercent_ < 0 ? RandomPoint() : GridPoint();
        Point a, b;
        if (random_.Chance(70)) {
            a = {random_.Between(400, 12000), 0};
            b = {0, random_.Between(400, 12000)};
        } else {
            a = {random_.Between(400, 12000), random_.Between(-3000, 3000)};
            b = {random_.Between(-3000, 3000), random_.Between(400, 12000)};
        }
        std::int64_t cross = std::llabs(a.x * b.y - a.y * b.x);
        out += "sl";
        AppendPoint(out, p);
        AppendPoint(out, Point{p.x + a.x, p.y + a.y});
        if (random_.Chance(15)) {
            AppendPoint(out, Point{p.x + b.x, p.y + b.y});
            doubledQuarterArea_ += cross;  // triangle: cross / 2 in quarter mm²
            ++result_.triangles;
        } else {
            AppendPoint(out, Point{p.x + a.x + b.x, p.y + a.y + b.y});
            AppendPoint(out, Point{p.x + b.x, p.y + b.y});
            doubledQuarterArea_ += 2 * cross;
            ++result_.quadrilaterals;
        }
        out += "\r\n";
        ++result_.solidsPerColour[currentIndex_];
    }

    Point RandomPoint() { return {random_.Between(-80000, 80000), random_.Between(-60000, 60000)}; }

    // The corner of a solid in a cell of 10 m, room enough for the largest; or, by the overlap
    // percentage, a point just inside the last solid's corner, so that the two overlap.
    Point GridPoint() {
        constexpr std::int64_t kCell = 20000, kColumns = 1000;  // half millimetres
        if (cell_ > 0 && random_.Chance(overlapPercent_))
            return {lastCorner_.x + 200, lastCorner_.y + 200};
        lastCorner_ = {(cell_ % kColumns) * kCell + 3000, (cell_ / kColumns) * kCell + 3000};
        ++cell_;
        return lastCorner_;
    }

    SplitMix random_;
    GeneratedExchange& result_;
    int colourCount_;
    std::vector<std::string> roomNames_;
    std::size_t colour_ = 0;        // palette index of the current run
    std::size_t currentIndex_ = 0;  // its index in result_.colours
    bool colourWritten_ = false;
    std::int64_t doubledQuarterArea_ = 0;
    int overlapPercent_ = -1;
    std::int64_t cell_ = 0;  // the next free grid cell
    Point lastCorner_;
};

}  // namespace

GeneratedExchange GenerateExchange(const GeneratorOptions& options) {
    GeneratedExchange result;
    Writer(options, result).Run(options.solids);
    return result;
}
