#include "app/logo_form.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <cmath>

#include "platform/translation.h"

namespace lxv {

TLogoForm::TLogoForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("LogoForm");
    setAttribute(Qt::WA_TranslucentBackground);
    resize(480, 260);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TLogoForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF card = QRectF(rect()).adjusted(4, 4, -4, -4);
    QLinearGradient fill(card.topLeft(), card.bottomRight());
    fill.setColorAt(0, QColor(18, 40, 78));
    fill.setColorAt(1, QColor(8, 90, 110));
    p.setPen(QPen(QColor(200, 220, 240), 2));
    p.setBrush(fill);
    p.drawRoundedRect(card, 18, 18);

    // Voltage and current of a slightly lagging load.
    const QRectF wave = card.adjusted(30, 120, -30, -40);
    for (int trace = 0; trace < 2; ++trace) {
        QPainterPath path;
        const double lag = trace == 0 ? 0.0 : 0.6;
        const double amp = trace == 0 ? 0.5 : 0.32;
        for (int i = 0; i <= 200; ++i) {
            const double t = i / 200.0;
            const QPointF pt(wave.left() + t * wave.width(),
                             wave.center().y() - std::sin(t * 4 * M_PI - lag) * amp * wave.height());
            if (i == 0)
                path.moveTo(pt);
            else
                path.lineTo(pt);
        }
        p.setPen(QPen(trace == 0 ? QColor(90, 220, 120) : QColor(250, 110, 90), 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }

    p.setPen(Qt::white);
    QFont title = font();
    title.setPointSize(34);
    title.setBold(true);
    p.setFont(title);
    p.drawText(card.adjusted(30, 18, -30, 0), Qt::AlignLeft | Qt::AlignTop, "LXV7700");
    QFont sub = font();
    sub.setPointSize(12);
    p.setFont(sub);
    p.setPen(QColor(200, 225, 245));
    p.drawText(card.adjusted(32, 80, -30, 0), Qt::AlignLeft | Qt::AlignTop,
               Translated(QT_TRANSLATE_NOOP("lxv", "Single-phase power analyser")));
    p.drawText(card.adjusted(30, 0, -30, -12), Qt::AlignRight | Qt::AlignBottom,
               Translated(QT_TRANSLATE_NOOP("lxv", "Starting...")));
}

}  // namespace lxv
