#pragma once
// The program's own pictures, drawn in code so the window needs no image files.

#include <QColor>
#include <QImage>
#include <QPixmap>

// How many device pixels the pictures give each pixel of the layout: the highest pixel
// density of the screens, so a high-density screen shows them sharp rather than enlarged.
qreal ArtworkScale();
// An empty picture of `width` x `height` layout pixels at `scale`, to paint in layout pixels.
QImage ArtworkImage(int width, int height, qreal scale, QImage::Format format);
QPixmap ArtworkPixmap(int width, int height, qreal scale, const QColor& fill);

// Every picture measures its sizes in layout pixels and is drawn at `scale`.
// The intro picture Image1: a floodlit stadium at night, 512 x 380, 24-bit.
QImage DrawIntroPicture(qreal scale = ArtworkScale());
// A ball on the grass, for the intro's small picture (128 x 86) and the about box.
QImage DrawBallPicture(int width, int height, qreal scale = ArtworkScale());
// Glyphs of the bottom bar's buttons (square, `size` pixels).
QPixmap DrawComputeGlyph(int size, qreal scale = ArtworkScale());
QPixmap DrawNextStageGlyph(int size, bool enabled, qreal scale = ArtworkScale());
