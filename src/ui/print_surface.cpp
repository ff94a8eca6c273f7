#include "ui/print_surface.h"

#include "ui/dialog_service.h"
#include "ui/print_queue.h"

#include <QFont>
#include <algorithm>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <cmath>

int UsePrintResolution(QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat && printer.resolution() != PdfResolution &&
        !printer.paintingActive())
        printer.setResolution(PdfResolution);
    return printer.resolution();
}

QtPrintSurface::QtPrintSurface(DialogService& dialogs) : dialogs_(&dialogs) {}

QtPrintSurface::QtPrintSurface(QPrinter& printer) : printer_(&printer) {}

QtPrintSurface::~QtPrintSurface() {
    if (painter_ && painter_->isActive()) painter_->end();
}

QPrinter& QtPrintSurface::Printer() {
    if (printer_) return *printer_;
    if (!ownPrinter_) ownPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *ownPrinter_;
}

PrintSurface::JobStart QtPrintSurface::BeginJob(const QString& fontName, int pointSize) {
    if (dialogs_) {
        // Each job asks for its printer; the last choice is offered again.
        if (!ownPrinter_) ownPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (!dialogs_->ChoosePrinter(*ownPrinter_)) return JobStart::Cancelled;
        printer_ = ownPrinter_.get();
    }
    QPrinter* printer = printer_;
    UsePrintResolution(*printer);
    // The job's name in the print queue (and of the file a PDF queue writes).
    if (printer->docName().isEmpty()) printer->setDocName("Kombinator");
    problem_.clear();
    if (printer->outputFormat() == QPrinter::NativeFormat) {
        // A queue that is gone, refuses jobs or whose scheduler is down gets no job at all.
        problem_ = PrintQueueProblem(printer->printerName());
        if (!problem_.isEmpty()) return JobStart::Failed;
    }
    // Device units are the printer's dots, measured from the printable area's top-left corner.
    printer->setFullPage(false);
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer)) {
        painter_.reset();
        return JobStart::Failed;
    }
    QFont font(fontName);
    font.setPointSize(pointSize);
    painter_->setFont(QFont(font, printer));
    return JobStart::Started;
}

void QtPrintSurface::DrawText(qint64 x, qint64 y, const QString& text) {
    if (!painter_) return;
    // Offsets far off any page are drawn (invisibly) at the edge of the painter's range.
    constexpr qint64 limit = 1 << 24;
    const int px = static_cast<int>(std::clamp(x, -limit, limit));
    const int py = static_cast<int>(std::clamp(y, -limit, limit));
    // A rectangle aligned left and top puts the text's top-left corner at (x, y), not its baseline.
    const QFontMetrics metrics = painter_->fontMetrics();
    const QRect box(px, py, metrics.horizontalAdvance(text) + metrics.averageCharWidth(), metrics.height());
    painter_->drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

void QtPrintSurface::NewPage() {
    if (painter_ && printer_) printer_->newPage();
}

bool QtPrintSurface::EndJob() {
    if (!painter_) return true;
    painter_->end();
    painter_.reset();
    if (printer_->outputFormat() != QPrinter::NativeFormat) return true;
    problem_ = PrintSubmissionProblem(printer_->printerName());
    return problem_.isEmpty();
}

void QtPrintSurface::DrawRuler() {
    if (!painter_ || !printer_) return;
    const double dotsPerMm = printer_->resolution() / 25.4;
    const QRect page = printer_->pageLayout().paintRectPixels(printer_->resolution());
    painter_->save();
    QPen pen(QColor(170, 170, 170));
    pen.setWidthF(std::max(1.0, 0.1 * dotsPerMm));
    painter_->setPen(pen);
    QFont numbers = painter_->font();
    numbers.setPointSizeF(5);
    painter_->setFont(QFont(numbers, printer_));
    auto tick = [&](int mm) { return (mm % 10 == 0 ? 4.0 : mm % 5 == 0 ? 2.5 : 1.5) * dotsPerMm; };
    for (int mm = 0; mm * dotsPerMm < page.width(); ++mm) {
        const double x = mm * dotsPerMm;
        painter_->drawLine(QPointF(x, 0), QPointF(x, tick(mm)));
        if (mm % 10 == 0 && mm > 0)
            painter_->drawText(QPointF(x + 0.5 * dotsPerMm, 4.0 * dotsPerMm + painter_->fontMetrics().ascent()),
                               QString::number(mm));
    }
    for (int mm = 0; mm * dotsPerMm < page.height(); ++mm) {
        const double y = mm * dotsPerMm;
        painter_->drawLine(QPointF(0, y), QPointF(tick(mm), y));
        if (mm % 10 == 0 && mm > 0)
            painter_->drawText(QPointF(4.5 * dotsPerMm, y + painter_->fontMetrics().ascent() / 2.0),
                               QString::number(mm));
    }
    painter_->restore();
}
