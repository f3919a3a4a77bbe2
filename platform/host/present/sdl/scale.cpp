#include "present/sdl/scale.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace host::sdl {
namespace {

std::string_view Trim(std::string_view s)
{
    const char* blanks = " \t\r";
    std::size_t first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

// A whole factor from 1 to kMaxScale, or 0.
int WholeScale(std::string_view text)
{
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return 0;
    return value >= 1 && value <= kMaxScale ? value : 0;
}

// Digits with at most one decimal point ("192", "144.5"). By hand: the
// disc's toolchain has no floating-point from_chars, and strtod follows the
// locale.
std::optional<double> Decimal(std::string_view text)
{
    double value = 0, unit = 1;
    bool digits = false, point = false;
    for (char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (point) value += (c - '0') * (unit /= 10);
            else value = value * 10 + (c - '0');
        } else {
            return std::nullopt;
        }
    }
    return digits ? std::optional<double>(value) : std::nullopt;
}

std::string Ignored(const char* name, const std::string& value, const char* why)
{
    return std::string("OrvaneCD: ") + name + "=" + value + " " + why + "; ignored";
}

}  // namespace

std::optional<std::string> ResourceValue(std::string_view database, std::string_view name)
{
    std::optional<std::string> found;
    while (!database.empty()) {
        std::size_t end = database.find('\n');
        std::string_view line = database.substr(0, end);
        database = end == std::string_view::npos ? std::string_view{} : database.substr(end + 1);
        std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || Trim(line.substr(0, colon)) != name) continue;
        found = std::string(Trim(line.substr(colon + 1)));  // a later line overrides
    }
    return found;
}

int ScaleFromDpi(std::string_view dpi)
{
    std::optional<double> parsed = Decimal(dpi);
    const double value = parsed.value_or(0);
    if (!(value > 0)) return 0;
    // Round half down: x.5 rounds to x.
    double factor = std::ceil(value / kBaseDpi - 0.5);
    if (factor > kMaxScale + 1) return kMaxScale + 1;  // too large, whatever the amount
    return std::max(1, static_cast<int>(factor));
}

int WishedScale(const ScaleSources& sources, std::vector<std::string>* complaints)
{
    const char* notWhole = "is not a whole number from 1 to 8";
    for (auto [name, value] : {std::pair{"ORVANE_SCALE", &sources.orvaneScale}, {"GDK_SCALE", &sources.gdkScale}}) {
        if (!value->has_value() || (*value)->empty()) continue;
        if (int scale = WholeScale(**value)) return scale;
        complaints->push_back(Ignored(name, **value, notWhole));
    }
    if (!sources.resources) return 1;
    std::optional<std::string> dpi = ResourceValue(*sources.resources, "Xft.dpi");
    if (!dpi || dpi->empty()) return 1;
    int scale = ScaleFromDpi(*dpi);
    if (scale >= 1 && scale <= kMaxScale) return scale;
    complaints->push_back(Ignored("Xft.dpi", *dpi, "does not give a scale from 1 to 8"));
    return 1;
}

int FittingScale(int wished, SIZE window, SIZE screen)
{
    for (int scale = std::min(wished, kMaxScale); scale > 1; --scale)
        if (window.cx * scale <= screen.cx && window.cy * scale <= screen.cy) return scale;
    return 1;
}

void ScaleBlocks(const std::uint32_t* pixels, int width, int height, int scale, std::vector<std::uint32_t>* out)
{
    const std::size_t outWidth = static_cast<std::size_t>(width) * scale;
    out->resize(outWidth * height * scale);
    std::uint32_t* row = out->data();
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* source = pixels + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x) std::fill_n(row + static_cast<std::size_t>(x) * scale, scale, source[x]);
        for (int copy = 1; copy < scale; ++copy) std::copy_n(row, outWidth, row + copy * outWidth);
        row += outWidth * scale;
    }
}

}  // namespace host::sdl
