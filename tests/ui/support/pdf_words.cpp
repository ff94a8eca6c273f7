#include "support/pdf_words.h"

#include <QProcess>
#include <QRegularExpression>

namespace testsupport {

PdfWords ReadPdfWords(const QString& pdfPath) {
    PdfWords result;
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-bbox", pdfPath, "-"});
    if (!pdftotext.waitForFinished(20000) || pdftotext.exitCode() != 0) return result;
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    const QRegularExpression token(R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    for (auto it = token.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith("<page")) {
            ++result.pages;
            continue;
        }
        result.words.append({result.pages, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                             m.captured(4).toDouble(), m.captured(5)});
    }
    result.ok = true;
    return result;
}

PdfChars ReadPdfChars(const QString& pdfPath) {
    PdfChars result;
    QProcess gs;
    gs.start("gs", {"-q", "-dNOPAUSE", "-dBATCH", "-dSAFER", "-sDEVICE=txtwrite", "-dTextFormat=0",
                    "-sOutputFile=-", pdfPath});
    if (!gs.waitForFinished(60000) || gs.exitCode() != 0) return result;
    const QString xml = QString::fromUtf8(gs.readAllStandardOutput());
    const QRegularExpression token(R"re(<page>|<char bbox="(-?\d+) (-?\d+) (-?\d+) (-?\d+)")re");
    for (auto it = token.globalMatch(xml); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0) == "<page>") {
            ++result.pages;
            continue;
        }
        result.chars.append({result.pages, m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    result.ok = true;
    return result;
}

}  // namespace testsupport
