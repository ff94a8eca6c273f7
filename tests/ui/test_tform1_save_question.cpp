// The save question of "Nowy", "Otwórz", "Zakończ" and the window close with an unsaved
// system on screen: its place among the other questions, and a save that fails stopping
// the command.
#include <QAction>
#include <QFile>
#include <QTest>

#include "support/files.h"
#include "support/questions.h"
#include "support/scripted_dialog_service.h"
#include "support/test_window.h"
#include "support/widget_helpers.h"
#include "ui/tform1.h"

using testsupport::Find;

namespace {

using Kind = ScriptedDialogService::Kind;
using testsupport::Transcribed;

const QString SaveQuestion = Transcribed(Kind::ConfirmationQuestion, testsupport::SaveQuestion);
const QString SaveDialog = "SaveFileName: Plik textowy(*.txt)|*.txt";
const QString OpenDialog = "OpenFileName: Pliki textowe(*.txt)|*.txt";
const QString NewSystemQuestion = Transcribed(Kind::WarningQuestion, testsupport::NewSystemQuestion);
const QString ExitQuestion = Transcribed(Kind::ConfirmationQuestion, testsupport::ExitQuestion);

// A window showing a two-line system that has not been saved.
struct Window : testsupport::TestWindow {
    Window() {
        testsupport::WriteBytes(start.FilePath("system.txt"),
                                "0-0  0-0  0-0  0-0  0-0  0-0  \r\n1-1  1-1  1-1  1-1  1-1  1-1  \r\n");
        dialogs.QueueFileName(start.FilePath("system.txt"));
        Action("Otwrz1")->trigger();
        dialogs.Clear();
        form.State().SystemSaved = 0;  // as after a generator
    }
};

}  // namespace

class TestTForm1SaveQuestion : public QObject {
    Q_OBJECT
private slots:
    void SaveQuestionComesInItsPlace_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("busy");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("file");  // "" no name queued (cancelled), "ok", "bad" (cannot be created)
        QTest::addColumn<QStringList>("transcript");
        QTest::addColumn<QString>("stage");
        QTest::addColumn<bool>("ended");
        QTest::addColumn<int>("savedAfter");

        const QString bad = "Error: Cannot create file ";
        QTest::newRow("Nowy, No") << "Nowy1" << 0 << "N" << "" << QStringList{SaveQuestion} << "Panel5" << false << 1;
        QTest::newRow("Nowy, Yes, saved") << "Nowy1" << 0 << "Y" << "ok" << QStringList{SaveQuestion, SaveDialog}
                                          << "Panel5" << false << 1;
        QTest::newRow("Nowy, Yes, dialog cancelled")
            << "Nowy1" << 0 << "Y" << "" << QStringList{SaveQuestion, SaveDialog} << "Panel5" << false << 1;
        QTest::newRow("Nowy, Yes, file cannot be created")
            << "Nowy1" << 0 << "Y" << "bad" << QStringList{SaveQuestion, SaveDialog, bad} << "Panel73" << false << 0;
        QTest::newRow("Nowy, running, Yes, No") << "Nowy1" << 1 << "YN" << ""
                                                << QStringList{NewSystemQuestion, SaveQuestion} << "Panel5" << false
                                                << 1;
        QTest::newRow("Otwórz, No, open cancelled")
            << "Otwrz1" << 0 << "N" << "" << QStringList{SaveQuestion, OpenDialog} << "Panel73" << false << 1;
        QTest::newRow("Zakończ, No, Yes") << "Zakocz1" << 0 << "NY" << "" << QStringList{SaveQuestion, ExitQuestion}
                                          << "" << true << 1;
        QTest::newRow("Zakończ, Yes, file cannot be created")
            << "Zakocz1" << 0 << "Y" << "bad" << QStringList{SaveQuestion, SaveDialog, bad} << "Panel73" << false << 0;
        QTest::newRow("close, Yes, saved, Yes") << "close" << 0 << "YY" << "ok"
                                                << QStringList{SaveQuestion, SaveDialog, ExitQuestion} << "" << true
                                                << 1;
        QTest::newRow("close, Yes, file cannot be created: stays open")
            << "close" << 0 << "Y" << "bad" << QStringList{SaveQuestion, SaveDialog, bad} << "Panel73" << false << 0;
    }
    void SaveQuestionComesInItsPlace() {
        QFETCH(QString, command);
        QFETCH(int, busy);
        QFETCH(QString, answers);
        QFETCH(QString, file);
        QFETCH(QStringList, transcript);
        QFETCH(QString, stage);
        QFETCH(bool, ended);
        QFETCH(int, savedAfter);

        Window w;
        w.form.State().GeneratorBusy = static_cast<std::uint8_t>(busy);
        for (QChar a : answers) w.dialogs.QueueAnswer(a == 'Y');
        const QString target = file == "bad" ? w.start.FilePath("no such folder/s.txt") : w.start.FilePath("saved.txt");
        if (!file.isEmpty()) w.dialogs.QueueFileName(target);
        if (command == "close")
            QCOMPARE(w.form.close(), ended);
        else
            Find<QAction>(&w.form, qPrintable(command))->trigger();

        if (file == "bad") transcript.last() += target;
        QCOMPARE(w.dialogs.Transcript(), transcript);
        QCOMPARE(w.terminated, ended ? 1 : 0);
        if (!ended) QCOMPARE(w.VisibleStage(), stage);
        QCOMPARE(int(w.form.State().SystemSaved), savedAfter);
        QCOMPARE(QFile::exists(w.start.FilePath("saved.txt")), file == "ok");
    }

    void AfterTheSaveQuestionALaterExitAsksOnlyTheExitQuestion() {
        Window w;
        w.dialogs.QueueAnswers({false, false});
        w.form.Zakocz1Click();
        w.dialogs.QueueAnswer(false);
        w.form.Zakocz1Click();
        QCOMPARE(w.dialogs.Transcript(), QStringList({SaveQuestion, ExitQuestion, ExitQuestion}));
        QCOMPARE(w.terminated, 0);
    }
};

QTEST_MAIN(TestTForm1SaveQuestion)
#include "test_tform1_save_question.moc"
