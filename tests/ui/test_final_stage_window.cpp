// The final stage inside the real window: from "Nowy" through a computed filter profile to a
// system, and the menus' running-generator questions against a real simulation.

#include <QApplication>
#include <functional>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "support/questions.h"
#include "support/scripted_dialog_service.h"
#include "support/test_window.h"
#include "support/widget_helpers.h"
#include "filters/filter_profile.h"
#include "ui/filter_editor.h"
#include "ui/final_stage.h"
#include "ui/guarantee_box.h"
#include "ui/print_box.h"
#include "ui/result_check_box.h"
#include "ui/simulation_box.h"
#include "ui/final_stage_widgets.h"
#include "ui/program_look.h"
#include "ui/tform1.h"

using testsupport::Find;
using Kind = ScriptedDialogService::Kind;

namespace {

using testsupport::BrowseQuestion;
using testsupport::ExitQuestion;
using testsupport::NewSystemQuestion;
using testsupport::SaveQuestion;
using testsupport::StopQuestion;

struct Window : testsupport::TestWindow {
    // The final stage entered with three candidates, as after a FilterRun that found them.
    void EnterWithCandidates() {
        testsupport::SetCandidates(form.State(), {"1-0  2-2  0-3  1-1  3-0  0-0  ", "0-0  0-0  0-0  0-0  0-0  0-0  ",
                                                  "3-3  3-3  3-3  3-3  3-3  3-3  "});
        form.Nowy1Click();
        W("SpeedButton2")->setEnabled(true);
        form.SpeedButton2Click();
    }
    // A simulation that cannot reach its target: it runs until stopped.
    void StartEndlessSimulation(bool afterUnsavedSystem) {
        if (afterUnsavedSystem) Stage().Guarantee().BitBtn1Click();
        W<QLineEdit>("MaskEdit13")->setText("50");
        W<QLineEdit>("MaskEdit14")->setText("999");
        Stage().Simulator().BitBtn2Click();
        Stage().Simulator().Timer11Timer();
        dialogs.Clear();
    }
    bool Running() { return form.State().GeneratorBusy == 1 && Find<QTimer>(&form, "Timer11")->isActive(); }
};

}  // namespace

class TestFinalStageWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ApplyProgramLook(*qobject_cast<QApplication*>(QCoreApplication::instance())); }

    // The whole path of a user: a filter profile computed in the editor, "Etap końcowy", a
    // reduced system, a check, a save, and opening that file again.
    void fromNewSystemToASavedAndOpenedSystem() {
        Window w;
        w.form.Nowy1Click();
        QCOMPARE(w.VisibleStage(), QString("Panel5"));
        const kombinator::ProfileReadResult profile =
            kombinator::ReadFilterProfileFile(QStringLiteral(KOMBINATOR_EXAMPLES "/narrow.kfp").toStdString());
        QVERIFY2(profile.ok, profile.error.c_str());
        w.form.Editor()->ApplySettings(profile.settings);
        w.form.SpeedButton1Click();
        QVERIFY2(w.W("SpeedButton2")->isEnabled(), "the narrow profile leaves 1 to 30,000 candidates");
        const std::int32_t candidates = w.form.State().CandidateCount;
        w.form.SpeedButton2Click();
        QCOMPARE(w.VisibleStage(), QString("Panel73"));

        w.W<RadioGroup>("RadioGroup17")->SetItemIndex(3);
        w.Stage().Guarantee().BitBtn1Click();
        const int lines = w.Stage().SystemLineCount();
        QVERIFY(lines >= 1 && lines <= candidates);
        QCOMPARE(w.W<QLabel>("Label347")->text(), QString::number(lines));
        testsupport::SaveScreenshot(&w.form, "final_stage_window_reduced");

        // Checked against its own first line: at least that line has six hits.
        const std::string first = w.Stage().SystemList().front();
        const char* edits[12] = {"MaskEdit15", "MaskEdit16", "MaskEdit17", "MaskEdit18", "MaskEdit19", "MaskEdit20",
                                 "MaskEdit29", "MaskEdit30", "MaskEdit31", "MaskEdit32", "MaskEdit33", "MaskEdit34"};
        const int places[12] = {0, 2, 5, 7, 10, 12, 15, 17, 20, 22, 25, 27};
        for (int i = 0; i < 12; ++i) w.W<QLineEdit>(edits[i])->setText(QString(QChar(first[places[i]])));
        w.Stage().Results().BitBtn3Click();
        QVERIFY(w.W<QLabel>("Label354")->text().toInt() >= 1);
        QCOMPARE(w.W<QListWidget>("ListBox2")->item(0)->text(), QString("1"));

        const QString saved = w.start.FilePath("system.txt");
        w.dialogs.QueueFileName(saved);
        w.Stage().SpeedButton4Click();
        QCOMPARE(QFile(saved).size(), qint64(32) * lines);

        // "Nowy" asks nothing now; "Otwórz" brings the same lines back as an opened system.
        w.dialogs.Clear();
        w.form.Nowy1Click();
        QCOMPARE(w.VisibleStage(), QString("Panel5"));
        w.dialogs.QueueFileName(saved);
        w.form.Otwrz1Click();
        QCOMPARE(w.VisibleStage(), QString("Panel73"));
        QCOMPARE(w.dialogs.Texts(Kind::ConfirmationQuestion), QStringList{});
        QCOMPARE(w.Stage().SystemLineCount(), lines);
        QVERIFY(!w.W("SpeedButton3")->isEnabled());
        QVERIFY(!w.W("BitBtn1")->isEnabled());
    }

    // Every menu's running-generator question: No leaves the run going and the stage shown.
    void menuQuestionsAnsweredNoKeepTheSimulation() {
        Window w;
        w.EnterWithCandidates();
        w.StartEndlessSimulation(false);
        struct Case {
            std::function<void()> act;
            QString question;
        };
        const Case cases[] = {
            {[&] { w.form.Nowy1Click(); }, NewSystemQuestion},
            {[&] { w.form.Otwrz1Click(); }, BrowseQuestion},
            {[&] { w.form.Zakocz1Click(); }, StopQuestion},
            {[&] { w.form.close(); }, StopQuestion},
        };
        for (const Case& c : cases) {
            w.dialogs.Clear();
            w.dialogs.QueueAnswer(false);
            c.act();
            QCOMPARE(w.dialogs.Transcript(), QStringList{"WarningQuestion: " + c.question});
            QVERIFY(w.Running());
            QCOMPARE(w.VisibleStage(), QString("Panel73"));
            QVERIFY(w.form.isVisible());
        }
        QCOMPARE(w.terminated, 0);
    }

    // "Nowy" answered Yes: the run stops and the save question comes only for a system that was
    // unsaved before the run.
    void newSystemStopsTheSimulation() {
        for (bool unsavedBefore : {false, true}) {
            Window w;
            w.EnterWithCandidates();
            w.StartEndlessSimulation(unsavedBefore);
            w.dialogs.QueueAnswers({true, false});
            w.form.Nowy1Click();
            QVERIFY(!w.Running());
            QCOMPARE(w.form.State().GeneratorBusy, 0);
            QCOMPARE(w.VisibleStage(), QString("Panel5"));
            const QStringList expected = unsavedBefore ? QStringList{NewSystemQuestion, SaveQuestion}
                                                       : QStringList{NewSystemQuestion};
            QStringList asked = w.dialogs.Texts(Kind::WarningQuestion) + w.dialogs.Texts(Kind::ConfirmationQuestion);
            QCOMPARE(asked, expected);
        }
    }

    // "Otwórz" answered Yes and the dialog cancelled: the run is stopped, both boxes are usable
    // again and the drawn lines stay in the list.
    void openStopsTheSimulationEvenWhenCancelled() {
        Window w;
        w.EnterWithCandidates();
        w.StartEndlessSimulation(false);
        w.dialogs.QueueAnswer(true);
        w.form.Otwrz1Click();
        QVERIFY(!w.Running());
        QCOMPARE(w.VisibleStage(), QString("Panel73"));
        QVERIFY(w.W("Panel77")->isEnabled() && w.W("Panel79")->isEnabled());
        QVERIFY(!w.W("Panel80")->isVisible());
        QCOMPARE(w.Stage().SystemLineCount(), 1);
        QCOMPARE(w.dialogs.Texts(Kind::OpenFileName).size(), 1);
    }

    // "Zakończ" and the window close answered Yes: the run stops, then the exit question decides.
    void leavingStopsTheSimulation() {
        Window w;
        w.EnterWithCandidates();
        w.StartEndlessSimulation(false);
        w.dialogs.QueueAnswers({true, false});
        w.form.Zakocz1Click();
        QVERIFY(!w.Running());
        QCOMPARE(w.dialogs.Texts(Kind::ConfirmationQuestion), QStringList{ExitQuestion});
        QCOMPARE(w.terminated, 0);

        w.StartEndlessSimulation(false);
        w.dialogs.QueueAnswers({true, true});
        w.form.close();
        QVERIFY(!w.Running());
        QCOMPARE(w.terminated, 1);
    }

    // "Otwórz" from the intro screen shows the opened system; an unreadable file changes nothing.
    void openFromTheIntroScreen() {
        Window w;
        QCOMPARE(w.VisibleStage(), QString("Panel1"));
        w.dialogs.QueueFileName(w.start.FilePath("missing.txt"));
        w.form.Otwrz1Click();
        QCOMPARE(w.VisibleStage(), QString("Panel1"));
        QCOMPARE(w.dialogs.Texts(Kind::Error), QStringList{"Cannot open file " + w.start.FilePath("missing.txt")});

        QFile file(w.start.FilePath("two.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("1-0  2-2  0-3  1-1  3-0  0-0  \n0-0  0-0  0-0  0-0  0-0  0-0  \n");
        file.close();
        w.dialogs.QueueFileName(file.fileName());
        w.form.Otwrz1Click();
        QCOMPARE(w.VisibleStage(), QString("Panel73"));
        QCOMPARE(w.W<QLabel>("Label347")->text(), QString("2"));
        QVERIFY(w.W("BitBtn3")->isEnabled() && w.W("SpeedButton7")->isEnabled());
        w.Stage().Printing().SpeedButton7Click();
        QVERIFY(w.W("Panel89")->isVisible() && w.W("Panel90")->isVisible());
        QCOMPARE(w.W<QLabel>("Label371")->text(), QString("1"));
        testsupport::SaveScreenshot(&w.form, "final_stage_window_opened");
    }
};

QTEST_MAIN(TestFinalStageWindow)
#include "test_final_stage_window.moc"
