#include "pixel_font.h"

#include <array>
#include <stdexcept>
#include <string>

namespace artgen {

namespace {

struct SGlyph {
    char ch;
    std::array<const char*, 5> rows;  // '#' is ink; all rows equally wide
};

constexpr SGlyph kGlyphs[] = {
    {'A', {".#.", "#.#", "###", "#.#", "#.#"}},           {'B', {"##.", "#.#", "##.", "#.#", "##."}},
    {'D', {"##.", "#.#", "#.#", "#.#", "##."}},           {'E', {"###", "#..", "##.", "#..", "###"}},
    {'F', {"###", "#..", "##.", "#..", "#.."}},           {'K', {"#..#", "#.#.", "##..", "#.#.", "#..#"}},
    {'N', {"#..#", "##.#", "#.##", "#..#", "#..#"}},      {'O', {".##.", "#..#", "#..#", "#..#", ".##."}},
    {'P', {"##.", "#.#", "##.", "#..", "#.."}},           {'R', {"###.", "#..#", "###.", "#.#.", "#..#"}},
    {'S', {".###", "#...", ".##.", "...#", "###."}},      {'T', {"###", ".#.", ".#.", ".#.", ".#."}},
    {'V', {"#...#", "#...#", ".#.#.", ".#.#.", "..#.."}}, {'W', {"#...#", "#...#", "#.#.#", "#.#.#", ".#.#."}},
    {'Y', {"#...#", ".#.#.", "..#..", "..#..", "..#.."}},
};

const SGlyph& GlyphOf(char ch)
{
    for (const SGlyph& g : kGlyphs)
        if (g.ch == ch) return g;
    throw std::runtime_error(std::string("pixel font has no glyph for '") + ch + "'");
}

int GlyphWidth(char ch) { return ch == ' ' ? 2 : static_cast<int>(std::string_view(GlyphOf(ch).rows[0]).size()); }

}  // namespace

int DrawPixelText(CCanvas& canvas, std::string_view text, int x, int y, Rgb cr, int nGap)
{
    int pen = x;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch != ' ') {
            const SGlyph& g = GlyphOf(ch);
            for (int row = 0; row < 5; ++row)
                for (int col = 0; g.rows[row][col]; ++col)
                    if (g.rows[row][col] == '#') canvas.Set(pen + col, y + row, cr);
        }
        pen += GlyphWidth(ch) + (i + 1 < text.size() ? nGap : 0);
    }
    return pen - x;
}

}  // namespace artgen
