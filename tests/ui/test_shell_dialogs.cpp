// The real dialog service: Polish buttons, answers mapped to Yes/No, the program's file
// filters turned into Qt's form, the default extension added to a typed name.
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "ui/program_look.h"
#include "ui/qt_dialog_service.h"

namespace {

// Runs `act` on the modal dialog of type T as soon as it is open.
template <typename T, typename Act>
void WhenOpen(Act act) {
    QTimer::singleShot(0, [act] {
        QTRY_VERIFY(qobject_cast<T*>(QApplication::activeModalWidget()) != nullptr);
        act(qobject_cast<T*>(QApplication::activeModalWidget()));
    });
}

}  // namespace

class TestShellDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(InstallPolishTranslation(*qApp)); }

    void QuestionsSayTakAndNieAndOnlyYesIsYes_data() {
        QTest::addColumn<bool>("warning");
        QTest::addColumn<bool>("clickYes");
        QTest::newRow("warning, Tak") << true << true;
        QTest::newRow("warning, Nie") << true << false;
        QTest::newRow("confirmation, Tak") << false << true;
        QTest::newRow("confirmation, Nie") << false << false;
    }
    void QuestionsSayTakAndNieAndOnlyYesIsYes() {
        QFETCH(bool, warning);
        QFETCH(bool, clickYes);
        QtDialogService dialogs;
        QString yesText, noText, title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        WhenOpen<QMessageBox>([&](QMessageBox* box) {
            yesText = box->button(QMessageBox::Yes)->text().remove('&');
            noText = box->button(QMessageBox::No)->text().remove('&');
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            box->button(clickYes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        const bool answer = warning ? dialogs.WarningQuestion("Czy na pewno ?") : dialogs.ConfirmationQuestion("Czy na pewno ?");
        QCOMPARE(answer, clickYes);
        QCOMPARE(yesText, QString("Tak"));
        QCOMPARE(noText, QString("Nie"));
        QCOMPARE(text, QString("Czy na pewno ?"));
        QCOMPARE(title, QString("Kombinator"));
        QCOMPARE(icon, warning ? QMessageBox::Warning : QMessageBox::Question);
    }

    void ClosingAQuestionIsNo() {
        QtDialogService dialogs;
        WhenOpen<QMessageBox>([](QMessageBox* box) { box->reject(); });
        QVERIFY(!dialogs.ConfirmationQuestion("Zapisać ostatni wygenerowany system ?"));
    }

    void MessageHasNoIconAndTheGivenCaption() {
        QtDialogService dialogs;
        QString title;
        QMessageBox::Icon icon = QMessageBox::Critical;
        WhenOpen<QMessageBox>([&](QMessageBox* box) {
            title = box->windowTitle();
            icon = box->icon();
            box->button(QMessageBox::Ok)->click();
        });
        dialogs.Message("Panel - Typy ogólne: Nie ustalone relacje Tp - Td !", "Kombinator");
        QCOMPARE(title, QString("Kombinator"));
        QCOMPARE(icon, QMessageBox::NoIcon);
    }

    void ProgramFiltersBecomeQtFilters_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("qt");
        QTest::newRow("one entry") << "Plik textowy(*.txt)|*.txt" << "Plik textowy(*.txt) (*.txt)";
        QTest::newRow("two entries") << "Pliki textowe(*.txt)|*.txt|Wszystkie|*.*"
                                     << "Pliki textowe(*.txt) (*.txt);;Wszystkie (*.*)";
        QTest::newRow("several patterns") << "Teksty|*.txt;*.kfp" << "Teksty (*.txt *.kfp)";
    }
    void ProgramFiltersBecomeQtFilters() {
        QFETCH(QString, program);
        QFETCH(QString, qt);
        QCOMPARE(QtDialogService::ToQtFilter(program), qt);
    }

    void SaveDialogAddsTheDefaultExtensionAndCancelIsEmpty() {
        QTemporaryDir folder;
        QtDialogService dialogs;
        QStringList filters;
        WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
            filters = dialog->nameFilters();
            dialog->setDirectory(folder.path());
            dialog->selectFile("system");
            QMetaObject::invokeMethod(dialog, "accept");
        });
        const QString chosen = dialogs.SaveFileName("Plik textowy(*.txt)|*.txt", "txt");
        QCOMPARE(chosen, QDir(folder.path()).absoluteFilePath("system.txt"));
        QCOMPARE(filters, QStringList{"Plik textowy(*.txt) (*.txt)"});

        WhenOpen<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
        QVERIFY(dialogs.OpenFileName("Pliki textowe(*.txt)|*.txt", "txt").isEmpty());
    }
};

QTEST_MAIN(TestShellDialogs)
#include "test_shell_dialogs.moc"
