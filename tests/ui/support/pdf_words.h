#pragma once
// The words of a PDF with their boxes in points, as `pdftotext -bbox` reports them.

#include <QList>
#include <QString>

namespace testsupport {

struct PdfWord {
    int page;  // from 1
    double x;  // the word's box: left, top, right, bottom
    double y;
    double xMax;
    double yMax;
    QString text;
};

struct PdfWords {
    bool ok = false;  // pdftotext ran and answered
    int pages = 0;
    QList<PdfWord> words;
};

PdfWords ReadPdfWords(const QString& pdfPath);

// The characters of a PDF as Ghostscript's text device reads them: each with its left edge and
// its baseline in points. Unlike pdftotext it also sees the glyphs of the Type 3 fonts a print
// queue makes; its positions are whole points.
struct PdfChar {
    int page;  // from 1
    double x;
    double baseline;
};

struct PdfChars {
    bool ok = false;
    int pages = 0;
    QList<PdfChar> chars;
};

PdfChars ReadPdfChars(const QString& pdfPath);

}  // namespace testsupport
