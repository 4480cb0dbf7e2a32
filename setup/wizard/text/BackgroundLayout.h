#pragma once

#include <cstdint>
#include <vector>

// The arithmetic of the setup window's backdrop, apart from any drawing, so
// that it can be checked without windows. Colours are COLORREF values: red in
// bits 0-7, green in bits 8-15, blue in bits 16-23.

// One solid rectangle of the backdrop.
struct ColourFill {
    int x;
    int y;
    int width;
    int height;
    std::uint32_t colour;
};

// The fills that paint a client area of width x height, in order. Flat: one
// fill of `from`. Gradient: the top quarter in `from`, then a band of three
// quarters of the height whose top sixth stays `from` and whose rest moves
// from `from` to `to` with the square of the distance, in bands of
// height / 256 rows or at least one. The last fill may lie partly below the
// area; the bottom row is then one step short of `to`.
std::vector<ColourFill> backgroundFills(int width, int height, bool gradient, std::uint32_t from,
                                        std::uint32_t to);

// Text alignment flags as the platform's SetTextAlign takes them.
constexpr unsigned kAlignLeft = 0;
constexpr unsigned kAlignRight = 2;
constexpr unsigned kAlignCentre = 6;
constexpr unsigned kAlignBottom = 8;

enum class BackgroundLine { Heading, Subheading, Footer };

// Where a line of text goes: the reference point and the alignment flags.
struct TextAnchor {
    int x;
    int y;
    unsigned alignment;
};

// The anchor of a line. `alignment` is the first byte of the line's alignment
// setting: '1' centre, '2' right, anything else left. The subheading starts
// 20 pixels below the heading's line height; the footer's bottom edge is 10
// pixels above the bottom.
TextAnchor placeLine(BackgroundLine line, char alignment, int width, int height,
                     int headingLineHeight);

// The shadow copy of a line is drawn this far right and down, first.
constexpr int kShadowOffset = 3;
