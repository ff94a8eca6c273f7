#pragma once
// The printing surface the coupon printing draws on: begin a job with a font, draw texts with
// their top-left corner at device points, new page, end the job. Tests record the calls.

#include <QString>
#include <memory>

class QPainter;
class QPrinter;
class DialogService;

class PrintSurface {
public:
    virtual ~PrintSurface() = default;
    enum class JobStart { Started, Cancelled, Failed };
    // Starts a job with the font (size first, then name). Nothing is printed unless Started;
    // Cancelled is the user's choice in the printer dialog, Failed a printer that would not start.
    virtual JobStart BeginJob(const QString& fontName, int pointSize) = 0;
    // Draws `text` with its top-left corner at (x, y) in printer device units.
    virtual void DrawText(qint64 x, qint64 y, const QString& text) = 0;
    virtual void NewPage() = 0;
    // Hands the job to the printer; false when the print system refused it (Problem() says why).
    virtual bool EndJob() = 0;
    // The print system's own explanation of a Failed start or a refused job; empty when it gave
    // none.
    virtual QString Problem() const { return QString(); }
    // A faint millimetre ruler along the top and left edge of the current page, for reading
    // the offsets off a test page or a preview; no mark of a coupon. Nothing by default.
    virtual void DrawRuler() {}
};

// A PDF file is written at this resolution, so that offsets calibrated for a 600-dpi printer
// land the same in the file and in the preview.
constexpr int PdfResolution = 600;

// The resolution printing on `printer` uses, in dots per inch: a printer's own, PdfResolution
// for a PDF file (set on the printer). Call it before a job or a preview begins.
int UsePrintResolution(QPrinter& printer);

// Paints on a QPrinter in its own device units. Without a printer of its own it asks for one
// through the dialog service at every job; with a given printer (a PDF file, a preview) it asks
// nothing. A job for a print queue is checked with the print system before and after.
class QtPrintSurface : public PrintSurface {
public:
    explicit QtPrintSurface(DialogService& dialogs);
    // Draws on `printer`, owned by the caller, without a dialog.
    explicit QtPrintSurface(QPrinter& printer);
    ~QtPrintSurface() override;

    // The printer jobs go to: the given one, or the one last chosen in the dialog (a default
    // high-resolution printer before the first choice). A preview shows the page on it.
    QPrinter& Printer();

    JobStart BeginJob(const QString& fontName, int pointSize) override;
    void DrawText(qint64 x, qint64 y, const QString& text) override;
    void NewPage() override;
    bool EndJob() override;
    QString Problem() const override { return problem_; }
    void DrawRuler() override;

private:
    DialogService* dialogs_ = nullptr;
    QString problem_;
    std::unique_ptr<QPrinter> ownPrinter_;
    QPrinter* printer_ = nullptr;
    std::unique_ptr<QPainter> painter_;
};
