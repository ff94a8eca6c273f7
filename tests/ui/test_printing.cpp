// Coupon printing from the print box: the checks before a job, the pages of a range, the test
// page, and real output to a PDF whose text positions are measured.

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "support/pdf_words.h"
#include "support/scripted_dialog_service.h"
#include "support/stage_test.h"
#include "support/widget_helpers.h"
#include "ui/app_state.h"
#include "ui/final_stage.h"
#include "ui/guarantee_box.h"
#include "ui/print_box.h"
#include "ui/result_check_box.h"
#include "ui/simulation_box.h"
#include "ui/final_stage_widgets.h"
#include "ui/print_surface.h"
#include "ui/qt_dialog_service.h"
#include "ui/program_look.h"

using testsupport::Require;
using Kind = ScriptedDialogService::Kind;

namespace {

struct Drawn {
    int page;
    qint64 x;
    qint64 y;
    QString text;
};

class RecordingPrintSurface : public PrintSurface {
public:
    JobStart BeginJob(const QString& fontName, int pointSize) override {
        calls.append(QString("begin %1 %2").arg(fontName).arg(pointSize));
        page = 1;
        return start;
    }
    void DrawText(qint64 x, qint64 y, const QString& text) override { drawn.append({page, x, y, text}); }
    void NewPage() override {
        calls.append("new page");
        ++page;
    }
    bool EndJob() override {
        calls.append("end");
        return true;
    }

    QList<Drawn> OnPage(int p, const QString& text) const {
        QList<Drawn> found;
        for (const Drawn& d : drawn)
            if (d.page == p && d.text == text) found.append(d);
        return found;
    }

    JobStart start = JobStart::Started;
    QStringList calls;
    QList<Drawn> drawn;
    int page = 0;
};

const QByteArray Lines[7] = {"1-0  2-2  0-3  1-1  3-0  0-0  ", "0-0  0-0  0-0  0-0  0-0  0-0  ",
                             "3-3  3-3  3-3  3-3  3-3  3-3  ", "1-2  2-1  0-1  1-0  2-3  3-2  ",
                             "2-0  1-3  3-2  0-0  2-2  1-1  ", "0-1  3-1  2-3  3-3  1-0  2-0  ",
                             "1-1  0-2  3-3  1-0  0-0  3-2  "};

// Offsets: PX1 100, X1X2 50, PY1 200, Y1Y2 30, PYK 10, PYZ 40, PNR 70.
const char* OffsetEdits[7] = {"MaskEdit46", "MaskEdit21", "MaskEdit23", "MaskEdit24",
                              "MaskEdit25", "MaskEdit26", "MaskEdit22"};

using testsupport::PdfWord;

// The words of a PDF (none when pdftotext could not read it).
QList<PdfWord> ReadPdfWords(const QString& pdf) { return testsupport::ReadPdfWords(pdf).words; }

// The numbers of the millimetre ruler: one every 10 mm along the top and the left edge.
int RulerNumbers(const QList<PdfWord>& words) {
    int count = 0;
    for (const PdfWord& w : words) count += w.text == "10" || w.text == "20" || w.text == "50" ? 1 : 0;
    return count;
}

}  // namespace

class TestPrinting : public testsupport::StageTest {
    Q_OBJECT

private:
    RecordingPrintSurface surface;

    void SetOffsets(const QList<int>& values) {
        for (int i = 0; i < 7; ++i) W<QLineEdit>(OffsetEdits[i])->setText(i < values.size() ? QString::number(values[i]) : "");
    }
    void OpenLines(int count) {
        QByteArray bytes;
        for (int i = 0; i < count; ++i) bytes += Lines[i % 7] + "\r\n";
        QVERIFY(OpenSystem(bytes));
        stage->Printing().SpeedButton7Click();  // the print panels, with the blanks needed
    }
    void SetRange(const QString& from, const QString& to) {
        W<QLineEdit>("MaskEdit27")->setText(from);
        W<QLineEdit>("MaskEdit28")->setText(to);
    }

private slots:
    void initTestCase() { PrepareTests(); }
    void init() {
        MakeStage();
        stage->SetPrintSurface(&surface);
        surface = RecordingPrintSurface();
        SetOffsets({100, 50, 200, 30, 10, 40, 70});
    }
    void cleanup() { DropStage(); }

    // The checks run in order and the first failing one is the only message; nothing prints.
    void printChecksInOrder_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("emptyOffset");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("message");
        QTest::newRow("offset empty before range") << 7 << 2 << "" << "" << "Message: Nie ustalona pozycja wydruku: PY1 !";
        QTest::newRow("PNR empty") << 7 << 6 << "1" << "1" << "Message: Nie ustalona pozycja wydruku: PNR !";
        QTest::newRow("no from") << 7 << -1 << "" << "2" << "Message: Nie ustalony zakres wydruku !";
        QTest::newRow("no to") << 7 << -1 << "1" << "" << "Message: Nie ustalony zakres wydruku !";
        QTest::newRow("from 0") << 7 << -1 << "0" << "0" << "Message: Kupon zerowy nie istnieje !";
        QTest::newRow("from above to") << 7 << -1 << "3" << "2" << "Message: Zakres dolny przewyższa zakres górny !";
        QTest::newRow("beyond blanks") << 12 << -1 << "1" << "4" << "Message: Górny zakres poza dopuszczalnym limitem !";
        QTest::newRow("empty list") << 0 << -1 << "1" << "1" << "Message: Górny zakres poza dopuszczalnym limitem !";
    }
    void printChecksInOrder() {
        QFETCH(int, lines);
        QFETCH(int, emptyOffset);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, message);
        OpenLines(lines);
        if (emptyOffset >= 0) W<QLineEdit>(OffsetEdits[emptyOffset])->clear();
        SetRange(from, to);
        dialogs->Clear();
        stage->Printing().Button3Click();
        QCOMPARE(dialogs->Transcript(), QStringList{message});
        QVERIFY(surface.calls.isEmpty());
    }

    // Seven lines on two coupons: 60 marks on the first, 24 in columns 0..3 on the second, one
    // Z mark and the coupon number on each, one page break between them.
    void printingARangeOfCoupons() {
        OpenLines(7);
        QCOMPARE(Require<QLabel>(stage.get(), "Label371")->text(), QString("2"));
        W<RadioGroup>("RadioGroup19")->SetItemIndex(2);
        SetRange("1", "2");
        stage->Printing().Button3Click();
        QVERIFY(dialogs->Calls().size() == 1);  // only the open dialog
        QCOMPARE(surface.calls, (QStringList{"begin MS Sans Serif 8", "new page", "end"}));
        QCOMPARE(surface.OnPage(1, "***").size(), 60);
        QCOMPARE(surface.OnPage(2, "***").size(), 24);
        for (const Drawn& d : surface.OnPage(2, "***")) QVERIFY(d.x <= 100 + 3 * 50);
        for (int page = 1; page <= 2; ++page) {
            const QList<Drawn> number = surface.OnPage(page, QString::number(page));
            QCOMPARE(number.size(), 1);
            QCOMPARE(number[0].x, 10);
            QCOMPARE(number[0].y, 70);
            const QList<Drawn> z = surface.OnPage(page, "$$$");
            QCOMPARE(z.size(), 1);
            QCOMPARE(z[0].x, 450);  // "Z3": column 7
            QCOMPARE(z[0].y, 980);  // row 23 plus PYZ
        }
        // Line 1 (1-0 2-2 0-3 1-1 3-0 0-0) in slot 0: home column 0, away column 1.
        auto marked = [&](int row, int column) {
            const qint64 x = 100 + column * 50;
            const qint64 y = 200 + row * 30 + (row / 4) * 10;
            for (const Drawn& d : surface.OnPage(1, "***"))
                if (d.x == x && d.y == y) return true;
            return false;
        };
        for (int row : {1, 6, 8, 13, 19, 20}) QVERIFY(marked(row, 0));
        for (int row : {0, 6, 11, 13, 16, 20}) QVERIFY(marked(row, 1));
        QVERIFY(!marked(0, 0));
        QVERIFY(marked(4, 2));  // line 2 is all 0-0
        QVERIFY(!marked(5, 2));

        surface = RecordingPrintSurface();
        SetRange("2", "2");
        stage->Printing().Button3Click();
        QCOMPARE(surface.calls, (QStringList{"begin MS Sans Serif 8", "end"}));
        QCOMPARE(surface.OnPage(1, "2").size(), 1);
        QCOMPARE(surface.OnPage(1, "***").size(), 24);
    }

    // A line that is not a SystemLine is reported before the job starts: no coupon is spent.
    void aBadLineStopsPrintingBeforeTheJob() {
        const QString path = dir.filePath("bad.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(Lines[0] + "\r\n" + "1-0  2-2  x-3\r\n");
        file.close();
        dialogs->QueueFileName(path);
        QVERIFY(stage->OpenSystemFileFromDialog());
        stage->Printing().SpeedButton7Click();
        SetRange("1", "1");
        dialogs->Clear();
        stage->Printing().Button3Click();
        QCOMPARE(dialogs->Transcript(), QStringList{"Error: 'x' is not a valid integer value"});
        QVERIFY(surface.calls.isEmpty());
    }

    // A cancelled printer choice prints nothing silently; a printer that will not start is
    // reported. A real printer writing to a folder that does not exist is such a printer.
    void aJobThatDoesNotStartPrintsNothing() {
        OpenLines(3);
        SetRange("1", "1");
        dialogs->Clear();
        surface.start = PrintSurface::JobStart::Cancelled;
        stage->Printing().Button3Click();
        QVERIFY(dialogs->Calls().isEmpty());
        QCOMPARE(surface.calls, QStringList{"begin MS Sans Serif 8"});
        QVERIFY(surface.drawn.isEmpty());

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("no folder/coupons.pdf"));
        QtPrintSurface broken(printer);
        stage->SetPrintSurface(&broken);
        stage->Printing().Button3Click();
        QCOMPARE(dialogs->Texts(Kind::Error), QStringList{"Printer selected is not valid"});
    }

    // The test page needs no system: "TEST", all 240 marks and the four Z marks, one page.
    void testPageMarksEveryBox() {
        stage->EnterFromEditor();
        stage->Printing().Button1Click();
        QCOMPARE(surface.calls, (QStringList{"begin MS Sans Serif 8", "end"}));
        QCOMPARE(surface.OnPage(1, "TEST").size(), 1);
        QCOMPARE(surface.OnPage(1, "***").size(), 240);
        const QList<Drawn> z = surface.OnPage(1, "$$$");
        QCOMPARE(z.size(), 4);
        for (int i = 0; i < 4; ++i) QCOMPARE(z[i].x, 100 + (3 + 2 * i) * 50);
        bool cell52 = false;  // position 2, 1 goal, home side of the second line
        for (const Drawn& d : surface.OnPage(1, "***")) cell52 = cell52 || (d.x == 200 && d.y == 360);
        QVERIFY(cell52);

        surface = RecordingPrintSurface();
        W<QLineEdit>("MaskEdit46")->clear();
        stage->Printing().Button1Click();
        QCOMPARE(dialogs->Texts(Kind::Message), QStringList{"Nie ustalona pozycja wydruku: PX1 !"});
        QVERIFY(surface.calls.isEmpty());
    }

    // "Podgląd" applies the same checks and shows the coupons in a preview window.
    void previewShowsTheSameCoupons() {
        OpenLines(7);
        SetRange("", "");
        dialogs->Clear();
        stage->Printing().PreviewButtonClick();
        QCOMPARE(dialogs->Transcript(), QStringList{"Message: Nie ustalony zakres wydruku !"});

        SetRange("1", "2");
        QString title;
        QTimer::singleShot(0, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            title = modal->windowTitle();
            testsupport::SaveScreenshot(modal, "final_stage_print_preview");
            qobject_cast<QDialog*>(modal)->reject();
        });
        stage->Printing().PreviewButtonClick();
        QCOMPARE(title, QString("Podgląd wydruku"));
        QVERIFY(surface.calls.isEmpty());  // the preview never touches the printer
    }

    // Without a printer of its own the surface asks with the print dialog at every job; a
    // cancelled dialog prints nothing, an accepted one prints on the chosen printer.
    void thePrintDialogChoosesThePrinter() {
        QtDialogService realDialogs(stage.get());
        QtPrintSurface asking(realDialogs);
        const QString pdf = dir.filePath("chosen.pdf");
        asking.Printer().setOutputFormat(QPrinter::PdfFormat);
        asking.Printer().setOutputFileName(pdf);
        stage->SetPrintSurface(&asking);
        QStringList dialogClasses;
        auto answer = [&](bool accept) {
            QTimer::singleShot(0, this, [&, accept] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (!dialog) return;
                dialogClasses.append(dialog->metaObject()->className());
                accept ? dialog->accept() : dialog->reject();
            });
        };
        answer(false);
        stage->Printing().Button1Click();
        QVERIFY(!QFile::exists(pdf));
        answer(true);
        stage->Printing().Button1Click();
        QVERIFY(QFile::exists(pdf));
        QCOMPARE(dialogClasses.size(), 2);
    }

    // A real job on a QPrinter writing a PDF: every text's top-left corner lands at its device
    // point times 72 / resolution, plus the page margins, in points.
    void realPrintToPdfPlacesTextsAtDevicePoints() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
        OpenLines(7);
        const QList<int> offsets = {600, 300, 1200, 150, 60, 200, 400};  // 1200 dpi
        SetOffsets(offsets);
        SetRange("1", "2");
        const QString pdf = dir.filePath("coupons.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QtPrintSurface pdfSurface(printer);
        stage->SetPrintSurface(&pdfSurface);
        stage->Printing().Button3Click();
        QVERIFY(dialogs->Texts(Kind::Message).isEmpty());
        QVERIFY(QFile::exists(pdf));

        const double dpi = printer.resolution();
        const QPointF margin = printer.pageLayout().paintRect(QPageLayout::Point).topLeft();
        const testsupport::PdfWords pdfWords = testsupport::ReadPdfWords(pdf);
        QVERIFY(pdfWords.ok);
        const QList<testsupport::PdfWord>& words = pdfWords.words;
        const int page = pdfWords.pages;
        QCOMPARE(page, 2);
        auto expectAt = [&](int onPage, qint64 x, qint64 y, const QString& text) {
            const double px = margin.x() + x * 72.0 / dpi;
            const double py = margin.y() + y * 72.0 / dpi;
            for (const testsupport::PdfWord& w : words)
                if (w.page == onPage && w.text == text && qAbs(w.x - px) <= 1.0 && qAbs(w.y - py) <= 1.0) return true;
            qWarning("no %s on page %d at %.1f, %.1f pt", qPrintable(text), onPage, px, py);
            return false;
        };
        auto cellX = [&](int column) { return qint64(offsets[0] + column * offsets[1]); };
        auto cellY = [&](int row) { return qint64(offsets[2] + row * offsets[3] + (row / 4) * offsets[4]); };
        QVERIFY(expectAt(1, 10, offsets[6], "1"));
        QVERIFY(expectAt(2, 10, offsets[6], "2"));
        // Line 1's first and last marks, and a mark of line 7 on coupon 2.
        QVERIFY(expectAt(1, cellX(0), cellY(1), "***"));
        QVERIFY(expectAt(1, cellX(1), cellY(20), "***"));
        QVERIFY(expectAt(2, cellX(2), cellY(23), "***"));  // line 7, Position 6 home 3
        QVERIFY(expectAt(1, cellX(3), cellY(23) + offsets[5], "$$$"));
        int marks1 = 0;
        int marks2 = 0;
        for (const testsupport::PdfWord& w : words) {
            if (w.text != "***") continue;
            (w.page == 1 ? marks1 : marks2) += 1;
        }
        QCOMPARE(marks1, 60);
        QCOMPARE(marks2, 24);
        QCOMPARE(RulerNumbers(ReadPdfWords(pdf)), 0);  // coupons carry no ruler
    }

    // The print box names the resolution its dots are printed at, and each offset edit tells
    // its value in millimetres; without a printer of its own the program writes PDF at 600 dpi.
    void offsetsAreShownInMillimetresOfTheResolutionInUse_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("hint");
        QTest::newRow("one inch") << "600" << "600 = 25,4 mm przy 600 dpi";
        QTest::newRow("a fraction") << "120" << "120 = 5,1 mm przy 600 dpi";
        QTest::newRow("zero") << "0" << "0 = 0,0 mm przy 600 dpi";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("a gap") << "1 2" << "";
    }
    void offsetsAreShownInMillimetresOfTheResolutionInUse() {
        QFETCH(QString, typed);
        QFETCH(QString, hint);
        if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("a real printer is installed");
        OpenLines(1);
        QCOMPARE(W<QLabel>("ResolutionLabel")->text(), QString("Rozdzielczość: 600 dpi"));
        QVERIFY(W("ResolutionLabel")->isVisibleTo(stage.get()));
        W<QLineEdit>("MaskEdit46")->setText(typed);
        QCOMPARE(W("MaskEdit46")->toolTip(), hint);
        dialogs->Clear();
    }

    // A test page printed through the print dialog into a PDF: 600 dpi whatever resolution the
    // printer was made with, the ruler along the edges, every text at its dots * 72 / 600.
    void aTestPageInAPdfIsPrintedAt600DpiWithTheRuler() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
        QtDialogService realDialogs(stage.get());
        QtPrintSurface asking(realDialogs);
        const QString pdf = dir.filePath("test-page.pdf");
        asking.Printer().setOutputFormat(QPrinter::PdfFormat);
        asking.Printer().setResolution(1200);
        asking.Printer().setOutputFileName(pdf);
        stage->SetPrintSurface(&asking);
        SetOffsets({600, 300, 1200, 150, 60, 200, 400});
        QTimer::singleShot(0, this, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->accept();
        });
        stage->Printing().Button1Click();
        QCOMPARE(asking.Printer().resolution(), 600);
        const QList<PdfWord> words = ReadPdfWords(pdf);
        const QPointF margin = asking.Printer().pageLayout().paintRect(QPageLayout::Point).topLeft();
        auto at = [&](const QString& text, double x, double y) {
            for (const PdfWord& w : words)
                if (w.text == text && qAbs(w.x - margin.x() - x) <= 1.0 && qAbs(w.y - margin.y() - y) <= 1.0)
                    return true;
            qWarning("no %s at %.1f, %.1f pt", qPrintable(text), x, y);
            return false;
        };
        QVERIFY(at("TEST", 10 * 72.0 / 600, 400 * 72.0 / 600));
        QVERIFY(at("***", 72, 144));                          // PX1 600, PY1 1200: one inch, two inches
        QVERIFY(at("***", 72 + 9 * 36, 144 + 23 * 18 + 5 * 7.2));  // the last box
        QVERIFY(RulerNumbers(words) >= 4);
        dialogs->Clear();
    }

    // "Podgląd" shows the ruler too: its pages, printed from the preview, carry it.
    void thePreviewShowsTheRuler() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
        OpenLines(3);
        SetRange("1", "1");
        const QString pdf = dir.filePath("preview.pdf");
        QTimer::singleShot(0, this, [&] {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            if (!preview) return;
            preview->printer()->setOutputFileName(pdf);
            if (auto* widget = preview->findChild<QPrintPreviewWidget*>()) widget->print();
            preview->reject();
        });
        stage->Printing().PreviewButtonClick();
        const QList<PdfWord> words = ReadPdfWords(pdf);
        QVERIFY(RulerNumbers(words) >= 4);
        bool couponNumber = false;  // the coupon itself is on the page as well
        for (const PdfWord& w : words) couponNumber = couponNumber || (w.text == "1" && w.page == 1);
        QVERIFY(couponNumber);
        dialogs->Clear();
    }
};

QTEST_MAIN(TestPrinting)
#include "test_printing.moc"
