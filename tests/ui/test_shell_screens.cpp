// How the shell looks: screenshots of the intro, the editor's bottom bar and the about box,
// no text of theirs cut off by its control, and what the about box tells.
#include <QAbstractButton>
#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QTest>

#include "support/scripted_dialog_service.h"
#include "support/start_directory.h"
#include "support/widget_helpers.h"
#include "ui/about_box.h"
#include "ui/intro_screen.h"
#include "ui/program_look.h"
#include "ui/tform1.h"

class TestShellScreens : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        InstallPolishTranslation(*qApp);
        ApplyProgramLook(*qobject_cast<QApplication*>(qApp));
    }

    void IntroScreenShowsEveryTextWhole() {
        testsupport::StartDirectory start;
        ScriptedDialogService dialogs;
        TForm1 form(&dialogs);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(!testsupport::SaveScreenshot(&form, "shell-intro").isEmpty());
        const QStringList clipped = testsupport::ClippedCaptions(form.Intro());
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join("; ")));
    }

    void EditorBottomBarShowsEveryTextWhole() {
        testsupport::StartDirectory start;
        ScriptedDialogService dialogs;
        TForm1 form(&dialogs);
        form.show();
        form.Nowy1Click();
        QLabel* count = testsupport::Find<QLabel>(&form, "Label15");
        count->setText("16777216");  // the widest count a run can show
        testsupport::Find<QWidget>(&form, "Panel65")->show();
        QVERIFY(!testsupport::SaveScreenshot(&form, "shell-editor-bottom-bar").isEmpty());
        const QStringList clipped = testsupport::ClippedCaptions(testsupport::Find<QWidget>(&form, "BottomBar"));
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join("; ")));
    }

    void AboutBoxShowsEveryTextWhole_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("screenshot");
        QTest::newRow("program's own folder") << QString() << "shell-about-box";
        QTest::newRow("deep folder") << "/home/uzytkownik/Dokumenty/programy/zaklady/piłka nożna/wersja testowa"
                                        "/instalacja/share/kombinator"
                                     << "shell-about-box-deep-folder";
    }
    void AboutBoxShowsEveryTextWhole() {
        QFETCH(QString, folder);
        QFETCH(QString, screenshot);
        testsupport::StartDirectory start;
        ScriptedDialogService dialogs;
        TForm1 form(&dialogs);
        form.Programinfo1Click();
        TAboutBox* about = form.AboutBox();
        if (!folder.isEmpty()) about->SetProgramFolder(folder);
        QVERIFY(!testsupport::SaveScreenshot(about, screenshot).isEmpty());
        const QStringList clipped = testsupport::ClippedCaptions(about);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join("; ")));

        QStringList lines;
        for (int k = 1; k <= 5; ++k) lines << testsupport::Find<QLabel>(about, QString("Contact%1").arg(k))->text();
        QCOMPARE(lines[0], QString("Wersja %1, zbudowana %2").arg(KOMBINATOR_VERSION_UNDER_TEST, BuildDate()));
        QVERIFY(QDate::fromString(BuildDate(), Qt::ISODate).isValid());
        QCOMPARE(lines[1], QString("Qt %1").arg(qVersion()));
        QVERIFY(lines[2].contains("GPL-3.0-or-later"));
        QCOMPARE(lines[3], QString("Pomoc i przykłady:"));
        QLabel* folderLine = testsupport::Find<QLabel>(about, "Contact5");
        const QString whole = folder.isEmpty() ? ProgramShareFolder() : folder;
        QCOMPARE(folderLine->toolTip(), whole);
        if (folder.isEmpty()) {
            QVERIFY(whole.endsWith("/share/kombinator"));
        } else {
            // The middle gives way: where it starts and the folder itself stay readable.
            QVERIFY(lines[4].startsWith("/home/"));
            QVERIFY(lines[4].endsWith("share/kombinator"));
            QVERIFY(lines[4].contains(QChar(0x2026)));
        }
        for (QLabel* label : about->findChildren<QLabel*>()) QVERIFY(!label->text().contains("example."));
    }
};

QTEST_MAIN(TestShellScreens)
#include "test_shell_screens.moc"
