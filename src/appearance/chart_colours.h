// Appearance: the two chart colours that every chart reads when it draws.
// Owns: ChartBackground and ChartScaleColour and their WaveSet codes.
// Depends on: nothing. No Qt.
#pragma once

#include <cstdint>

namespace lxv {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct ChartColours {
    Rgb background{0, 0, 0};  // ChartBackground
    Rgb scale{0, 0, 0};       // ChartScaleColour
};

// WaveSet/WaveBackground: 0 black, 1 white, 2 gray (238, 238, 238).
// WaveSet/ScaleColor: 0 blue-green (0, 128, 128), 1 yellow (239, 239, 0),
// 2 light black (170, 170, 170). Another value leaves the colour as it is.
inline void ApplyWaveBackground(ChartColours& c, int code) {
    static constexpr Rgb kTable[3] = {{0, 0, 0}, {255, 255, 255}, {238, 238, 238}};
    if (code >= 0 && code <= 2) c.background = kTable[code];
}
inline void ApplyScaleColour(ChartColours& c, int code) {
    static constexpr Rgb kTable[3] = {{0, 128, 128}, {239, 239, 0}, {170, 170, 170}};
    if (code >= 0 && code <= 2) c.scale = kTable[code];
}

// The process-wide colours (start: black; the settings normally make them gray and light black).
ChartColours& CurrentChartColours();

}  // namespace lxv
