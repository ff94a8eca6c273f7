// The real dialog service: Polish buttons, answers mapped to Yes/No, the program's file
// filters turned into Qt's form, the default extension added to a typed name.
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QTreeView>
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

// The row of the file named `fileName` under `parent`, or an invalid index.
QModelIndex FindRow(const QAbstractItemModel* model, const QModelIndex& parent, const QString& fileName) {
    for (int row = 0; row < model->rowCount(parent); ++row)
        if (model->index(row, 0, parent).data().toString() == fileName) return model->index(row, 0, parent);
    return {};
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

    // A message quoting a file's bytes shows them as they were: a NUL or an escape byte as \xNN
    // (Qt draws nothing for them, and "'7<NUL>'" would read as the valid "'7'"), markup literally.
    void FileBytesInAMessageAreShownVisiblyAndAsPlainText() {
        QtDialogService dialogs;
        QString text;
        Qt::TextFormat format = Qt::RichText;
        WhenOpen<QMessageBox>([&](QMessageBox* box) {
            text = box->text();
            format = box->textFormat();
            box->button(QMessageBox::Ok)->click();
        });
        static const char raw[] = "'7\0\x1b<b>x</b>' is not a valid integer value";
        dialogs.Error(QString::fromUtf8(raw, sizeof raw - 1));
        QCOMPARE(text, QString("'7\\x00\\x1b<b>x</b>' is not a valid integer value"));
        QCOMPARE(format, Qt::PlainText);
    }

    void ProgramFiltersBecomeQtFilters_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("qt");
        // A description that names its pattern already shows it once.
        QTest::newRow("one entry") << "Plik textowy(*.txt)|*.txt" << "Plik textowy(*.txt)";
        QTest::newRow("profile") << "Profil filtrów(*.kfp)|*.kfp" << "Profil filtrów(*.kfp)";
        QTest::newRow("two entries") << "Pliki textowe(*.txt)|*.txt|Wszystkie|*.*"
                                     << "Pliki textowe(*.txt);;Wszystkie (*.*)";
        QTest::newRow("several patterns") << "Teksty|*.txt;*.kfp" << "Teksty (*.txt *.kfp)";
        QTest::newRow("another pattern named") << "Teksty(*.txt)|*.kfp" << "Teksty(*.txt) (*.kfp)";
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
        QCOMPARE(filters, QStringList{"Plik textowy(*.txt)"});

        WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
            filters = dialog->nameFilters();
            dialog->reject();
        });
        QVERIFY(dialogs.OpenFileName("Pliki textowe(*.txt)|*.txt", "txt").isEmpty());
        QCOMPARE(filters, QStringList{"Pliki textowe(*.txt)"});
    }

    // The open dialog lists a file's size and date as a Polish user writes them, and every
    // column has room for what it shows.
    void OpenDialogSpeaksPolishInItsDetails() {
        QTemporaryDir folder;
        QFile file(folder.filePath("system.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("1-0\r\n");
        file.close();
        QFileDialog dialog;
        QtDialogService::PrepareFileDialog(dialog, QFileDialog::AcceptOpen, "Pliki textowe(*.txt)|*.txt", "txt");
        dialog.setDirectory(folder.path());
        dialog.show();
        auto* list = dialog.findChild<QTreeView*>("treeView");
        QVERIFY(list);
        QModelIndex name;
        QTRY_VERIFY((name = FindRow(list->model(), list->rootIndex(), "system.txt")).isValid());
        const QLocale polish(QLocale::Polish, QLocale::Poland);
        const QString size = name.siblingAtColumn(FileDialogSizeColumn).data().toString();
        const QString date = name.siblingAtColumn(FileDialogDateColumn).data().toString();
        QCOMPARE(size, polish.formattedDataSize(5));
        QVERIFY2(!size.contains("byte"), qPrintable(size));
        QCOMPARE(date, polish.toString(QFileInfo(file.fileName()).lastModified(), QLocale::ShortFormat));
        const QFontMetrics metrics(list->font());
        for (int column = 0; column < 4; ++column) {
            const QString shown = name.siblingAtColumn(column).data().toString();
            QVERIFY2(metrics.horizontalAdvance(shown) + 12 <= list->header()->sectionSize(column), qPrintable(shown));
        }
        QVERIFY(dialog.width() >= 700);
    }

    // A box with a short text is still wide enough for its caption ("File not found").
    void MessageBoxIsWideEnoughForItsCaption() {
        QtDialogService dialogs;
        int width = 0, needed = 0;
        WhenOpen<QMessageBox>([&](QMessageBox* box) {
            QFont caption = box->font();
            caption.setBold(true);
            needed = QFontMetrics(caption).horizontalAdvance(box->windowTitle()) + 120;
            width = box->width();
            box->button(QMessageBox::Ok)->click();
        });
        dialogs.Error("File not found");
        QVERIFY2(width >= needed, qPrintable(QString("%1 < %2").arg(width).arg(needed)));
    }

    // Titles are the program's own: nothing appended by the platform (which appends the
    // application's display name to every title once one is set).
    void NoDisplayNameIsAppendedToTitles() {
        SetUpApplication(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        QCOMPARE(QGuiApplication::applicationDisplayName(), QString("Kombinator"));
        // An unset display name follows the application name; a set one would stay.
        QCoreApplication::setApplicationName("probe");
        QCOMPARE(QGuiApplication::applicationDisplayName(), QString("probe"));
        QCoreApplication::setApplicationName("Kombinator");
    }
};

QTEST_MAIN(TestShellDialogs)
#include "test_shell_dialogs.moc"
