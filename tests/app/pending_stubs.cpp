// Stand-ins for the chart painter and the test file until they are merged.
#include <QPainter>
#include <fstream>

#include "cycle/test_file.h"
#include "measure/chart_painter.h"

namespace lxv {

static QColor C(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

void DrawWaveformChart(QImage& image, QSize area, const MeasureRecord& record, const ChartColours& colours) {
    QPainter p(&image);
    p.fillRect(QRect(QPoint(0, 0), area), C(colours.background));
    const int gh = area.height() - 6, c = gh / 2;
    int mu = 0, mi = 0;
    for (int k = 0; k < 512; ++k) {
        mu = std::max(mu, std::abs(record.USamples(k) - record.UZero()));
        mi = std::max(mi, std::abs(record.ISamples(k) - record.IZero()));
    }
    const double dx = (area.width() - 6) / 512.0;
    for (int ch = 0; ch < 2; ++ch) {
        p.setPen(ch == 0 ? QColor(255, 0, 0) : QColor(0, 128, 0));
        const int m = ch == 0 ? mi : mu;
        const double s = m ? double(c) / m : 0;
        for (int k = 1; k < 512; ++k) {
            auto v = [&](int i) {
                return ch == 0 ? record.ISamples(i) - record.IZero() : record.USamples(i) - record.UZero();
            };
            p.drawLine(QPointF(2 + (k - 1) * dx, c + 2 - v(k - 1) * s),
                       QPointF(2 + k * dx, c + 2 - v(k) * s));
        }
    }
}

void DrawHarmonicChart(QImage& image, QSize area, const MeasureRecord& record, Channel channel,
                       const ChartColours& colours) {
    QPainter p(&image);
    p.fillRect(QRect(QPoint(0, 0), area), C(colours.background));
    const int y0 = int((area.height() - 6) * 0.9), rh = y0 - 15;
    float mx = 0;
    for (int n = 0; n <= 50; ++n) mx = std::max(mx, record.Harmonic(channel, n));
    p.setPen(channel == Channel::Voltage ? QColor(0, 128, 0) : QColor(223, 48, 32));
    for (int n = 0; n <= 50; ++n) {
        const int x = qRound(n * (area.width() - 14) / 50.0) + 2;
        const int hgt = mx > 0 ? int(rh / mx * record.Harmonic(channel, n)) : 0;
        p.drawRect(QRect(QPoint(x + 5, y0 - hgt), QPoint(x + 7, y0)));
    }
}

std::string WriteTestFile(const std::string& path, const MeasureRecord& record) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(record.data()), kRecordSize);
    return out ? "" : "cannot write " + path;
}

std::string ReadTestFile(const std::string& path, MeasureRecord& record) {
    std::ifstream in(path, std::ios::binary);
    std::array<std::uint8_t, kRecordSize> buf{};
    in.read(reinterpret_cast<char*>(buf.data()), kRecordSize);
    if (in.gcount() != static_cast<std::streamsize>(kRecordSize)) return "Read beyond end of file";
    record.bytes() = buf;
    return "";
}

}  // namespace lxv
