// The test helpers other window tests rely on: scripted answers in order, unanswered
// questions counted, controls found by name, screenshots written.
#include <QCheckBox>
#include <QFileInfo>
#include <QTest>

#include "support/scripted_dialog_service.h"
#include "support/widget_helpers.h"

using Kind = ScriptedDialogService::Kind;

class TestShellSupport : public QObject {
    Q_OBJECT
private slots:
    void AnswersComeInQueueOrderAndEveryCallIsRecorded() {
        ScriptedDialogService dialogs;
        dialogs.QueueAnswers({true, false});
        dialogs.QueueFileName("/tmp/a.txt");
        QVERIFY(dialogs.WarningQuestion("w"));
        QVERIFY(!dialogs.ConfirmationQuestion("c"));
        QCOMPARE(dialogs.SaveFileName("Plik textowy(*.txt)|*.txt", "txt"), QString("/tmp/a.txt"));
        dialogs.Message("m", "Kombinator");
        QVERIFY(dialogs.AllAnswersUsed());
        QCOMPARE(dialogs.UnansweredCount(), 0);
        QCOMPARE(dialogs.Transcript(), QStringList({"WarningQuestion: w", "ConfirmationQuestion: c",
                                                    "SaveFileName: Plik textowy(*.txt)|*.txt", "Message: m"}));
        QCOMPARE(dialogs.Calls().last().title, QString("Kombinator"));
        QCOMPARE(dialogs.Texts(Kind::Message), QStringList({"m"}));
    }

    void UnansweredQuestionsSayNoAndAreCounted() {
        ScriptedDialogService dialogs;
        QVERIFY(!dialogs.WarningQuestion("w"));
        QVERIFY(dialogs.OpenFileName("f", "txt").isEmpty());
        QCOMPARE(dialogs.UnansweredCount(), 2);
    }

    void FindsControlsByNameAndSavesScreenshots() {
        QWidget root;
        auto* box = new QCheckBox("x", &root);
        box->setObjectName("CheckBox44");
        QCOMPARE(testsupport::Find<QCheckBox>(&root, "CheckBox44"), box);
        QVERIFY(testsupport::Find<QCheckBox>(&root, "CheckBox45") == nullptr);
        root.resize(50, 20);
        const QString path = testsupport::SaveScreenshot(&root, "support-selftest");
        QVERIFY(!path.isEmpty());
        QVERIFY(QFileInfo(path).size() > 0);
    }
};

QTEST_MAIN(TestShellSupport)
#include "test_shell_support.moc"
