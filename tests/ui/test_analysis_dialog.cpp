// "Narzędzia > Analiza systemu…" in the real window: the menu item's state, the dialog's figures
// against a line-by-line count, the holes saved through the dialog service, cancel, and the
// analysis on its worker thread.

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "filters/filter_profile.h"
#include "io/system_line.h"
#include "support/scripted_dialog_service.h"
#include "support/start_directory.h"
#include "support/test_window.h"
#include "support/widget_helpers.h"
#include "ui/analysis_dialog.h"
#include "ui/filter_editor.h"
#include "ui/final_stage.h"
#include "ui/final_stage_widgets.h"
#include "ui/guarantee_box.h"
#include "ui/program_look.h"
#include "ui/simulation_box.h"
#include "ui/tform1.h"

using testsupport::Find;
using Kind = ScriptedDialogService::Kind;

namespace {

struct Window : testsupport::TestWindow {
    // The narrow example profile computed in the editor, then "Etap końcowy".
    void EnterWithNarrowCandidates() {
        form.Nowy1Click();
        const kombinator::ProfileReadResult profile =
            kombinator::ReadFilterProfileFile(QStringLiteral(KOMBINATOR_EXAMPLES "/narrow.kfp").toStdString());
        QVERIFY2(profile.ok, profile.error.c_str());
        form.Editor()->ApplySettings(profile.settings);
        form.SpeedButton1Click();
        form.SpeedButton2Click();
    }
    std::vector<kombinator::Combination> Candidates() {
        std::vector<kombinator::Combination> v;
        for (std::int32_t k = 1; k <= form.State().CandidateCount; ++k) v.push_back(form.State().candidates->At(k));
        return v;
    }

    // Opens the "Narzędzia" menu with the mouse as a user does; returns it open.
    QMenu* OpenToolsMenu() {
        QMenu* tools = Find<QMenu>(&form, "Narzedzia1");
        if (!tools) return nullptr;
        QMenuBar* bar = form.menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(tools->menuAction()).center());
        testsupport::WaitUntil([&] { return tools->isVisible(); });
        return tools;
    }
    bool ItemEnabled() {
        QMenu* tools = OpenToolsMenu();
        if (!tools) return false;
        const bool enabled = Find<QAction>(&form, "AnalizaSystemu1")->isEnabled();
        tools->close();
        return enabled;
    }
    // Chooses "Analiza systemu…" from the menu and waits for the first analysis.
    AnalysisDialog* OpenAnalysis() {
        QMenu* tools = OpenToolsMenu();
        if (!tools) return nullptr;
        QAction* item = Find<QAction>(&form, "AnalizaSystemu1");
        QTest::mouseClick(tools, Qt::LeftButton, {}, tools->actionGeometry(item).center());
        auto* dialog = Find<AnalysisDialog>(&form, "AnalysisDialog");
        if (dialog) WaitUntilIdle(dialog);
        return dialog;
    }
    static bool WaitUntilIdle(AnalysisDialog* dialog) {
        return testsupport::WaitUntil([&] { return !dialog->Busy(); }, 20000);
    }
};

struct Counted {
    std::array<long long, 7> byBest{};
    long long outcomes = 0;
    std::vector<kombinator::Combination> holes;  // below the level asked for
};

// Every outcome against every line.
Counted CountPairs(const std::vector<std::string>& system, const std::vector<kombinator::Combination>& outcomes,
                   int holeLevel) {
    std::vector<kombinator::Combination> lines;
    for (const std::string& s : system) {
        kombinator::Combination c;
        for (int p = 0; p < 6; ++p)
            c.scores[static_cast<std::size_t>(p)] = {static_cast<std::uint8_t>(s[5 * p] - '0'),
                                                     static_cast<std::uint8_t>(s[5 * p + 2] - '0')};
        lines.push_back(c);
    }
    Counted r;
    for (const kombinator::Combination& o : outcomes) {
        int best = 0;
        for (const kombinator::Combination& l : lines) best = std::max(best, kombinator::AgreeCount(o, l));
        ++r.byBest[static_cast<std::size_t>(best)];
        ++r.outcomes;
        if (best < holeLevel) r.holes.push_back(o);
    }
    return r;
}

QStringList TableCounts(const AnalysisDialog* d) {
    QStringList v;
    for (int row = 0; row < 5; ++row) v << d->CountText(row);
    return v;
}
QStringList Expected(const Counted& c) {
    return {GroupedNumber(c.byBest[6]), GroupedNumber(c.byBest[5]), GroupedNumber(c.byBest[4]),
            GroupedNumber(c.byBest[3]), GroupedNumber(c.byBest[0] + c.byBest[1] + c.byBest[2])};
}

QString Label(const QWidget* root, const char* name) {
    auto* label = Find<QLabel>(root, name);
    return label ? label->text() : QString("<no %1>").arg(name);
}

}  // namespace

class TestAnalysisDialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ApplyProgramLook(*qobject_cast<QApplication*>(QCoreApplication::instance())); }

    void menuItemOnlyWithAShownSystemAndNoGeneratorRunning() {
        Window w;
        QVERIFY(Find<QMenu>(&w.form, "Narzedzia1"));
        QCOMPARE(Find<QMenu>(&w.form, "Narzedzia1")->title(), QString("Narzędzia"));
        QCOMPARE(Find<QAction>(&w.form, "AnalizaSystemu1")->text(), QString("Analiza systemu…"));
        QVERIFY(!w.ItemEnabled());  // intro screen
        w.EnterWithNarrowCandidates();
        QVERIFY(!w.ItemEnabled());  // final stage without lines
        w.Stage().Guarantee().BitBtn1Click();
        QVERIFY(w.ItemEnabled());
        Find<QLineEdit>(&w.form, "MaskEdit13")->setText("9999");
        Find<QLineEdit>(&w.form, "MaskEdit14")->setText("999");
        w.Stage().Simulator().BitBtn2Click();
        w.Stage().Simulator().Timer11Timer();
        QVERIFY(w.Stage().SystemLineCount() >= 1);
        QVERIFY(!w.ItemEnabled());  // simulation running
        w.Stage().StopSimulation();
        QVERIFY(w.ItemEnabled());
        w.Stage().SpeedButton3Click();
        QVERIFY(!w.ItemEnabled());  // back in the filter editor
    }

    // A gw 4 system against its candidates, the current filters and every Combination; its holes
    // of level 5 saved through the same save dialog as a system. The final stage stays as it was.
    void reducedSystemFiguresAndHoles() {
        Window w;
        w.EnterWithNarrowCandidates();
        Find<RadioGroup>(&w.form, "RadioGroup17")->SetItemIndex(2);
        w.Stage().Guarantee().BitBtn1Click();
        const std::vector<std::string> system = w.Stage().SystemList();
        const QString label347 = Label(&w.form, "Label347");
        const auto saved = w.form.State().SystemSaved;

        AnalysisDialog* d = w.OpenAnalysis();
        QVERIFY(d);
        QVERIFY(d->isVisible());
        QVERIFY(Find<QRadioButton>(d, "CandidatesSource")->isChecked());
        const Counted counted = CountPairs(system, w.Candidates(), 5);
        QCOMPARE(TableCounts(d), Expected(counted));
        QVERIFY(counted.byBest[0] + counted.byBest[1] + counted.byBest[2] + counted.byBest[3] == 0);
        QCOMPARE(Label(d, "GuaranteeText"), "System gwarantuje 4 trafienia dla każdego z " +
                                                GroupedNumber(counted.outcomes) + " wyników");
        const double share6 = 100.0 * static_cast<double>(counted.byBest[6]) / static_cast<double>(counted.outcomes);
        QCOMPARE(d->ShareText(0), QString::number(share6, 'f', 1).replace('.', ',') + " %");
        QCOMPARE(d->ShareText(3), QString("0,0 %"));
        testsupport::SaveScreenshot(d, "analysis_dialog_reduced");

        auto* level = Find<QComboBox>(d, "HoleLevel");
        level->setCurrentIndex(0);  // 5
        QCOMPARE(Label(d, "HoleCountText"), GroupedNumber(static_cast<long long>(counted.holes.size())));
        const QString file = w.start.FilePath("holes.txt");
        w.dialogs.QueueFileName(file);
        QSignalSpy saved5(d, &AnalysisDialog::HolesSaved);
        QTest::mouseClick(Find<QPushButton>(d, "SaveHoles"), Qt::LeftButton);
        QVERIFY(saved5.wait(10000));
        QCOMPARE(w.dialogs.Calls().last().kind, Kind::SaveFileName);
        QCOMPARE(w.dialogs.Calls().last().text, QString("Plik textowy(*.txt)|*.txt"));
        QFile holes(file);
        QVERIFY(holes.open(QIODevice::ReadOnly));
        QByteArray expectedHoles;
        for (const kombinator::Combination& c : counted.holes)
            expectedHoles += QByteArray::fromStdString(kombinator::FormatSystemLine(c)) + "\r\n";
        QCOMPARE(holes.readAll(), expectedHoles);

        // The current filters are the ones the candidates came from: the same figures.
        QTest::mouseClick(Find<QRadioButton>(d, "FiltersSource"), Qt::LeftButton);
        QVERIFY(Window::WaitUntilIdle(d));
        QVERIFY(Find<QRadioButton>(d, "FiltersSource")->isChecked());
        QCOMPARE(Label(d, "StatusText"), QString());
        QCOMPARE(TableCounts(d), Expected(counted));
        QTest::mouseClick(Find<QRadioButton>(d, "AllSource"), Qt::LeftButton);
        QVERIFY(Window::WaitUntilIdle(d));
        QCOMPARE(d->Result().outcomes, 16777216);

        QCOMPARE(w.Stage().SystemList(), system);
        QCOMPARE(Label(&w.form, "Label347"), label347);
        QCOMPARE(w.form.State().SystemSaved, saved);
        QTest::mouseClick(Find<QPushButton>(d, "CloseButton"), Qt::LeftButton);
        QVERIFY(testsupport::WaitUntil([&] { return Find<AnalysisDialog>(&w.form, "AnalysisDialog") == nullptr; }));
    }

    // An opened system is measured against every Combination: one line gives C(6, k) * 15^(6 - k).
    void openedSystemAgainstEveryCombination() {
        Window w;
        const QString path = w.start.FilePath("one.txt");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("1-0  2-2  0-3  1-1  3-0  0-0  \r\n");
        f.close();
        w.dialogs.QueueFileName(path);
        w.form.Otwrz1Click();
        AnalysisDialog* d = w.OpenAnalysis();
        QVERIFY(d);
        QVERIFY(Find<QRadioButton>(d, "AllSource")->isChecked());
        QVERIFY(!Find<QRadioButton>(d, "CandidatesSource")->isEnabled());
        QCOMPARE(Label(d, "SystemLinesText"), QString("System: 1 linia"));
        QCOMPARE(TableCounts(d), (QStringList{"1", "90", "3 375", "67 500", "16 706 250"}));
        QCOMPARE(d->ShareText(3), QString("0,4 %"));
        QCOMPARE(d->ShareText(4), QString("99,6 %"));
        QCOMPARE(Label(d, "GuaranteeText"), QString("System nie gwarantuje żadnego trafienia dla 16 777 216 wyników"));
        testsupport::SaveScreenshot(d, "analysis_dialog_opened");

        // Millions of holes are not written; the user is told why.
        w.dialogs.Clear();
        QTest::mouseClick(Find<QPushButton>(d, "SaveHoles"), Qt::LeftButton);
        QCOMPARE(w.dialogs.Texts(Kind::Message).size(), 1);
        QVERIFY(w.dialogs.Texts(Kind::Message).first().startsWith("Zbyt wiele dziur do zapisania: 16 773 750"));
        QVERIFY(w.dialogs.Texts(Kind::SaveFileName).isEmpty());

        // "Przerwij" stops the work; the figures are not shown as if complete.
        d->Analyse();
        QVERIFY(d->Busy());
        QTest::mouseClick(Find<QPushButton>(d, "CancelAnalysis"), Qt::LeftButton);
        QVERIFY(Window::WaitUntilIdle(d));
        QCOMPARE(Label(d, "StatusText"), QString("Analiza przerwana."));
        QCOMPARE(d->CountText(0), QString("–"));
        QVERIFY(!Find<QPushButton>(d, "SaveHoles")->isEnabled());
    }

    // A line the result check cannot read gives its conversion message and no analysis.
    void unreadableLineGivesTheConversionMessage() {
        Window w;
        const QString path = w.start.FilePath("bad.txt");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("1-0  2-2  0-3  1-1  3-0  0-0  \r\nkupon 2\r\n");
        f.close();
        w.dialogs.QueueFileName(path);
        w.form.Otwrz1Click();
        w.dialogs.Clear();
        AnalysisDialog* d = w.OpenAnalysis();
        QVERIFY(d);
        QStringList reported = w.dialogs.Texts(Kind::Message) + w.dialogs.Texts(Kind::Error);
        QCOMPARE(reported, QStringList{"'k' is not a valid integer value"});
        QVERIFY(!d->Busy());
        QCOMPARE(d->CountText(0), QString("–"));
    }

    // A simulated system is measured against the candidates it was drawn from.
    void simulatedSystemAgainstItsCandidates() {
        Window w;
        w.EnterWithNarrowCandidates();
        Find<QLineEdit>(&w.form, "MaskEdit13")->setText("40");
        Find<QLineEdit>(&w.form, "MaskEdit14")->setText("999");
        w.Stage().Simulator().BitBtn2Click();
        for (int i = 0; i < 100000 && w.form.State().GeneratorBusy == 1; ++i) w.Stage().Simulator().Timer11Timer();
        if (w.form.State().GeneratorBusy == 1) w.Stage().StopSimulation();
        QVERIFY(w.Stage().SystemLineCount() >= 1);
        AnalysisDialog* d = w.OpenAnalysis();
        QVERIFY(d);
        QVERIFY(Find<QRadioButton>(d, "CandidatesSource")->isChecked());
        const Counted counted = CountPairs(w.Stage().SystemList(), w.Candidates(), 0);
        QCOMPARE(TableCounts(d), Expected(counted));
        int guarantee = 0;
        while (counted.byBest[static_cast<std::size_t>(guarantee)] == 0) ++guarantee;
        QCOMPARE(d->Result().guarantee, guarantee);
        testsupport::SaveScreenshot(d, "analysis_dialog_simulated");
    }

    void guaranteeInWords() {
        QCOMPARE(GuaranteeInWords(4, 22235), QString("System gwarantuje 4 trafienia dla każdego z 22 235 wyników"));
        QCOMPARE(GuaranteeInWords(1, 5), QString("System gwarantuje 1 trafienie dla każdego z 5 wyników"));
        QCOMPARE(GuaranteeInWords(5, 1234567), QString("System gwarantuje 5 trafień dla każdego z 1 234 567 wyników"));
        QCOMPARE(GuaranteeInWords(6, 1), QString("System gwarantuje 6 trafień dla jedynego wyniku"));
        QCOMPARE(GuaranteeInWords(0, 0), QString("Brak wyników do porównania"));
    }
};

QTEST_MAIN(TestAnalysisDialog)
#include "test_analysis_dialog.moc"
