// The optimiser in the guarantee box: ticked, BitBtn1 searches on a worker thread for the
// shortest system with the chosen guarantee, shows its best size and time used, stops at once
// on request, and a running-generator question ends it; unticked, BitBtn1 is the reduction.

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "generator/guarantee_reduction.h"
#include "io/system_line.h"
#include "support/scripted_dialog_service.h"
#include "support/stage_test.h"
#include "support/widget_helpers.h"
#include "ui/app_state.h"
#include "ui/final_stage.h"
#include "ui/final_stage_widgets.h"
#include "ui/guarantee_box.h"

using Kind = ScriptedDialogService::Kind;

namespace {

QStringList Rows(const QAbstractItemView* list) {
    QStringList rows;
    for (int i = 0; i < list->model()->rowCount(); ++i) rows.append(list->model()->index(i, 0).data().toString());
    return rows;
}

// Every Combination whose Positions take 1-0, 0-0 or 0-1: 729 candidates, where the reduction
// keeps 183 lines at gw 5 and the best code known 73.
void FillThreeScoreSpace(AppState& state) {
    const kombinator::MatchScore scores[] = {{1, 0}, {0, 0}, {0, 1}};
    std::vector<kombinator::Combination> all;
    for (int n = 0; n < 729; ++n) {
        kombinator::Combination c;
        for (int p = 0, rest = n; p < 6; ++p, rest /= 3) c.scores[5 - p] = scores[rest % 3];
        all.push_back(c);
    }
    std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) {
        return kombinator::CanonicalIndex(a) < kombinator::CanonicalIndex(b);
    });
    for (std::size_t i = 0; i < all.size(); ++i) state.candidates->Set(static_cast<std::int32_t>(i + 1), all[i]);
    state.CandidateCount = 729;
}

}  // namespace

class TestOptimiseBox : public testsupport::StageTest {
    Q_OBJECT

private:
    QString Count() { return W<QLabel>("Label347")->text(); }
    void Click(const QString& name) { QTest::mouseClick(W(name), Qt::LeftButton); }
    void Tick() {
        auto* box = W<QCheckBox>("OptimiseCheckBox");
        box->click();
        QVERIFY(box->isChecked());
    }
    // Ticked, gw 5, the given time limit, started with a click on "OK".
    void StartRun(const QString& seconds) {
        stage->EnterFromEditor();
        stage->show();
        W<RadioGroup>("RadioGroup17")->SetItemIndex(1);
        Tick();
        W<QLineEdit>("OptimiseSecondsEdit")->setText(seconds);
        Click("BitBtn1");
        QCOMPARE(state->GeneratorBusy, 1);
    }
    bool WaitForEnd(int ms) {
        return testsupport::WaitUntil([&] { return state->GeneratorBusy == 0; }, ms);
    }
    // The list keeps the gw 5 guarantee on every candidate, with lines drawn from the candidates.
    void ExpectGuaranteedList(int atMost) {
        const QStringList rows = Rows(W<QListView>("ListBox1"));
        QVERIFY(!rows.isEmpty());
        QVERIFY(rows.size() <= atMost);
        QCOMPARE(Count(), QString::number(rows.size()));
        QCOMPARE(state->SystemCount, rows.size());
        std::vector<kombinator::Combination> lines;
        for (int k = 1; k <= state->SystemCount; ++k) {
            lines.push_back(state->system->At(k));
            QCOMPARE(rows[k - 1], QString::fromStdString(kombinator::FormatSystemLine(lines.back())));
        }
        for (int i = 1; i <= state->CandidateCount; ++i) {
            const kombinator::Combination c = state->candidates->At(i);
            QVERIFY(std::any_of(lines.begin(), lines.end(), [&](const auto& l) { return kombinator::AgreeCount(c, l) >= 5; }));
        }
    }
    void ExpectIdleControls() {
        for (const char* name : {"SpeedButton3", "SpeedButton4", "BitBtn1", "BitBtn2", "Panel77", "Panel79", "BitBtn3",
                                 "SpeedButton7"})
            QVERIFY2(W(name)->isEnabled(), name);
        QVERIFY(!W("Panel82")->isVisible());
        QVERIFY(!W("OptimisePanel")->isVisible());
    }

private slots:
    void initTestCase() { PrepareTests(); }

    void init() {
        MakeStage();
        FillThreeScoreSpace(*state);
    }

    void cleanup() { DropStage(); }

    // The new controls fit their captions and stand clear of the box's other controls.
    void controlsFitBesideTheDocumentedOnes() {
        stage->EnterFromEditor();
        stage->show();
        QVERIFY(!W<QCheckBox>("OptimiseCheckBox")->isChecked());
        QCOMPARE(W<QLineEdit>("OptimiseSecondsEdit")->text(), QString("30"));
        W("Panel80")->hide();
        W("OptimisePanel")->show();
        for (const char* panel : {"Panel77", "OptimisePanel", "Panel75", "Panel73"}) {
            QWidget* parent = QString(panel) == "Panel73" ? stage.get() : W(panel);
            const QList<QWidget*> children = parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
            for (QWidget* a : children)
                for (QWidget* b : children)
                    if (a < b && a->isVisibleTo(parent) && b->isVisibleTo(parent))
                        QVERIFY2(!a->geometry().intersects(b->geometry()),
                                 qPrintable(a->objectName() + " overlaps " + b->objectName()));
            for (QWidget* child : children)
                QVERIFY2(parent->rect().contains(child->geometry()), qPrintable(child->objectName() + " sticks out"));
        }
        auto* box = W<QCheckBox>("OptimiseCheckBox");
        QVERIFY(box->sizeHint().width() <= box->width());
        auto* stop = W<QPushButton>("OptimiseStopButton");
        QVERIFY(stop->fontMetrics().horizontalAdvance(stop->text()) <= stop->width() - 8);
        for (const char* name : {"OptimiseTitle", "OptimiseSecondsLabel"}) {
            auto* label = W<QLabel>(name);
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(), name);
        }
        W("OptimisePanel")->hide();
        testsupport::SaveScreenshot(stage.get(), "optimise_before");
    }

    // A run to its time limit: busy while it runs, then the list filled like the reduction's.
    void aRunEndsAtItsTimeLimitWithAShorterSystem() {
        state->SystemSaved = 1;
        StartRun("2");
        QVERIFY(W("Panel82")->isVisible());
        QVERIFY(W("OptimisePanel")->isVisible());
        QVERIFY(W("SpeedButton3")->isEnabled());
        for (const char* name : {"SpeedButton4", "BitBtn1", "BitBtn2", "Panel77", "Panel79", "BitBtn3", "SpeedButton7"})
            QVERIFY2(!W(name)->isEnabled(), name);
        QVERIFY(Rows(W<QListView>("ListBox1")).isEmpty());
        QVERIFY(testsupport::WaitUntil([&] { return Count().toInt() > 0 && Count().toInt() < 183; }, 3000));
        QTest::qWait(1100);
        if (state->GeneratorBusy == 1) {
            QVERIFY(W<QProgressBar>("OptimiseProgressBar")->value() >= 1);
            testsupport::SaveScreenshot(stage.get(), "optimise_running");
        }
        QVERIFY(WaitForEnd(5000));
        ExpectGuaranteedList(90);
        QCOMPARE(state->SystemSaved, 0);
        ExpectIdleControls();
        QVERIFY(dialogs->Calls().isEmpty());
        testsupport::SaveScreenshot(stage.get(), "optimise_after");
    }

    // The stop button ends a long run at once and keeps the best system found.
    void theStopButtonKeepsTheBestSystem() {
        StartRun("600");
        QVERIFY(testsupport::WaitUntil([&] { return Count().toInt() > 0 && Count().toInt() < 183; }, 3000));
        Click("OptimiseStopButton");
        QVERIFY(WaitForEnd(3000));
        ExpectGuaranteedList(183);
        ExpectIdleControls();
    }

    // The back button asks the running-generator question: No keeps the run, Yes ends it and
    // goes back without a system.
    void theBackButtonAsksWhileItRuns() {
        StartRun("600");
        QSignalSpy back(stage.get(), &FinalStage::BackToEditor);
        dialogs->QueueAnswer(false);
        Click("SpeedButton3");
        QCOMPARE(dialogs->Texts(Kind::WarningQuestion),
                 QStringList{"Generator jest obecnie w trakcie obliczeń ! Czy rzeczywiście chcesz teraz edytować dane ?"});
        QCOMPARE(back.count(), 0);
        QCOMPARE(state->GeneratorBusy, 1);
        QVERIFY(W("OptimisePanel")->isVisible());

        dialogs->Clear();
        dialogs->QueueAnswer(true);
        Click("SpeedButton3");
        QCOMPARE(back.count(), 1);
        QCOMPARE(state->GeneratorBusy, 0);
        QCOMPARE(dialogs->Calls().size(), 1);  // nothing to offer for saving
        QTest::qWait(400);                      // nothing the worker still had queued arrives
        QVERIFY(Rows(W<QListView>("ListBox1")).isEmpty());
    }

    // The "Yes" of "Nowy", "Otwórz", "Zakończ" and closing the window: the run ends, the stage is
    // usable again, and entering again unticks the box.
    void theMenusStopTheRun() {
        state->SystemSaved = 1;
        StartRun("600");
        stage->StopSimulation();
        QCOMPARE(state->GeneratorBusy, 0);
        QCOMPARE(state->SystemSaved, 1);
        ExpectIdleControls();
        QTest::qWait(400);
        QVERIFY(Rows(W<QListView>("ListBox1")).isEmpty());
        QVERIFY(W<QCheckBox>("OptimiseCheckBox")->isChecked());
        stage->EnterFromEditor();
        QVERIFY(!W<QCheckBox>("OptimiseCheckBox")->isChecked());
    }

    // Unticked, or at gw 6, "OK" is the documented reduction inside its click.
    void untickedOrFullIsTheReduction() {
        stage->EnterFromEditor();
        W<RadioGroup>("RadioGroup17")->SetItemIndex(1);
        Click("BitBtn1");
        QCOMPARE(state->GeneratorBusy, 0);
        std::int32_t count = 0;
        auto expected = std::make_unique<kombinator::SystemStore>();
        const std::vector<std::string> lines = kombinator::GuaranteeSystem(*state->candidates, 729, 5, *expected, count);
        QStringList rows;
        for (const std::string& line : lines) rows.append(QString::fromStdString(line));
        QCOMPARE(Rows(W<QListView>("ListBox1")), rows);
        QCOMPARE(Count(), QString("183"));

        Tick();
        W<RadioGroup>("RadioGroup17")->SetItemIndex(0);
        Click("BitBtn1");
        QCOMPARE(state->GeneratorBusy, 0);
        QCOMPARE(Count(), QString("729"));
    }

    // A time limit that is not a number of seconds is refused with a message and starts nothing.
    void aBadTimeLimitIsRefused_data() {
        QTest::addColumn<QString>("seconds");
        for (const char* text : {"", "0", "abc", "3601", "-5"}) QTest::newRow(text) << QString(text);
    }
    void aBadTimeLimitIsRefused() {
        QFETCH(QString, seconds);
        stage->EnterFromEditor();
        stage->show();
        W<RadioGroup>("RadioGroup17")->SetItemIndex(2);
        Tick();
        W<QLineEdit>("OptimiseSecondsEdit")->setText(seconds);
        Click("BitBtn1");
        QCOMPARE(dialogs->Texts(Kind::Message), QStringList{"Limit czasu szukania musi być liczbą sekund od 1 do 3600 !"});
        QCOMPARE(state->GeneratorBusy, 0);
        QVERIFY(W("BitBtn1")->isEnabled());
        QVERIFY(!W("OptimisePanel")->isVisible());
    }
};

QTEST_MAIN(TestOptimiseBox)
#include "test_optimise_box.moc"
