// What the installed program gives a new user: the first start in a folder seeded by the
// launcher shows the intro and no message box, the default offsets print a readable test page
// inside an A4 sheet, and the gong is a short PCM sound that Qt plays.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageLayout>
#include <QPrinter>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtEndian>
#include <cmath>

#include "io/coupon_pages.h"
#include "io/offset_files.h"
#include "support/start_directory.h"
#include "support/widget_helpers.h"
#include "ui/intro_screen.h"
#include "ui/program_look.h"
#include "ui/tform1.h"

namespace {

const QString Share = QStringLiteral(KOMBINATOR_SHARE);
const QStringList SeededFiles = {"PX1.txt", "X1X2.txt", "PY1.txt", "Y1Y2.txt", "PYK.txt", "PYZ.txt", "PNR.txt", "Gong.wav"};

qint64 Le(const QByteArray& bytes, int at, int size) {
    qint64 v = 0;
    for (int i = size - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

double Rms(const QByteArray& bytes, int firstSample, int count) {
    double sum = 0;
    for (int i = 0; i < count; ++i) {
        const auto s = static_cast<qint16>(Le(bytes, 44 + 2 * (firstSample + i), 2));
        sum += double(s) * s;
    }
    return std::sqrt(sum / count);
}

}  // namespace

class TestDesktopStart : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ApplyProgramLook(*qApp); }

    void NewUserSeesTheIntroAndNoMessageBox() {
        testsupport::StartDirectory folder(false);  // current while the test runs
        for (const QString& name : SeededFiles) QVERIFY(QFile::copy(Share + "/" + name, folder.FilePath(name)));

        // Any box, from the start-up or later, is noted and closed so the test goes on.
        QStringList boxes;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxes << box->text();
                box->done(QMessageBox::Ok);
            }
        });
        watch.start(20);
        TForm1 form;  // the real message boxes
        form.show();
        QTest::qWait(300);
        QCOMPARE(boxes, QStringList());
        QVERIFY(form.Intro()->isVisible());
        const QStringList expected = {"300", "120", "300", "100", "50", "150", "150"};
        const char* edits[] = {"MaskEdit46", "MaskEdit21", "MaskEdit23", "MaskEdit24", "MaskEdit25", "MaskEdit26", "MaskEdit22"};
        for (int i = 0; i < 7; ++i) {
            auto* edit = testsupport::Require<QLineEdit>(&form, edits[i]);
            QVERIFY(edit);
            QCOMPARE(edit->text().trimmed(), expected[i]);
        }
        testsupport::SaveScreenshot(&form, "first_start_intro");
    }

    void DefaultOffsetsPrintTheTestPageInsideA4WithEveryMarkApart() {
        const kombinator::PrintSettingsLoad load = kombinator::LoadPrintSettings(QFile::encodeName(Share).toStdString());
        QVERIFY2(load.ok, load.error.c_str());
        const kombinator::CouponPage page = kombinator::BuildTestPage(load.settings);
        QCOMPARE(page.size(), size_t(1 + 240 + 4));

        // The program prints "MS Sans Serif" 8 pt; measure it as a 600-dpi printer draws it.
        constexpr int Dpi = 600;
        QImage device(10, 10, QImage::Format_RGB32);
        device.setDotsPerMeterX(qRound(Dpi / 0.0254));
        device.setDotsPerMeterY(qRound(Dpi / 0.0254));
        QFont font("MS Sans Serif");
        font.setPointSize(8);
        const QFontMetricsF metrics(font, &device);
        QVERIFY(metrics.height() > 50);  // 8 pt is about 67 dots at 600 dpi

        QPrinter printer(QPrinter::HighResolution);
        printer.setResolution(Dpi);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(6.35, 6.35, 6.35, 6.35),
                                          QPageLayout::Millimeter));
        const QRectF printable(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());

        QList<QRectF> boxes;
        for (const kombinator::CouponText& t : page) {
            const QRectF box(double(t.x), double(t.y), metrics.horizontalAdvance(QString::fromStdString(t.text)),
                             metrics.height());
            QVERIFY2(printable.contains(box), qPrintable(QString("%1 at %2,%3 leaves the A4 page")
                                                           .arg(QString::fromStdString(t.text)).arg(t.x).arg(t.y)));
            boxes << box;
        }
        // Apart: at least half a millimetre of paper between any two texts.
        const double gap = 0.5 / 25.4 * Dpi;
        for (int i = 0; i < boxes.size(); ++i)
            for (int j = i + 1; j < boxes.size(); ++j)
                QVERIFY2(!boxes[i].adjusted(-gap / 2, -gap / 2, gap / 2, gap / 2)
                              .intersects(boxes[j].adjusted(-gap / 2, -gap / 2, gap / 2, gap / 2)),
                         qPrintable(QString("texts %1 and %2 touch").arg(i).arg(j)));
    }

    void GongIsAShortDecayingPcmWavThatQtLoads() {
        QFile file(Share + "/Gong.wav");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray wav = file.readAll();
        QVERIFY(wav.size() > 44 && wav.size() < 400 * 1024);
        QCOMPARE(wav.left(4), QByteArray("RIFF"));
        QCOMPARE(Le(wav, 4, 4), qint64(wav.size() - 8));
        QCOMPARE(wav.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(Le(wav, 20, 2), qint64(1));   // PCM
        QCOMPARE(Le(wav, 34, 2), qint64(16));  // bits per sample
        const qint64 channels = Le(wav, 22, 2), rate = Le(wav, 24, 4);
        QCOMPARE(wav.mid(36, 4), QByteArray("data"));
        const qint64 dataBytes = Le(wav, 40, 4);
        QCOMPARE(dataBytes, qint64(wav.size() - 44));
        const double seconds = double(dataBytes) / (2 * channels * rate);
        QVERIFY2(seconds > 1.5 && seconds < 3.0, qPrintable(QString::number(seconds)));

        const int samples = int(dataBytes / 2), tenth = int(rate / 10);
        const double strike = Rms(wav, 0, tenth), tail = Rms(wav, samples - 3 * tenth, tenth);
        QVERIFY2(strike > 3000, qPrintable(QString::number(strike)));  // loud enough to hear
        QVERIFY2(tail < strike / 8, qPrintable(QString("%1 / %2").arg(tail).arg(strike)));  // it dies away
        QVERIFY(std::abs(static_cast<qint16>(Le(wav, int(wav.size()) - 2, 2))) < 200);  // ends without a click

        QSoundEffect effect;
        effect.setSource(QUrl::fromLocalFile(file.fileName()));
        QVERIFY(QTest::qWaitFor([&] { return effect.status() != QSoundEffect::Loading && effect.status() != QSoundEffect::Null; }, 5000));
        QCOMPARE(effect.status(), QSoundEffect::Ready);
    }
};

QTEST_MAIN(TestDesktopStart)
#include "test_desktop_start.moc"
