#include "ui/artwork.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace {

void DrawBall(QPainter& p, QPointF centre, double radius) {
    p.save();
    QRadialGradient shade(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.3);
    shade.setColorAt(0, Qt::white);
    shade.setColorAt(1, QColor(170, 170, 170));
    p.setPen(QPen(QColor(40, 40, 40), std::max(1.0, radius / 12)));
    p.setBrush(shade);
    p.drawEllipse(centre, radius, radius);
    // A black pentagon in the middle and parts of five around it.
    p.setBrush(QColor(25, 25, 25));
    p.setPen(Qt::NoPen);
    auto pentagon = [&](QPointF c, double r, double turn) {
        QPolygonF poly;
        for (int k = 0; k < 5; ++k) {
            const double a = turn + k * 2 * M_PI / 5 - M_PI / 2;
            poly << c + QPointF(r * std::cos(a), r * std::sin(a));
        }
        p.drawPolygon(poly);
    };
    pentagon(centre, radius * 0.32, 0);
    QPainterPath clip;
    clip.addEllipse(centre, radius, radius);
    p.setClipPath(clip);
    for (int k = 0; k < 5; ++k) {
        const double a = k * 2 * M_PI / 5 + M_PI / 2;
        pentagon(centre + QPointF(radius * 0.9 * std::cos(a), radius * 0.9 * std::sin(a)), radius * 0.28, M_PI);
    }
    p.restore();
}

void DrawFloodlight(QPainter& p, QPointF top, double height) {
    p.setPen(QPen(QColor(70, 70, 80), 3));
    p.drawLine(top + QPointF(0, 8), top + QPointF(0, height));
    QRadialGradient glow(top, 60);
    glow.setColorAt(0, QColor(255, 255, 220, 200));
    glow.setColorAt(0.3, QColor(255, 250, 200, 70));
    glow.setColorAt(1, QColor(255, 250, 200, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(top, 60, 60);
    p.setBrush(QColor(255, 255, 235));
    p.drawRect(QRectF(top.x() - 11, top.y() - 5, 22, 10));
}

}  // namespace

qreal ArtworkScale() { return qGuiApp ? std::max<qreal>(1, qGuiApp->devicePixelRatio()) : 1; }

QImage ArtworkImage(int width, int height, qreal scale, QImage::Format format) {
    QImage image(QSize(width, height) * scale, format);
    image.setDevicePixelRatio(scale);
    return image;
}

QPixmap ArtworkPixmap(int width, int height, qreal scale, const QColor& fill) {
    QPixmap pixmap(QSize(width, height) * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(fill);
    return pixmap;
}

QImage DrawIntroPicture(qreal scale) {
    const int w = 512, h = 380;
    QImage image = ArtworkImage(w, h, scale, QImage::Format_RGB888);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, 190);
    sky.setColorAt(0, QColor(4, 6, 28));
    sky.setColorAt(1, QColor(20, 34, 84));
    p.fillRect(0, 0, w, 190, sky);
    p.setPen(QColor(200, 200, 230));
    for (int k = 0; k < 40; ++k) p.drawPoint((k * 97 + 13) % w, (k * 53 + 7) % 110);

    DrawFloodlight(p, QPointF(60, 40), 130);
    DrawFloodlight(p, QPointF(452, 40), 130);

    // The stands: dark tiers with a crowd of small lit dots.
    QPolygonF stand;
    stand << QPointF(0, 190) << QPointF(0, 135) << QPointF(w, 135) << QPointF(w, 190);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(38, 36, 52));
    p.drawPolygon(stand);
    for (int row = 0; row < 6; ++row)
        for (int col = 0; col < 128; ++col) {
            const int x = col * 4 + (row % 2) * 2, y = 140 + row * 8;
            const int hue = (col * 37 + row * 11) % 5;
            static const QColor crowd[] = {QColor(200, 40, 40), QColor(230, 230, 230), QColor(60, 90, 190),
                                           QColor(230, 200, 60), QColor(110, 100, 120)};
            p.fillRect(x, y, 2, 3, crowd[hue]);
        }

    // The pitch in perspective, mown in stripes.
    for (int s = 0; s < 10; ++s) {
        const double y0 = 190 + s * 19, y1 = y0 + 19;
        p.fillRect(QRectF(0, y0, w, y1 - y0), s % 2 ? QColor(40, 130, 50) : QColor(52, 150, 60));
    }
    QPen line(QColor(235, 240, 235), 2);
    p.setPen(line);
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(30, 205), QPointF(482, 205));
    p.drawLine(QPointF(30, 205), QPointF(-40, 380));
    p.drawLine(QPointF(482, 205), QPointF(552, 380));
    QPolygonF box;
    box << QPointF(150, 205) << QPointF(130, 262) << QPointF(382, 262) << QPointF(362, 205);
    p.drawPolyline(box);
    p.drawArc(QRectF(196, 240, 120, 50), 200 * 16, 140 * 16);

    // The goal with its net.
    const QRectF goal(206, 160, 100, 45);
    p.setPen(QPen(QColor(220, 220, 220, 110), 1));
    for (int x = 0; x <= 100; x += 6) p.drawLine(QPointF(goal.left() + x, goal.top()), QPointF(goal.left() + x, goal.bottom()));
    for (int y = 0; y <= 45; y += 6) p.drawLine(QPointF(goal.left(), goal.top() + y), QPointF(goal.right(), goal.top() + y));
    p.setPen(QPen(Qt::white, 4));
    p.drawLine(goal.bottomLeft(), goal.topLeft());
    p.drawLine(goal.topLeft(), goal.topRight());
    p.drawLine(goal.topRight(), goal.bottomRight());

    // The ball on its way in, with a trail.
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 6; ++k) {
        p.setBrush(QColor(255, 255, 255, 25 + k * 12));
        p.drawEllipse(QPointF(330 + (6 - k) * 22, 300 - (6 - k) * 14), 7 + k, 7 + k);
    }
    DrawBall(p, QPointF(300, 215), 16);
    DrawBall(p, QPointF(330, 300), 22);
    return image;
}

QImage DrawBallPicture(int width, int height, qreal scale) {
    QImage image = ArtworkImage(width, height, scale, QImage::Format_RGB888);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient grass(0, 0, 0, height);
    grass.setColorAt(0, QColor(30, 100, 40));
    grass.setColorAt(1, QColor(60, 160, 70));
    p.fillRect(QRect(0, 0, width, height), grass);
    p.setPen(QPen(QColor(235, 240, 235), std::max(1, height / 30)));
    p.drawLine(QPointF(0, height * 0.78), QPointF(width, height * 0.78));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    const double r = std::min(width, height) * 0.36;
    p.drawEllipse(QPointF(width / 2.0 + r * 0.25, height * 0.5 + r * 0.95), r * 0.9, r * 0.22);
    DrawBall(p, QPointF(width / 2.0, height * 0.5), r);
    return image;
}

QPixmap DrawComputeGlyph(int size, qreal scale) {
    QPixmap pixmap = ArtworkPixmap(size, size, scale, Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A small calculator: the run counts the lines that pass.
    const QRectF body(size * 0.18, size * 0.08, size * 0.64, size * 0.84);
    p.setPen(QPen(QColor(30, 30, 30), 1));
    p.setBrush(QColor(70, 90, 120));
    p.drawRoundedRect(body, 3, 3);
    p.setBrush(QColor(190, 230, 190));
    p.drawRect(QRectF(body.left() + size * 0.08, body.top() + size * 0.08, body.width() - size * 0.16, size * 0.18));
    p.setBrush(QColor(235, 235, 235));
    const double key = size * 0.12, gap = size * 0.04;
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRect(QRectF(body.left() + size * 0.08 + col * (key + gap), body.top() + size * 0.34 + row * (key + gap),
                              key, key));
    return pixmap;
}

QPixmap DrawNextStageGlyph(int size, bool enabled, qreal scale) {
    QPixmap pixmap = ArtworkPixmap(size, size, scale, Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF arrow;
    const double s = size;
    arrow << QPointF(s * 0.12, s * 0.36) << QPointF(s * 0.52, s * 0.36) << QPointF(s * 0.52, s * 0.16)
          << QPointF(s * 0.9, s * 0.5) << QPointF(s * 0.52, s * 0.84) << QPointF(s * 0.52, s * 0.64)
          << QPointF(s * 0.12, s * 0.64);
    p.setPen(QPen(enabled ? QColor(0, 70, 0) : QColor(128, 128, 128), 1));
    p.setBrush(enabled ? QColor(40, 170, 40) : QColor(200, 200, 200));
    p.drawPolygon(arrow);
    return pixmap;
}
