#pragma once
// The program's own pictures, drawn in code so the window needs no image files.

#include <QImage>
#include <QPixmap>

// The intro picture Image1: a floodlit stadium at night, 512 x 380, 24-bit.
QImage DrawIntroPicture();
// A ball on the grass, for the intro's small picture (128 x 86) and the about box.
QImage DrawBallPicture(int width, int height);
// Glyphs of the bottom bar's buttons (square, `size` pixels).
QPixmap DrawComputeGlyph(int size);
QPixmap DrawNextStageGlyph(int size, bool enabled);
