// The "Filtry" menu: a filter profile saved from and loaded into the editor's controls, and
// the compute button run on what was loaded.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include "engine/filter_run.h"
#include "filters/filter_profile.h"
#include "support/files.h"
#include "support/scripted_dialog_service.h"
#include "support/test_window.h"
#include "support/widget_helpers.h"
#include "ui/filter_editor.h"
#include "ui/tform1.h"

using testsupport::Find;
using Kind = ScriptedDialogService::Kind;

namespace {

const QString ProfileFilter = "Profil filtrów(*.kfp)|*.kfp";

using testsupport::ReadBytes;
using testsupport::WriteBytes;

// A window in the filter editor with scripted dialogs.
struct Window : testsupport::TestWindow {
    Window() { form.Nowy1Click(); }
    void Trigger(const char* action) { Action(action)->trigger(); }
    QToolButton* NextStage() { return W<QToolButton>("SpeedButton2"); }
    QString Count() { return W<QLabel>("Label15")->text(); }
    void Compute() { QTest::mouseClick(W<QToolButton>("SpeedButton1"), Qt::LeftButton); }
};

}  // namespace

class TestShellFilters : public QObject {
    Q_OBJECT
private slots:
    void EveryFamilyProfileRoundTripsThroughTheControls() {
        Window w;
        const QString source = QStringLiteral(KOMBINATOR_EXAMPLES) + "/every-family.kfp";
        const kombinator::ProfileReadResult expected = kombinator::ReadFilterProfileFile(source.toStdString());
        QVERIFY(expected.ok);
        w.NextStage()->setEnabled(true);  // as after an earlier run

        w.dialogs.QueueFileName(source);
        w.Trigger("WczytajFiltry1");
        QVERIFY(w.dialogs.Texts(Kind::Error).isEmpty() && w.dialogs.Texts(Kind::Message).isEmpty());
        QVERIFY(w.form.Editor()->SettingsForRun() == expected.settings);
        QVERIFY(!w.NextStage()->isEnabled());

        const QString saved = w.start.FilePath("saved.kfp");
        w.dialogs.QueueFileName(saved);
        w.Trigger("ZapiszFiltry1");
        QCOMPARE(ReadBytes(saved), QByteArray::fromStdString(kombinator::WriteFilterProfile(expected.settings)));
        QCOMPARE(w.dialogs.Calls()[0].text, ProfileFilter);
        QCOMPARE(w.dialogs.Calls()[0].title, QString("kfp"));

        kombinator::CandidateStore reference;
        const kombinator::FilterRunResult run = kombinator::FilterRun(expected.settings, reference);
        w.Compute();
        QCOMPARE(w.Count(), QString::number(run.CandidateCount));
        QCOMPARE(w.NextStage()->isEnabled(), run.CandidateCount >= 1 && run.CandidateCount <= 30000);
    }

    void SixtyFourCandidatesOpenTheFinalStage() {
        Window w;
        const QString path = w.start.FilePath("64.kfp");
        QByteArray profile = "kombinator-filters 1\nTypeMarks = 111 111 111 111 111 111\n"
                             "TotalGoals = 0 36\nHomeGoals = 0 36\nAwayGoals = 0 36\n";
        for (int p = 1; p <= 6; ++p) profile += QByteArray("Scores%1 = on\nScores%1Allowed = 0-0 1-1\n").replace("%1", QByteArray::number(p));
        WriteBytes(path, profile);
        QVERIFY(w.form.LoadFilterProfile(path));
        w.Compute();
        QCOMPARE(w.Count(), QString("64"));
        QVERIFY(w.NextStage()->isEnabled());
        QCOMPARE(w.form.State().CandidateCount, 64);
        const kombinator::CandidateStore& store = *w.form.State().candidates;
        for (int p = 0; p < 12; ++p) {
            QCOMPARE(int(store.Record(1)[p]), 0);
            QCOMPARE(int(store.Record(64)[p]), 1);
        }
        QTest::mouseClick(w.NextStage(), Qt::LeftButton);
        QVERIFY(Find<QWidget>(&w.form, "Panel73")->isVisible());
    }

    void FaultyProfileIsReportedAndChangesNothing_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("messageStart");
        QTest::newRow("unknown key") << QByteArray("kombinator-filters 1\nTypeMarks = 111 111 111 111 111 111\nBogus = 1\n")
                                     << "line 3: ";
        QTest::newRow("bad value") << QByteArray("kombinator-filters 1\nRI = maybe\n") << "line 2: ";
        QTest::newRow("no header") << QByteArray("TypeMarks = 111 111 111 111 111 111\n") << "line 1: ";
    }
    void FaultyProfileIsReportedAndChangesNothing() {
        QFETCH(QByteArray, content);
        QFETCH(QString, messageStart);
        Window w;
        const QString path = w.start.FilePath("bad.kfp");
        WriteBytes(path, content);
        w.form.State().settings.TypeMarks[1][0] = 2;
        const kombinator::FilterSettings before = w.form.State().settings;
        w.NextStage()->setEnabled(true);
        w.dialogs.QueueFileName(path);
        w.Trigger("WczytajFiltry1");
        const QStringList messages = w.dialogs.Texts(Kind::Message);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].startsWith(messageStart), qPrintable(messages[0]));
        QCOMPARE(w.dialogs.Calls().last().title, QString("Kombinator"));
        QVERIFY(w.form.State().settings == before);
        QVERIFY(w.NextStage()->isEnabled());
    }

    void FileErrorsAreTheRuntimeReports() {
        Window w;
        const QString missing = w.start.FilePath("missing.kfp");
        const QString unwritable = w.start.FilePath("no such folder/f.kfp");
        w.dialogs.QueueFileName(missing);
        w.Trigger("WczytajFiltry1");
        w.dialogs.QueueFileName(unwritable);
        w.Trigger("ZapiszFiltry1");
        QCOMPARE(w.dialogs.Texts(Kind::Error),
                 QStringList({"Cannot open file " + missing, "Cannot create file " + unwritable}));
    }

    void CancelledDialogsDoNothing() {
        Window w;
        w.dialogs.QueueFileName(QString());
        w.Trigger("ZapiszFiltry1");
        w.dialogs.QueueFileName(QString());
        w.Trigger("WczytajFiltry1");
        QCOMPARE(w.dialogs.Calls().size(), 2);
        QVERIFY(QDir(w.start.Path()).entryList({"*.kfp"}).isEmpty());
    }

    void LoadingIsOfferedOnlyInTheEditor() {
        testsupport::StartDirectory start;
        ScriptedDialogService dialogs;
        TForm1 form(&dialogs);
        QAction* load = Find<QAction>(&form, "WczytajFiltry1");
        QVERIFY(!load->isEnabled());  // intro
        form.Nowy1Click();
        QVERIFY(load->isEnabled());
        Find<QToolButton>(&form, "SpeedButton2")->setEnabled(true);
        form.SpeedButton2Click();
        QVERIFY(!load->isEnabled());  // final stage
        QVERIFY(Find<QAction>(&form, "ZapiszFiltry1")->isEnabled());
    }
};

QTEST_MAIN(TestShellFilters)
#include "test_shell_filters.moc"
