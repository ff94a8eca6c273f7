// Every caption of the four filter tabs and of the final stage has its room, and no two
// controls side by side share pixels, at the program's font and one point larger. Run a second
// time at twice the pixel density (QT_SCALE_FACTOR=2), where the drawn pictures must be drawn at
// that density too.

#include <QAbstractButton>
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QWindow>
#include <memory>

#include "filters/filter_table.h"
#include "support/test_window.h"
#include "support/widget_helpers.h"
#include "ui/about_box.h"
#include "ui/filter_editor.h"
#include "ui/filter_widgets.h"
#include "ui/final_stage.h"
#include "ui/guarantee_box.h"
#include "ui/print_box.h"
#include "ui/program_look.h"
#include "ui/result_check_box.h"
#include "ui/stage_mode.h"

using testsupport::OverlapAllowance;

namespace {

// The only sibling controls that share pixels on purpose.
const QList<OverlapAllowance> Allowed = {
    {"a sign of the type grid is the click area over its coloured cell",
     [](const QWidget* a, const QWidget* b) {
         return qobject_cast<const ClickLabel*>(a) && qobject_cast<const ShapeWidget*>(b) &&
                a->geometry() == b->geometry();
     }},
    {"the print panels lie over the coupon picture they replace",
     [](const QWidget* a, const QWidget* b) {
         return a->objectName() == "Image3" && (b->objectName() == "Panel89" || b->objectName() == "Panel90");
     }},
};

// A window whose every family is in force, so every hidden panel of the tabs is shown.
struct LaidOutWindow : testsupport::TestWindow {
    LaidOutWindow() {
        form.Nowy1Click();
        kombinator::FilterSettings all;
        for (const kombinator::FilterFamily& family : kombinator::FilterFamilies())
            if (family.onOff) kombinator::ByteOf(all, family.onOff->active) = 1;
        all.TypeMarks[1][0] = kombinator::BasicType;
        all.TypeMarks[2][2] = kombinator::AdditionalType;
        form.Editor()->ApplySettings(all);
    }
    QWidget* Editor() { return W("Panel5"); }
    // The final stage with a reduced system in its list and a result checked against it.
    void EnterFinalStage() {
        testsupport::SetCandidates(form.State(), {"1-0  2-2  0-3  1-1  3-0  0-0  ", "0-0  0-0  0-0  0-0  0-0  0-0  ",
                                                  "3-3  3-3  3-3  3-3  3-3  3-3  "});
        W("SpeedButton2")->setEnabled(true);
        form.SpeedButton2Click();
        Stage().Guarantee().BitBtn1Click();
        static const int results[12] = {15, 16, 17, 18, 19, 20, 29, 30, 31, 32, 33, 34};
        const QString digits = "102203113000";
        for (int i = 0; i < 12; ++i)
            W<QLineEdit>(qPrintable(QString("MaskEdit%1").arg(results[i])))->setText(digits.mid(i, 1));
        Stage().Results().BitBtn3Click();
        dialogs.Clear();
    }
};

// "-2x" when the window is drawn at twice the density, "-9pt" at a font other than the
// program's, for screenshot names.
QString Suffix(const QWidget* widget, int points = 8) {
    const qreal ratio = widget->devicePixelRatioF();
    return (points == 8 ? QString() : QString("-%1pt").arg(points)) +
           (ratio == 1.0 ? QString() : QString("-%1x").arg(ratio));
}

// What is clipped or overlaps under `root`, each fault told `where`.
QStringList LayoutFaults(QWidget* root, const QString& where) {
    QStringList faults = testsupport::ClippedCaptions(root) + testsupport::OverlappingSiblings(root, Allowed);
    for (QString& fault : faults) {
        fault = where + ": " + fault;
        qInfo("%s", qPrintable(fault));  // the test's own message is cut short
    }
    return faults;
}

void FontSizes() {
    QTest::addColumn<int>("points");
    QTest::newRow("program font") << 8;
    QTest::newRow("one point larger") << 9;
}

}  // namespace

class TestLayoutFit : public QObject {
    Q_OBJECT
    QFont programFont;
    std::unique_ptr<LaidOutWindow> window;

    // The window built and shown at `points`; cleanup() brings the program font back.
    LaidOutWindow* WindowAt(int points) {
        QFont font = programFont;
        font.setPointSize(points);
        QApplication::setFont(font);
        window = std::make_unique<LaidOutWindow>();
        return window.get();
    }

private slots:
    void initTestCase() {
        InstallPolishTranslation(*qApp);
        ApplyProgramLook(*qobject_cast<QApplication*>(qApp));
        programFont = QApplication::font();
    }

    void cleanup() {
        window.reset();
        QApplication::setFont(programFont);
    }

    void filterTabsGiveEveryCaptionItsRoom_data() { FontSizes(); }
    void filterTabsGiveEveryCaptionItsRoom() {
        QFETCH(int, points);
        LaidOutWindow* w = WindowAt(points);
        QVERIFY(QTest::qWaitForWindowExposed(&w->form));
        QTabWidget* tabs = w->form.Editor()->PageControl();
        QStringList faults;
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            QVERIFY(!testsupport::SaveScreenshot(&w->form, QString("layout-tab%1").arg(tab + 1) +
                                                               Suffix(&w->form, points))
                         .isEmpty());
            faults << LayoutFaults(w->Editor(), tabs->tabText(tab).trimmed());
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("\n")));
    }

    void finalStageGivesEveryCaptionItsRoom_data() { FontSizes(); }
    void finalStageGivesEveryCaptionItsRoom() {
        QFETCH(int, points);
        LaidOutWindow* w = WindowAt(points);
        w->EnterFinalStage();
        QVERIFY(QTest::qWaitForWindowExposed(&w->form));
        FinalStage& stage = w->Stage();
        QVERIFY(stage.SystemLineCount() > 0);
        stage.Printing().SpeedButton7Click();
        QVERIFY(w->W("Panel89")->isVisible());
        QVERIFY(!testsupport::SaveScreenshot(&w->form, "layout-final-stage" + Suffix(&w->form, points)).isEmpty());
        QStringList faults = LayoutFaults(&stage, "print box open");
        // The panels a run shows, each in the state that shows it.
        const std::pair<StageMode, const char*> runs[] = {{StageMode::GuaranteeRun, "reducing"},
                                                          {StageMode::SimulationRun, "simulating"},
                                                          {StageMode::OptimiseRun, "optimising"}};
        for (const auto& [mode, where] : runs) {
            stage.SetMode(mode);
            faults << LayoutFaults(&stage, where);
        }
        QVERIFY(!testsupport::SaveScreenshot(&w->form, "layout-final-stage-running" + Suffix(&w->form, points))
                     .isEmpty());
        stage.SetMode(StageMode::EnteredIdle);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("\n")));
    }

    // The pictures, glyphs and coloured cells are drawn at the screen's density, so a screen
    // of twice the density shows them sharper rather than blown up.
    void artworkFollowsThePixelDensity() {
        testsupport::TestWindow w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        const qreal ratio = w.form.devicePixelRatioF();
        QVERIFY(!testsupport::SaveScreenshot(&w.form, "layout-intro" + Suffix(&w.form)).isEmpty());
        // The window keeps its layout size; only its pixels are finer.
        QCOMPARE(w.form.width(), 692);
        QCOMPARE(w.W("Panel1")->geometry(), QRect(8, 8, 673, 481));
        QCOMPARE(w.form.grab().size(), w.form.size() * ratio);
        const QString factor = qEnvironmentVariable("QT_SCALE_FACTOR");
        QCOMPARE(ratio, factor.isEmpty() ? 1.0 : factor.toDouble());
        for (const char* name : {"Image1", "Image2"})
            QVERIFY2(w.W<QLabel>(name)->pixmap().devicePixelRatio() == ratio, name);
        QCOMPARE(w.W<QLabel>("Image1")->pixmap().deviceIndependentSize().toSize(), QSize(512, 380));
        w.form.Programinfo1Click();
        QCOMPARE(w.form.AboutBox()->findChild<QLabel*>("ProgramIcon")->pixmap().devicePixelRatio(), ratio);
        QVERIFY(!testsupport::SaveScreenshot(w.form.AboutBox(), "layout-about-box" + Suffix(&w.form)).isEmpty());
        w.form.AboutBox()->hide();

        struct Glyph {
            const char* button;
            int size;
        };
        for (const Glyph& g : {Glyph{"SpeedButton1", 32}, Glyph{"SpeedButton2", 26}, Glyph{"SpeedButton3", 20},
                               Glyph{"SpeedButton4", 20}, Glyph{"SpeedButton7", 20}}) {
            const QIcon icon = w.W<QAbstractButton>(g.button)->icon();
            QVERIFY2(!icon.isNull(), g.button);
            // The icon holds a pixmap of the device size itself, not one to be scaled up.
            QVERIFY2(icon.availableSizes().contains(QSize(g.size, g.size) * ratio), g.button);
        }
        QCOMPARE(w.W<QLabel>("Image3")->pixmap().devicePixelRatio(), ratio);

        // A cell of the type grid keeps a black border of one logical pixel on every side.
        w.form.Nowy1Click();
        const QImage cell = w.W("Shape2")->grab().toImage();
        const int edge = int(ratio);
        QCOMPARE(cell.size(), w.W("Shape2")->size() * ratio);
        for (int k = 0; k < cell.width(); ++k) {
            const bool border = k < edge || k >= cell.width() - edge;
            const int y = cell.height() / 2;
            QVERIFY2((cell.pixelColor(k, y) == Qt::black) == border, qPrintable(QString("column %1").arg(k)));
        }
    }
};

QTEST_MAIN(TestLayoutFit)
#include "test_layout_fit.moc"
