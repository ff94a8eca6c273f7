#include "ui/print_surface.h"

#include <QFont>
#include <algorithm>
#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

QtPrintSurface::QtPrintSurface(QWidget* dialogParent) : dialogParent_(dialogParent), askForPrinter_(true) {}

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
    if (askForPrinter_) {
        // Each job asks for its printer; the last choice is offered again.
        if (!ownPrinter_) ownPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        QPrintDialog dialog(ownPrinter_.get(), dialogParent_);
        if (dialog.exec() != QDialog::Accepted) return JobStart::Cancelled;
        printer_ = ownPrinter_.get();
    }
    QPrinter* printer = printer_;
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

void QtPrintSurface::EndJob() {
    if (painter_) painter_->end();
    painter_.reset();
}
