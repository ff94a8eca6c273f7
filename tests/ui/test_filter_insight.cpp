// What the filters do, seen from the window: the live count beside the documented count, the
// funnel window and the back-test on an archive of past results.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <array>

#include "engine/filter_funnel.h"
#include "filters/filter_profile.h"
#include "io/system_line.h"
#include "support/scripted_dialog_service.h"
#include "support/start_directory.h"
#include "support/test_window.h"
#include "support/widget_helpers.h"
#include "ui/backtest_dialog.h"
#include "ui/filter_editor.h"
#include "ui/filter_widgets.h"
#include "ui/funnel_dialog.h"
#include "ui/live_count.h"
#include "ui/number_text.h"
#include "ui/tform1.h"

using testsupport::Find;
using Kind = ScriptedDialogService::Kind;

namespace {

// A window in the filter editor with scripted dialogs.
struct Window : testsupport::TestWindow {
    Window() {
        // KOMBINATOR_TIMING=1 prints each live count's latency from the change to the repainted label.
        form.SetTimingLog(qEnvironmentVariableIsSet("KOMBINATOR_TIMING"));
        form.Nowy1Click();
    }
    void Trigger(const char* action) { Find<QAction>(&form, action)->trigger(); }
    QString Live() { return Find<QLabel>(&form, "LiveCountLabel")->text(); }
    QString Count() { return Find<QLabel>(&form, "Label15")->text(); }
    QToolButton* NextStage() { return Find<QToolButton>(&form, "SpeedButton2"); }
    // A type-grid cell as the user clicks it: Position p, column c ("1", "0", "2"), basic type.
    void ClickBasic(int p, int c) {
        QTest::mouseClick(Find<QWidget>(&form, QStringLiteral("Label%1").arg(252 + 6 * (p - 1) + c)), Qt::LeftButton);
    }
    QString Expected() {
        const kombinator::FilterRunResult r = kombinator::CountFilterRun(form.Editor()->SettingsForRun());
        return LiveCount::TextFor(r.CandidateCount, r.message);
    }
    bool Load(const char* example) { return form.LoadFilterProfile(QStringLiteral(KOMBINATOR_EXAMPLES "/") + example); }
};

QString CellText(QTableWidget* table, int row, int column) {
    QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

class TestFilterInsight : public QObject {
    Q_OBJECT
private slots:
    void LiveCountFollowsClicksWithoutTouchingTheRun() {
        Window w;
        QCOMPARE(w.Live(), QString("niekompletne: Panel - Typy ogólne"));

        for (int p = 1; p <= 5; ++p) w.ClickBasic(p, 1);
        QTest::qWait(3 * LiveCount::DelayMs);
        QCOMPARE(w.Live(), QString("niekompletne: Panel - Typy ogólne"));  // Position 6 still has none
        w.ClickBasic(6, 1);
        w.ClickBasic(6, 0);
        QTRY_COMPARE(w.Live(), w.Expected());
        QVERIFY(w.Live().startsWith("na bieżąco: "));

        // After a run the documented count stays the run's while the live count moves on.
        QTest::mouseClick(Find<QToolButton>(&w.form, "SpeedButton1"), Qt::LeftButton);
        const QString counted = w.Count();
        QCOMPARE(w.Live(), "na bieżąco: " + GroupedNumber(counted.toLongLong()));
        const QByteArray storeAfterRun(reinterpret_cast<const char*>(w.form.State().candidates->Data()),
                                       kombinator::RecordStore::ByteSize);
        w.ClickBasic(3, 2);
        QTRY_COMPARE(w.Live(), w.Expected());
        QVERIFY(w.Live() != "na bieżąco: " + GroupedNumber(counted.toLongLong()));
        QCOMPARE(w.Count(), counted);
        QVERIFY(!w.NextStage()->isEnabled());
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(w.form.State().candidates->Data()),
                            kombinator::RecordStore::ByteSize),
                 storeAfterRun);
    }

    void LiveCountNeverEnablesTheFinalStage() {
        // 22,235 candidates: a run would enable SpeedButton2, the live count must not.
        Window w;
        QVERIFY(w.Load("narrow.kfp"));
        QTRY_COMPARE(w.Live(), QString("na bieżąco: 22 235"));
        QVERIFY(!w.NextStage()->isEnabled());
        QCOMPARE(w.Count(), QString());
    }

    void ABurstOfClicksGivesOneRunForTheLastSettings() {
        Window w;
        QVERIFY(w.Load("every-family.kfp"));  // the slowest count there is
        QTRY_COMPARE(w.Live(), w.Expected());
        const int runs = w.form.Live()->Runs();
        auto* spinner = Find<UpDownSpinner>(&w.form, "UpDown4");  // a goal bound, clicked as if held down
        QVERIFY(spinner);
        for (int i = 0; i < 40; ++i) spinner->ClickDown();
        QTRY_COMPARE(w.form.Live()->Runs(), runs + 1);
        QTest::qWait(3 * LiveCount::DelayMs);
        QCOMPARE(w.form.Live()->Runs(), runs + 1);
        QCOMPARE(w.Live(), w.Expected());
    }

    void FunnelWindowShowsEveryActiveStep() {
        Window w;
        w.Trigger("LejekFiltrow1");  // start-up settings are incomplete
        QCOMPARE(w.dialogs.Texts(Kind::Message),
                 QStringList{"Panel - Typy ogólne: W każdej pozycji minimum jeden typ podstawowy !"});
        QVERIFY(!w.form.Funnel() || !w.form.Funnel()->isVisible());

        QVERIFY(w.Load("narrow.kfp"));
        w.Trigger("LejekFiltrow1");
        FunnelDialog* dialog = w.form.Funnel();
        QVERIFY(dialog && dialog->isVisible());
        const kombinator::FilterFunnelResult funnel = kombinator::FilterFunnel(w.form.Editor()->SettingsForRun());
        QTableWidget* table = dialog->Table();
        QCOMPARE(table->rowCount(), int(funnel.steps.size()));
        for (int row = 0; row < table->rowCount(); ++row) {
            const kombinator::FunnelStep& step = funnel.steps[std::size_t(row)];
            QCOMPARE(CellText(table, row, 0), QString::fromUtf8(kombinator::ChainStepFamily(step.step).data()));
            QCOMPARE(CellText(table, row, 1), GroupedNumber(step.reached));
            QCOMPARE(CellText(table, row, 2), GroupedNumber(step.rejected));
        }
        QVERIFY(Find<QLabel>(dialog, "FunnelSummary")->text().endsWith("22 235"));
        QVERIFY(!testsupport::SaveScreenshot(dialog, "funnel-window").isEmpty());
    }

    void BacktestWindowShowsEachRoundAndTheFamilyToLoosen() {
        Window w;
        QVERIFY(w.Load("narrow.kfp"));
        const kombinator::FilterSettings settings = w.form.Editor()->SettingsForRun();
        // Two rounds the settings keep and four they reject, in the order the archive holds them.
        kombinator::CandidateStore store;
        QVERIFY(kombinator::FilterRun(settings, store).CandidateCount > 100);
        std::vector<kombinator::Combination> rounds = {store.At(1), kombinator::CombinationFromCanonical(0),
                                                       store.At(100), kombinator::CombinationFromCanonical(123456),
                                                       kombinator::CombinationFromCanonical(654321),
                                                       kombinator::CombinationFromCanonical(16777215)};
        QByteArray bytes;
        for (const auto& c : rounds) bytes += QByteArray::fromStdString(kombinator::FormatSystemLine(c)) + "\r\n";
        WriteBytes(w.start.FilePath("archiwum.txt"), bytes);

        w.Trigger("TestArchiwum1");
        BacktestDialog* dialog = w.form.Backtest();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->ArchivePath(), w.start.FilePath("archiwum.txt"));
        const kombinator::BacktestResult expected = kombinator::BacktestFilters(settings, rounds);
        QTableWidget* table = dialog->Table();
        QCOMPARE(table->rowCount(), 6);
        std::array<int, kombinator::ChainStepCount> rejectedBy{};
        for (int row = 0; row < 6; ++row) {
            const kombinator::BacktestVerdict& v = expected.verdicts[std::size_t(row)];
            if (!v.passed) ++rejectedBy[std::size_t(v.rejectedBy)];
            QCOMPARE(CellText(table, row, 0), QString::number(row + 1));
            QCOMPARE(CellText(table, row, 2),
                     v.passed ? QString("przechodzi")
                              : "odrzuca: " + QString::fromUtf8(kombinator::ChainStepFamily(v.rejectedBy).data()));
        }
        QCOMPARE(expected.passed, 2);
        QCOMPARE(dialog->Summary()->text(), QString("Przeszło: 2 z 6 kolejek (33,3 %)"));
        const int most = int(std::max_element(rejectedBy.begin(), rejectedBy.end()) - rejectedBy.begin());
        QVERIFY(dialog->Loosen()->text().contains(
            QString::fromUtf8(kombinator::ChainStepFamily(kombinator::ChainStep(most)).data())));
        QVERIFY(!testsupport::SaveScreenshot(dialog, "backtest-window").isEmpty());

        // Another archive with a line that is not a SystemLine: its number and the conversion message.
        const QString bad = w.start.FilePath("zle.txt");
        WriteBytes(bad, bytes.left(32) + "1-0  2-2  x-3  1-1  3-0  0-0  \r\n");
        w.dialogs.QueueFileName(bad);
        QTest::mouseClick(Find<QWidget>(dialog, "PickArchiveButton"), Qt::LeftButton);
        QCOMPARE(dialog->ArchivePath(), bad);
        QCOMPARE(table->rowCount(), 0);
        QCOMPARE(dialog->Summary()->text(), QString("Wiersz 2: 'x' is not a valid integer value"));
    }

    void ArchiveButtonKeepsEachCheckedRoundOnce() {
        Window w;
        const QString system = w.start.FilePath("system.txt");
        WriteBytes(system, "1-0  2-2  0-3  1-1  3-0  0-0  \r\n0-0  0-0  0-0  0-0  0-0  0-0  \r\n");
        w.dialogs.QueueFileName(system);
        w.form.Otwrz1Click();
        auto* archive = Find<QPushButton>(&w.form, "ArchiveButton");
        auto* check = Find<QPushButton>(&w.form, "BitBtn3");
        QVERIFY(archive && check && archive->isVisible());
        QVERIFY(!archive->isEnabled());

        static const int editNumbers[12] = {15, 16, 17, 18, 19, 20, 29, 30, 31, 32, 33, 34};
        const QString results = "102203113000";  // 1-0 2-2 0-3 1-1 3-0 0-0
        auto type = [&](int i, const QString& text) {
            QLineEdit* edit = Find<QLineEdit>(&w.form, QStringLiteral("MaskEdit%1").arg(editNumbers[i]));
            edit->clear();
            QTest::keyClicks(edit, text);
        };
        for (int i = 0; i < 12; ++i) type(i, results.mid(i, 1));
        QTest::mouseClick(check, Qt::LeftButton);
        QVERIFY(archive->isEnabled());
        QTest::mouseClick(archive, Qt::LeftButton);
        const QString path = w.start.FilePath("archiwum.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray kept = file.readAll();
        file.close();
        QCOMPARE(kept, QByteArray("1-0  2-2  0-3  1-1  3-0  0-0  \r\n"));
        QCOMPARE(w.dialogs.Texts(Kind::Message).last(), QString("Wyniki dopisane do archiwum archiwum.txt (kolejek: 1)."));
        QVERIFY(!archive->isEnabled());

        // The same round checked again is not kept twice in a row.
        QTest::mouseClick(check, Qt::LeftButton);
        QTest::mouseClick(archive, Qt::LeftButton);
        QCOMPARE(w.dialogs.Texts(Kind::Message).last(), QString("Te wyniki są już ostatnią kolejką archiwum archiwum.txt !"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), kept);
        file.close();

        // An edit typed after the check, or a check that refused the results, offers nothing.
        QTest::mouseClick(check, Qt::LeftButton);
        type(11, "2");
        QVERIFY(!archive->isEnabled());
        type(11, "");
        QTest::mouseClick(check, Qt::LeftButton);
        QCOMPARE(w.dialogs.Texts(Kind::Message).last(), QString("Wprowadź najpierw wszystkie wyniki !"));
        QVERIFY(!archive->isEnabled());

        // An archive with a line that is not a SystemLine is refused and left as it is.
        WriteBytes(path, "1-0  2-2  0-3\r\n");
        type(11, "1");
        QTest::mouseClick(check, Qt::LeftButton);
        QTest::mouseClick(archive, Qt::LeftButton);
        QCOMPARE(w.dialogs.Texts(Kind::Error).last(), path + ", wiersz 1: '' is not a valid integer value");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("1-0  2-2  0-3\r\n"));
        QVERIFY(!testsupport::SaveScreenshot(&w.form, "result-check-archive-button").isEmpty());
    }
};

QTEST_MAIN(TestFilterInsight)
#include "test_filter_insight.moc"
