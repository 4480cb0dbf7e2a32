#include "setup/wizard/text/BackgroundLayout.h"

namespace {

std::uint32_t channel(std::uint32_t colour, int shift) {
    return (colour >> shift) & 0xFF;
}

// The colour at ramp position k of d (k = d at the end of the ramp). The
// product is taken in 64 bits, so that very tall windows cannot overflow it.
std::uint32_t rampColour(std::uint32_t from, std::uint32_t to, std::int64_t k, std::int64_t d) {
    std::uint32_t colour = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::int64_t f = channel(from, shift);
        const std::int64_t t = channel(to, shift);
        const std::int64_t c = f - ((f - t) * k) / d;
        colour |= (static_cast<std::uint32_t>(c) & 0xFF) << shift;
    }
    return colour;
}

void addRamp(std::vector<ColourFill>& fills, int x, int y, int width, int height,
             std::uint32_t from, std::uint32_t to) {
    const int solid = height - (5 * height) / 6;
    const int ramp = height - solid;
    int band = ramp / 256;
    if (band <= 1)
        band = 1;
    fills.push_back({x, y, width, solid, from});
    y += solid;
    const std::int64_t d = static_cast<std::int64_t>(ramp) * ramp;
    int remaining = ramp;
    while (remaining > 0) {
        const std::int64_t done = ramp - remaining;
        fills.push_back({x, y, width, band, rampColour(from, to, done * done, d)});
        y += band;
        remaining -= band;
    }
    fills.push_back({x, y + remaining, width, band, to});
}

} // namespace

std::vector<ColourFill> backgroundFills(int width, int height, bool gradient, std::uint32_t from,
                                        std::uint32_t to) {
    std::vector<ColourFill> fills;
    if (!gradient) {
        fills.push_back({0, 0, width, height, from});
        return fills;
    }
    const int band = (3 * height) / 4;
    fills.push_back({0, 0, width, height - band, from});
    addRamp(fills, 0, height - band, width, band, from, to);
    return fills;
}

TextAnchor placeLine(BackgroundLine line, char alignment, int width, int height,
                     int headingLineHeight) {
    TextAnchor anchor{20, 10, kAlignLeft};
    if (alignment == '1') {
        anchor.x = width >> 1;
        anchor.alignment = kAlignCentre;
    } else if (alignment == '2') {
        anchor.x = width - 20;
        anchor.alignment = kAlignRight;
    }
    switch (line) {
    case BackgroundLine::Heading:
        break;
    case BackgroundLine::Subheading:
        anchor.y = headingLineHeight + 20;
        break;
    case BackgroundLine::Footer:
        anchor.y = height - 10;
        anchor.alignment |= kAlignBottom;
        break;
    }
    return anchor;
}
