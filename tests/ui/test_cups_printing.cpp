// Coupons through a real print queue: the tests' own CUPS scheduler with a cups-pdf queue
// (started by tests/print/private_cups.sh), chosen in the print dialog by its name. The PDF the
// queue writes shows where every mark landed; the print system's own failures are reported.

#include <cups/cups.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QFontMetricsF>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "io/coupon_pages.h"
#include "support/pdf_words.h"
#include "support/scripted_dialog_service.h"
#include "support/stage_test.h"
#include "support/widget_helpers.h"
#include "ui/app_state.h"
#include "ui/final_stage.h"
#include "ui/print_box.h"

using Kind = ScriptedDialogService::Kind;

namespace {

const QString Queue = "Kombinator-PDF";

const QByteArray Lines[7] = {"1-0  2-2  0-3  1-1  3-0  0-0  ", "0-0  0-0  0-0  0-0  0-0  0-0  ",
                             "3-3  3-3  3-3  3-3  3-3  3-3  ", "1-2  2-1  0-1  1-0  2-3  3-2  ",
                             "2-0  1-3  3-2  0-0  2-2  1-1  ", "0-1  3-1  2-3  3-3  1-0  2-0  ",
                             "1-1  0-2  3-3  1-0  0-0  3-2  "};

// Offsets for a 1,200-dpi queue that keep every mark on an A4 page and apart from its neighbours.
const kombinator::PrintSettings Offsets = {600, 300, 1200, 150, 60, 200, 400};
const char* OffsetEdits[7] = {"MaskEdit46", "MaskEdit21", "MaskEdit23", "MaskEdit24",
                              "MaskEdit25", "MaskEdit26", "MaskEdit22"};

// Runs one of CUPS's own commands against the tests' scheduler; true when it succeeded.
bool Cups(const QString& program, const QStringList& arguments) {
    return QProcess::execute(program, arguments) == 0;
}

}  // namespace

class TestCupsPrinting : public testsupport::StageTest {
    Q_OBJECT

private:
    QString cupsDir = qEnvironmentVariable("KOMBINATOR_CUPS_DIR");
    QString pdfFolder;

    // Moves the PDF the queue wrote next to the screenshots, to be looked at.
    void KeepPdf(const QString& pdf, const QString& name) {
        QDir().mkpath(KOMBINATOR_SCREENSHOTS);
        const QString kept = QString(KOMBINATOR_SCREENSHOTS) + "/" + name + ".pdf";
        QFile::remove(kept);
        QFile::copy(pdf, kept);
        QFile::remove(pdf);
    }

    QStringList PdfsNow() const { return QDir(pdfFolder).entryList({"*.pdf"}, QDir::Files); }

    // The PDF the queue wrote for the job just sent: a new file whose size has not changed for
    // half a second.
    QString WaitForNewPdf(const QStringList& before) {
        QString found;
        qint64 lastSize = -1;
        QElapsedTimer unchanged;
        const bool done = QTest::qWaitFor(
            [&] {
                for (const QString& name : PdfsNow())
                    if (!before.contains(name)) found = QDir(pdfFolder).filePath(name);
                if (found.isEmpty()) return false;
                const qint64 size = QFileInfo(found).size();
                if (size != lastSize || size == 0) {
                    lastSize = size;
                    unchanged.start();
                    return false;
                }
                return unchanged.elapsed() >= 500;
            },
            30000);
        return done ? found : QString();
    }

    void OpenLines(int count) {
        QByteArray bytes;
        for (int i = 0; i < count; ++i) bytes += Lines[i % 7] + "\r\n";
        const QString path = dir.filePath("system.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        dialogs->QueueFileName(path);
        QVERIFY(stage->OpenSystemFileFromDialog());
        stage->Printing().SpeedButton7Click();
    }

    std::vector<std::string> SystemLines(int count) const {
        std::vector<std::string> lines;
        for (int i = 0; i < count; ++i) lines.push_back(Lines[i % 7].toStdString());
        return lines;
    }

    // Every text of `pages` stands in the PDF at its device point, converted to points at the
    // queue's resolution (within a point), and the PDF holds nothing else: no other character,
    // no further page. The queue re-encodes the font, so a text is found by its first character's
    // left edge and baseline (the top of its line plus the font's ascent).
    // The digits of the millimetre ruler of a test page: a number every 10 mm along the top and
    // the left edge of the printable area.
    static int RulerDigits(const QPrinter& queue) {
        const QSizeF area = queue.pageLayout().paintRect(QPageLayout::Millimeter).size();
        int digits = 0;
        for (const double length : {area.width(), area.height()})
            for (int mm = 10; mm < length; mm += 10) digits += int(QString::number(mm).size());
        return digits;
    }

    void ExpectPages(const QString& pdf, const std::vector<kombinator::CouponPage>& pages, bool ruler = false) {
        const testsupport::PdfChars read = testsupport::ReadPdfChars(pdf);
        QVERIFY(read.ok);
        QCOMPARE(read.pages, int(pages.size()));
        QPrinter queue(QPrinter::HighResolution);
        queue.setPrinterName(Queue);
        const double dpi = queue.resolution();
        const QPointF margin = queue.pageLayout().paintRect(QPageLayout::Point).topLeft();
        QFont font("MS Sans Serif");
        font.setPointSize(8);
        const double ascent = QFontMetricsF(font, &queue).ascent() * 72.0 / dpi;
        for (std::size_t p = 0; p < pages.size(); ++p) {
            const int page = int(p) + 1;
            QList<testsupport::PdfChar> left;
            for (const testsupport::PdfChar& c : read.chars)
                if (c.page == page) left.append(c);
            int printedChars = ruler ? RulerDigits(queue) : 0;
            QStringList missing;
            for (const kombinator::CouponText& text : pages[p]) {
                printedChars += int(text.text.size());
                const double x = margin.x() + double(text.x) * 72.0 / dpi;
                const double baseline = margin.y() + double(text.y) * 72.0 / dpi + ascent;
                const auto at = std::find_if(left.begin(), left.end(), [&](const testsupport::PdfChar& c) {
                    return qAbs(c.x - x) <= 1.0 && qAbs(c.baseline - baseline) <= 1.0;
                });
                if (at == left.end())
                    missing.append(QString("%1 at %2, baseline %3 pt")
                                       .arg(QString::fromStdString(text.text))
                                       .arg(x, 0, 'f', 1)
                                       .arg(baseline, 0, 'f', 1));
                else
                    left.erase(at);
            }
            QVERIFY2(missing.isEmpty(), qPrintable(QString("page %1: not printed: %2").arg(page).arg(missing.join("; "))));
            const int pageChars = int(std::count_if(read.chars.begin(), read.chars.end(),
                                                    [&](const testsupport::PdfChar& c) { return c.page == page; }));
            QCOMPARE(pageChars, printedChars);
        }
    }

    struct StageState {
        std::vector<std::string> lines;
        std::uint8_t saved;
        bool testEnabled;
        bool printEnabled;
        bool operator==(const StageState&) const = default;
    };
    StageState Snapshot() {
        return {stage->SystemList(), state->SystemSaved, W<QPushButton>("Button1")->isEnabled(),
                W<QPushButton>("Button3")->isEnabled()};
    }

    // A job that the print system refuses: the reason is reported, no PDF is written and the
    // final stage stays as it was.
    void ExpectRefused(const QString& reason) {
        OpenLines(7);
        const StageState before = Snapshot();
        const QStringList pdfs = PdfsNow();
        dialogs->QueuePrinter(Queue);
        stage->Printing().Button1Click();
        const QStringList errors = dialogs->Texts(Kind::Error);
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(reason), qPrintable(errors.first()));
        QVERIFY(errors.first().contains("Wydruk nie został wysłany do drukarki."));
        QTest::qWait(1000);
        QCOMPARE(PdfsNow(), pdfs);
        QVERIFY(Snapshot() == before);
    }

private slots:
    void initTestCase() {
        if (cupsDir.isEmpty()) QSKIP("no private CUPS scheduler was set up for this run");
        QFile why(cupsDir + "/unavailable");
        if (why.open(QIODevice::ReadOnly)) QSKIP(qPrintable("no private CUPS scheduler: " + why.readAll().trimmed()));
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
        QFile folder(cupsDir + "/pdf-folder");
        QVERIFY(folder.open(QIODevice::ReadOnly));
        pdfFolder = QString::fromLocal8Bit(folder.readAll().trimmed());
        QVERIFY(QPrinterInfo::availablePrinterNames().contains(Queue));
        PrepareTests();
        QPrinter queue(QPrinter::HighResolution);
        queue.setPrinterName(Queue);
        const QRectF paint = queue.pageLayout().paintRect(QPageLayout::Point);
        qInfo("queue %s at %d dpi, printable area from %.2f, %.2f pt", qPrintable(Queue), queue.resolution(), paint.x(), paint.y());
    }
    void init() {
        MakeStage();
        for (int i = 0; i < 7; ++i) W<QLineEdit>(OffsetEdits[i])->setText(QString::number(Offsets[std::size_t(i)]));
    }
    void cleanup() {
        QVERIFY(dialogs->AllAnswersUsed());
        DropStage();
    }

    // "Test": one page with "TEST", the 240 "***" and the four "$$$", each where the offsets say,
    // and the millimetre ruler.
    void testPageThroughTheQueue() {
        OpenLines(7);
        const QStringList before = PdfsNow();
        dialogs->QueuePrinter(Queue);
        QTest::mouseClick(W<QPushButton>("Button1"), Qt::LeftButton);
        QCOMPARE(dialogs->Texts(Kind::Error), QStringList());
        const QString pdf = WaitForNewPdf(before);
        QVERIFY2(!pdf.isEmpty(), "the queue wrote no PDF");
        KeepPdf(pdf, "queue_test_page");
        ExpectPages(QString(KOMBINATOR_SCREENSHOTS) + "/queue_test_page.pdf", {kombinator::BuildTestPage(Offsets)}, true);
    }

    // "Drukuj" of a 7-line system on coupons 1 to 2: two pages, and no page after them.
    void couponsThroughTheQueue() {
        OpenLines(7);
        W<QLineEdit>("MaskEdit27")->setText("1");
        W<QLineEdit>("MaskEdit28")->setText("2");
        const QStringList before = PdfsNow();
        dialogs->QueuePrinter(Queue);
        QTest::mouseClick(W<QPushButton>("Button3"), Qt::LeftButton);
        QCOMPARE(dialogs->Texts(Kind::Error), QStringList());
        const QString pdf = WaitForNewPdf(before);
        QVERIFY2(!pdf.isEmpty(), "the queue wrote no PDF");
        const kombinator::CouponPages pages = kombinator::BuildCouponPages(SystemLines(7), "1", "2", 0, Offsets);
        QVERIFY(pages.ok);
        KeepPdf(pdf, "queue_coupons");
        ExpectPages(QString(KOMBINATOR_SCREENSHOTS) + "/queue_coupons.pdf", pages.pages);
        // The print box names the resolution of the queue the coupons went to.
        QPrinter queue(QPrinter::HighResolution);
        queue.setPrinterName(Queue);
        QCOMPARE(W<QLabel>("ResolutionLabel")->text(), QString("Rozdzielczość: %1 dpi").arg(queue.resolution()));
    }

    // "Podgląd" after printing shows the pages the queue received: the chosen queue, the same
    // number of pages.
    void previewShowsTheQueuesPages() {
        OpenLines(7);
        W<QLineEdit>("MaskEdit27")->setText("1");
        W<QLineEdit>("MaskEdit28")->setText("2");
        const QStringList before = PdfsNow();
        dialogs->QueuePrinter(Queue);
        stage->Printing().Button3Click();
        const QString pdf = WaitForNewPdf(before);
        QVERIFY(!pdf.isEmpty());
        const testsupport::PdfWords printed = testsupport::ReadPdfWords(pdf);
        QFile::remove(pdf);

        int previewPages = -1;
        QTimer::singleShot(0, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            if (auto* preview = modal->findChild<QPrintPreviewWidget*>()) {
                preview->updatePreview();
                previewPages = preview->pageCount();
            }
            testsupport::SaveScreenshot(modal, "final_stage_print_preview_queue");
            qobject_cast<QDialog*>(modal)->reject();
        });
        stage->Printing().PreviewButtonClick();
        QCOMPARE(previewPages, printed.pages);
        QCOMPARE(previewPages, 2);
    }

    void queueThatRejectsJobs() {
        QVERIFY(Cups("cupsreject", {Queue}));
        ExpectRefused("nie przyjmuje zadań");
        QVERIFY(Cups("cupsaccept", {Queue}));
    }

    void queueRemovedWhileTheDialogIsOpen() {
        dialogs->OnCall = [](const ScriptedDialogService::Call& call) {
            if (call.kind == Kind::ChoosePrinter) QVERIFY(Cups("lpadmin", {"-x", Queue}));
        };
        ExpectRefused("nie istnieje");
        dialogs->OnCall = nullptr;
        QVERIFY(Cups("lpadmin", {"-p", Queue, "-v", "cups-pdf:/", "-m", "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd", "-E"}));
    }

    void schedulerNotRunning() {
        const QByteArray server = qgetenv("CUPS_SERVER");
        // The scheduler goes away once the queue is chosen: nothing answers at its address.
        const QByteArray nobody = QFile::encodeName(cupsDir + "/run/nobody.sock");
        dialogs->OnCall = [&](const ScriptedDialogService::Call& call) {
            if (call.kind == Kind::ChoosePrinter) cupsSetServer(nobody.constData());
        };
        ExpectRefused("System drukowania (CUPS) nie odpowiada.");
        dialogs->OnCall = nullptr;
        cupsSetServer(server.constData());
    }
};

QTEST_MAIN(TestCupsPrinting)
#include "test_cups_printing.moc"
