#include "ui/CheckSummary.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "base/Format.h"
#include "output/ModeOutputs.h"

std::string CheckAreaText(double area) {
    std::string shown = FormatQuantity(area, 3);
    if (shown != "0.000") return shown;
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, std::max(area, 0.0), std::chars_format::fixed, 6);
    return std::string(text, result.ptr);
}

std::string CheckSummary(std::span<const Finding> findings, bool cutShort) {
    std::array<std::size_t, 3> counts{};  // by FindingKind
    double shared = 0.0;
    for (const Finding& f : findings) {
        ++counts[static_cast<std::size_t>(f.kind)];
        if (f.kind == FindingKind::Overlap) shared += f.area;
    }
    std::string summary;
    for (FindingKind kind : {FindingKind::Overlap, FindingKind::Crossed, FindingKind::Empty}) {
        const std::size_t count = counts[static_cast<std::size_t>(kind)];
        if (count == 0 && !(kind == FindingKind::Overlap && cutShort)) continue;
        summary += (summary.empty() ? "" : " ／ ") + std::string(FindingLabel(kind)) + " " + std::to_string(count);
        if (kind == FindingKind::Overlap) summary += cutShort ? "か所以上" : "か所 " + CheckAreaText(shared) + "㎡";
    }
    return summary;
}

FindingDetails DetailsOf(const Finding& finding) {
    std::string rows = std::to_string(finding.row);
    if (finding.kind == FindingKind::Overlap && finding.otherRow != finding.row)
        rows = std::to_string(std::min(finding.row, finding.otherRow)) + "・" +
               std::to_string(std::max(finding.row, finding.otherRow));
    return {rows, std::string(FindingLabel(finding.kind)), CheckAreaText(finding.area)};
}
