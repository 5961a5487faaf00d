// The pictures of the main window's tool buttons, the support link and the
// splash, drawn with QPainter so the program carries no picture files.
#pragma once

#include <QIcon>

namespace lxv {

enum class Glyph {
    Open,
    Save,
    Print,
    Version,
    Record,
    Harmonic,
    Single,
    Continuous,
    Stop,
    Starting,
    Web,
    HarmonicTest,
    StandbyTest
};

QIcon GlyphIcon(Glyph glyph);

}  // namespace lxv
