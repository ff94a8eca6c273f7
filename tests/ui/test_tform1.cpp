// The window's shell: start-up state, the menus' questions and their effects, the intro ticker,
// help (the user's help file or the program's own guide), the about box, the compute button's
// bar and the way between the stages.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "support/questions.h"
#include "support/scripted_dialog_service.h"
#include "support/start_directory.h"
#include "support/test_window.h"
#include "support/widget_helpers.h"
#include "ui/about_box.h"
#include "ui/filter_editor.h"
#include "ui/final_stage.h"
#include "ui/help_window.h"
#include "ui/intro_screen.h"
#include "ui/tform1.h"

using testsupport::Find;
using Kind = ScriptedDialogService::Kind;

namespace {

using testsupport::Transcribed;

const QString NewSystemQuestion = Transcribed(Kind::WarningQuestion, testsupport::NewSystemQuestion);
const QString BrowseQuestion = Transcribed(Kind::WarningQuestion, testsupport::BrowseQuestion);
const QString StopQuestion = Transcribed(Kind::WarningQuestion, testsupport::StopQuestion);
const QString ExitQuestion = Transcribed(Kind::ConfirmationQuestion, testsupport::ExitQuestion);

struct Window : testsupport::TestWindow {
    QWidget* Widget(const char* name) { return W(name); }
    // The questions asked, leaving out file dialogs that later stages add behind the same calls.
    QStringList Questions() const {
        QStringList asked;
        for (const QString& line : dialogs.Transcript())
            if (line.startsWith("WarningQuestion") || line.startsWith("ConfirmationQuestion")) asked << line;
        return asked;
    }
};

}  // namespace

class TestTForm1 : public QObject {
    Q_OBJECT
private slots:
    void StartsOnTheIntroWithEverythingInItsStartState() {
        Window w;
        QCOMPARE(w.form.windowTitle(), QString("Kombinator"));
        QCOMPARE(w.VisibleStage(), QString("Panel1"));
        for (const char* name : {"Panel1", "Panel5", "Panel73"})
            QCOMPARE(w.Widget(name)->geometry(), QRect(8, 8, 673, 481));
        QVERIFY(!(w.form.windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(w.form.minimumSize(), w.form.maximumSize());
        QTimer* timer1 = Find<QTimer>(&w.form, "Timer1");
        QVERIFY(timer1 && timer1->isActive());
        QCOMPARE(timer1->interval(), 10);
        QCOMPARE(w.form.Intro()->TickerTop(), 40);
        QCOMPARE(w.form.State().SystemSaved, 1);
        QCOMPARE(w.form.State().GeneratorBusy, 0);
        QCOMPARE(w.form.State().StartDirectory, QDir::currentPath());
        QCOMPARE(QDir(w.form.State().StartDirectory), QDir(w.start.Path()));
        QVERIFY(!w.Widget("SpeedButton2")->isEnabled());
        QVERIFY(w.Widget("Panel65")->isHidden());
        QCOMPARE(Find<QLabel>(&w.form, "Label15")->text(), QString());
        QCOMPARE(Find<QToolButton>(&w.form, "SpeedButton1")->toolTip(), QString("Oblicz"));
        QCOMPARE(Find<QToolButton>(&w.form, "SpeedButton2")->toolTip(), QString("Etap końcowy"));
        QCOMPARE(Find<QLabel>(&w.form, "StaticText7")->text(), QString("Aktualna liczba kombinacji w systemie : "));
        QVERIFY(w.form.AboutBox()->isHidden());
        QVERIFY(w.dialogs.Calls().isEmpty());
    }

    void MissingOffsetFileIsReportedAndTheFlagsStayZero() {
        testsupport::StartDirectory empty(false);
        ScriptedDialogService dialogs;
        TForm1 form(&dialogs);
        // The report stands over the window: it comes once the window is on screen, and once.
        bool windowShownAtReport = false;
        dialogs.OnCall = [&](const ScriptedDialogService::Call&) { windowShownAtReport = form.isVisible(); };
        QVERIFY(dialogs.Calls().isEmpty());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_COMPARE(dialogs.Texts(Kind::Error), QStringList{"File not found"});
        QVERIFY(windowShownAtReport);
        dialogs.OnCall = nullptr;
        form.hide();
        form.show();
        QTest::qWait(20);
        QCOMPARE(dialogs.Texts(Kind::Error).size(), 1);
        QCOMPARE(form.State().SystemSaved, 0);
        QCOMPARE(form.State().GeneratorBusy, 0);
        // The window still starts as usual, and with an empty list nothing is asked on leaving.
        QVERIFY(Find<QTimer>(&form, "Timer1")->isActive());
        dialogs.Clear();
        dialogs.QueueAnswer(true);
        form.SetTerminateAction([] {});
        form.Zakocz1Click();
        QCOMPARE(dialogs.Transcript(), QStringList{ExitQuestion});
    }

    // A named pipe or an endless device in place of an offset file must not stall the start-up:
    // the window comes up and reports the file as unreadable, as the command line does.
    void OffsetFileThatIsAPipeOrDeviceDoesNotBlockTheStart_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("named pipe") << "fifo";
        QTest::newRow("link to /dev/zero") << "zero";
    }
    void OffsetFileThatIsAPipeOrDeviceDoesNotBlockTheStart() {
        QFETCH(QString, kind);
        testsupport::StartDirectory start;
        const QByteArray px1 = QFile::encodeName(start.FilePath("PX1.txt"));
        QVERIFY(QFile::remove(start.FilePath("PX1.txt")));
        if (kind == "fifo")
            QCOMPARE(::mkfifo(px1.constData(), 0644), 0);
        else
            QVERIFY(QFile::link("/dev/zero", start.FilePath("PX1.txt")));
        // A blocked start-up would hang the test for good: fail it loudly after 20 s instead.
        std::atomic<bool> started{false};
        std::thread watchdog([&] {
            for (int i = 0; i < 2000 && !started; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (!started) {
                std::fprintf(stderr, "the window's start-up blocked on PX1.txt (%s)\n", qPrintable(kind));
                std::abort();
            }
        });
        ScriptedDialogService dialogs;
        {
            TForm1 form(&dialogs);
            form.show();
            started = true;
            watchdog.join();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            QTRY_COMPARE(dialogs.Texts(Kind::Error), QStringList{"I/O error 22"});
            QCOMPARE(form.State().SystemSaved, 0);
            QVERIFY(Find<QTimer>(&form, "Timer1")->isActive());
        }
    }

    void MenusHaveTheirCaptionsAndShortcuts_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::newRow("Nowy") << "System1" << "Nowy1" << "Nowy" << "Ctrl+N";
        QTest::newRow("Otwórz") << "System1" << "Otwrz1" << "Otwórz" << "Ctrl+O";
        QTest::newRow("Zakończ") << "System1" << "Zakocz1" << "Zakończ" << "Ctrl+Z";
        QTest::newRow("Zapisz filtry") << "Filtry1" << "ZapiszFiltry1" << "Zapisz filtry…" << "";
        QTest::newRow("Wczytaj filtry") << "Filtry1" << "WczytajFiltry1" << "Wczytaj filtry…" << "";
        QTest::newRow("Plik pomocy") << "Pomoc1" << "Plik" << "Plik pomocy" << "Ctrl+H";
        QTest::newRow("Program info") << "Pomoc1" << "Programinfo1" << "Program info" << "Ctrl+I";
    }
    void MenusHaveTheirCaptionsAndShortcuts() {
        QFETCH(QString, menu);
        QFETCH(QString, item);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        Window w;
        QMenu* owner = Find<QMenu>(&w.form, menu);
        QVERIFY(owner);
        QAction* action = Find<QAction>(&w.form, item);
        QVERIFY(action);
        QVERIFY(owner->actions().contains(action));
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut().toString(QKeySequence::PortableText), shortcut);
    }

    void MenuBarOrderAndSeparators() {
        Window w;
        QStringList titles;
        for (QAction* a : w.form.menuBar()->actions()) titles << a->text();
        // "Narzędzia" (the system analysis) stands beside the documented menus, before "Pomoc".
        QCOMPARE(titles, QStringList({"System", "Filtry", "Narzędzia", "Pomoc"}));
        QStringList system;
        for (QAction* a : Find<QMenu>(&w.form, "System1")->actions()) system << (a->isSeparator() ? "-" : a->text());
        QCOMPARE(system, QStringList({"Nowy", "Otwórz", "-", "Zakończ"}));
        QStringList help;
        for (QAction* a : Find<QMenu>(&w.form, "Pomoc1")->actions()) help << (a->isSeparator() ? "-" : a->text());
        QCOMPARE(help, QStringList({"Plik pomocy", "-", "Program info"}));
    }

    // Each command with the generator idle or running, and each answer: the questions in order,
    // the stage shown after, whether the program ended, the flag and the intro ticker.
    void MenuCommandsAskInOrderAndActOnTheAnswers_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("busy");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QString>("stage");
        QTest::addColumn<bool>("ended");
        QTest::addColumn<int>("busyAfter");
        QTest::addColumn<bool>("tickerRunning");

        QTest::newRow("Nowy, idle") << "Nowy1" << 0 << "" << QStringList() << "Panel5" << false << 0 << false;
        QTest::newRow("Nowy, running, No") << "Nowy1" << 1 << "N" << QStringList{NewSystemQuestion} << "Panel1"
                                           << false << 1 << true;
        QTest::newRow("Nowy, running, Yes") << "Nowy1" << 1 << "Y" << QStringList{NewSystemQuestion} << "Panel5"
                                            << false << 0 << false;
        QTest::newRow("Otwórz, running, No") << "Otwrz1" << 1 << "N" << QStringList{BrowseQuestion} << "Panel1"
                                             << false << 1 << true;
        QTest::newRow("Otwórz, dialog cancelled") << "Otwrz1" << 0 << "" << QStringList() << "Panel1" << false << 0
                                                  << false;
        QTest::newRow("Zakończ, Yes") << "Zakocz1" << 0 << "Y" << QStringList{ExitQuestion} << "" << true << 0
                                      << false;
        QTest::newRow("Zakończ, No freezes the ticker")
            << "Zakocz1" << 0 << "N" << QStringList{ExitQuestion} << "Panel1" << false << 0 << false;
        QTest::newRow("Zakończ, running, No") << "Zakocz1" << 1 << "N" << QStringList{StopQuestion} << "Panel1"
                                              << false << 1 << true;
        QTest::newRow("Zakończ, running, Yes, Yes")
            << "Zakocz1" << 1 << "YY" << QStringList{StopQuestion, ExitQuestion} << "" << true << 0 << false;
        QTest::newRow("Zakończ, running, Yes, No")
            << "Zakocz1" << 1 << "YN" << QStringList{StopQuestion, ExitQuestion} << "Panel1" << false << 0 << false;
        QTest::newRow("close, Yes") << "close" << 0 << "Y" << QStringList{ExitQuestion} << "" << true << 0 << false;
        QTest::newRow("close, No") << "close" << 0 << "N" << QStringList{ExitQuestion} << "Panel1" << false << 0
                                   << false;
        QTest::newRow("close, running, No keeps the window")
            << "close" << 1 << "N" << QStringList{StopQuestion} << "Panel1" << false << 1 << true;
        QTest::newRow("close, running, Yes, Yes")
            << "close" << 1 << "YY" << QStringList{StopQuestion, ExitQuestion} << "" << true << 0 << false;
    }
    void MenuCommandsAskInOrderAndActOnTheAnswers() {
        QFETCH(QString, command);
        QFETCH(int, busy);
        QFETCH(QString, answers);
        QFETCH(QStringList, questions);
        QFETCH(QString, stage);
        QFETCH(bool, ended);
        QFETCH(int, busyAfter);
        QFETCH(bool, tickerRunning);

        Window w;
        w.form.State().GeneratorBusy = static_cast<std::uint8_t>(busy);
        for (QChar a : answers) w.dialogs.QueueAnswer(a == 'Y');
        if (command == "close")
            QCOMPARE(w.form.close(), ended);
        else
            w.Action(qPrintable(command))->trigger();

        QCOMPARE(w.Questions(), questions);
        QVERIFY(w.dialogs.AllAnswersUsed());
        QCOMPARE(w.terminated, ended ? 1 : 0);
        QCOMPARE(w.form.isVisible(), !ended);
        if (!ended) QCOMPARE(w.VisibleStage(), stage);
        QCOMPARE(int(w.form.State().GeneratorBusy), busyAfter);
        QCOMPARE(Find<QTimer>(&w.form, "Timer1")->isActive(), tickerRunning);
    }

    void LeavingThroughZakonczDoesNotAskAgainOnClose() {
        Window w;
        w.dialogs.QueueAnswer(true);
        w.Action("Zakocz1")->trigger();
        QCOMPARE(w.terminated, 1);
        QVERIFY(w.form.close());
        QCOMPARE(w.Questions(), QStringList{ExitQuestion});
        QCOMPARE(w.terminated, 1);
    }

    void NowyLeavesTheIntroForGoodAndKeepsTheSettings() {
        Window w;
        w.form.State().settings.TypeMarks[3][1] = 2;
        w.Action("Nowy1")->trigger();
        QVERIFY(!w.form.Intro()->Showing());
        QCOMPARE(w.form.State().settings.TypeMarks[3][1], std::uint8_t(2));
        // From the editor, a new system stays in the editor; the ticker is never started again.
        w.Action("Nowy1")->trigger();
        QCOMPARE(w.VisibleStage(), QString("Panel5"));
        QVERIFY(!Find<QTimer>(&w.form, "Timer1")->isActive());
    }

    void OtworzFromTheIntroShowsTheFinalStageForGood() {
        Window w;
        QFile system(w.start.FilePath("system.txt"));
        QVERIFY(system.open(QIODevice::WriteOnly));
        system.write("0-0  0-0  0-0  0-0  0-0  0-0  \r\n");
        system.close();
        w.dialogs.QueueFileName(system.fileName());
        w.Action("Otwrz1")->trigger();
        QCOMPARE(w.VisibleStage(), QString("Panel73"));
        QVERIFY(!w.form.Intro()->Showing());
        QVERIFY(!Find<QTimer>(&w.form, "Timer1")->isActive());
        QCOMPARE(w.form.Final()->SystemLineCount(), 1);
        w.Action("Nowy1")->trigger();
        QCOMPARE(w.VisibleStage(), QString("Panel5"));
    }

    void ShortcutsReachTheirCommands() {
        Window w;
        QApplication::setActiveWindow(&w.form);
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        QTest::keyClick(&w.form, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(w.VisibleStage(), QString("Panel5"));
        QTest::keyClick(&w.form, Qt::Key_I, Qt::ControlModifier);
        QVERIFY(w.form.AboutBox()->isVisible());
        w.form.AboutBox()->hide();
        QApplication::setActiveWindow(&w.form);
        w.dialogs.QueueAnswer(false);
        QTest::keyClick(&w.form, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.Questions(), QStringList{ExitQuestion});
    }

    void TickerCycleIs410TicksAndTheBlinkKeepsItsPhase() {
        Window w;
        QTimer* timer1 = Find<QTimer>(&w.form, "Timer1");
        timer1->stop();
        QWidget* panel3 = w.Widget("Panel3");
        QWidget* label5 = w.Widget("Label5");
        QCOMPARE(panel3->y(), 56);  // before the first tick
        QList<int> tops;
        QList<bool> blink;
        int toggles = 0;
        for (int tick = 0; tick < 2 * 410; ++tick) {
            const bool before = label5->isHidden();
            w.form.Intro()->Timer1Timer();
            if (label5->isHidden() != before) ++toggles;
            tops << panel3->y();
            blink << label5->isHidden();
        }
        QCOMPARE(tops[0], 41);
        QCOMPARE(tops[408], 449);
        QCOMPARE(tops[409], 40);
        QCOMPARE(tops[410], 41);
        QCOMPARE(w.form.Intro()->TickerTop(), 40);
        for (int tick = 0; tick < 409; ++tick) QCOMPARE(tops[tick], 41 + tick);
        QCOMPARE(toggles, 80);
        QCOMPARE(blink.mid(0, 410), blink.mid(410, 410));
        QCOMPARE(blink[409], false);  // visible again at the end of a cycle, as at its start
        QCOMPARE(blink[8], false);
        QCOMPARE(blink[9], true);  // top 50: the first toggle
    }

    void IntroPiecesSitWhereTheTickerBandNeedsThem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");  // a negative size is not checked
        QTest::newRow("Panel2") << "Panel2" << QRect(176, 8, 489, 393);
        QTest::newRow("Image1") << "Image1" << QRect(0, -6, 512, 380);
        QTest::newRow("Panel3") << "Panel3" << QRect(288, 56, 281, 377);
        QTest::newRow("Panel4") << "Panel4" << QRect(1, 456, 671, 25);
        QTest::newRow("Image2") << "Image2" << QRect(-1, -1, 128, 86);
        QTest::newRow("Shape1") << "Shape1" << QRect(-1, -1, 161, 49);
        QTest::newRow("Label4") << "Label4" << QRect(224, 400, -1, -1);
        QTest::newRow("Label5") << "Label5" << QRect(576, 400, -1, -1);
        QTest::newRow("Label2") << "Label2" << QRect(592, 400, -1, -1);
        for (int k = 0; k < 8; ++k)
            QTest::addRow("Label%d", 7 + k) << QString("Label%1").arg(7 + k) << QRect(-1, 9 + 48 * k, -1, -1);
    }
    void IntroPiecesSitWhereTheTickerBandNeedsThem() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        Window w;
        QWidget* piece = w.Widget(qPrintable(name));
        QVERIFY(piece);
        const QRect actual = piece->geometry();
        if (geometry.x() >= 0) QCOMPARE(actual.x(), geometry.x());
        if (geometry.y() != -1) QCOMPARE(actual.y(), geometry.y());
        if (geometry.width() > 0) QCOMPARE(actual.size(), geometry.size());
    }

    void TickerLiesUnderThePictureAndTheStrip() {
        Window w;
        const QObjectList order = w.form.Intro()->children();
        const auto at = [&](const char* name) { return order.indexOf(w.Widget(name)); };
        QVERIFY(at("Panel3") < at("Panel2"));
        QVERIFY(at("Panel3") < at("Panel4"));
        const QImage picture = Find<QLabel>(&w.form, "Image1")->pixmap().toImage();
        QCOMPARE(picture.size(), QSize(512, 380));
        QCOMPARE(picture.depth() >= 24, true);
        QVERIFY(picture.pixel(10, 10) != picture.pixel(256, 300));  // drawn, not blank
    }

    void TickerRunsOnItsOwnTimer() {
        Window w;
        QWidget* panel3 = w.Widget("Panel3");
        QVERIFY(testsupport::WaitUntil([&] { return panel3->y() > 45; }));
    }

    void HelpOpensTheFileInTheStartDirectory_data() {
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<bool>("viewerOpensIt");
        QTest::addColumn<bool>("startDirectoryGone");
        QTest::addColumn<QString>("shown");  // "file", "guide" or the error report
        QTest::newRow("file there") << true << true << false << "file";
        QTest::newRow("file there, no viewer for it") << true << false << false << "guide";
        QTest::newRow("file missing") << false << true << false << "guide";
        QTest::newRow("start directory gone") << false << true << true << "I/O error 2";
    }
    void HelpOpensTheFileInTheStartDirectory() {
        QFETCH(bool, fileThere);
        QFETCH(bool, viewerOpensIt);
        QFETCH(bool, startDirectoryGone);
        QFETCH(QString, shown);
        Window w;
        const QString start = w.start.Path();
        const QString helpFile = QDir(start).absoluteFilePath("PLIK POMOCY.HLP");
        if (fileThere) {
            QFile help(helpFile);
            QVERIFY(help.open(QIODevice::WriteOnly));
        }
        QStringList opened;
        w.form.SetDocumentOpener([&](const QString& path) {
            opened << path;
            return viewerOpensIt;
        });
        QTemporaryDir elsewhere;
        QVERIFY(QDir::setCurrent(elsewhere.path()));  // as a file dialog may have left it
        if (startDirectoryGone) QVERIFY(QDir(start).removeRecursively());
        w.Action("Plik")->trigger();
        if (shown == "file" || shown == "guide") {
            QCOMPARE(opened, fileThere ? QStringList{helpFile} : QStringList{});
            QCOMPARE(QDir(QDir::currentPath()), QDir(start));
            QVERIFY(w.dialogs.Calls().isEmpty());
            const bool guide = w.form.Help() && w.form.Help()->isVisible();
            QCOMPARE(guide, shown == "guide");
        } else {
            QVERIFY(opened.isEmpty());
            QCOMPARE(w.dialogs.Texts(Kind::Error), QStringList{shown});
            QVERIFY(!w.form.Help());
        }
    }

    void AboutBoxIsModelessAndHiddenByOk() {
        Window w;
        w.Action("Programinfo1")->trigger();
        TAboutBox* about = w.form.AboutBox();
        QVERIFY(about->isVisible());
        QVERIFY(!about->isModal());
        QCOMPARE(about->windowTitle(), QString("Kombinator info"));
        QCOMPARE(about->size(), QSize(294, 213));
        QPushButton* ok = Find<QPushButton>(about, "OKButton");
        QVERIFY(ok && ok->isDefault());
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(about->isHidden());
        QVERIFY(w.form.isVisible());
    }

    void FailedValidationShowsItsMessageWithTheLampOnThenZero() {
        Window w;
        w.Action("Nowy1")->trigger();
        auto* compute = Find<QToolButton>(&w.form, "SpeedButton1");
        QWidget* next = w.Widget("SpeedButton2");
        QLabel* count = Find<QLabel>(&w.form, "Label15");
        QWidget* lamp = w.Widget("Panel65");
        QTabWidget* tabs = w.form.Editor()->PageControl();
        next->setEnabled(true);  // as after an earlier run
        count->setText("64");
        bool checkedDuringMessage = false;
        w.dialogs.OnCall = [&](const ScriptedDialogService::Call&) {
            checkedDuringMessage = true;
            QVERIFY(lamp->isVisible());
            QCOMPARE(count->text(), QString());
            QVERIFY(!next->isEnabled());
            QVERIFY(!tabs->isEnabled());
        };
        QTest::mouseClick(compute, Qt::LeftButton);
        QVERIFY(checkedDuringMessage);
        QCOMPARE(w.dialogs.Transcript(),
                 QStringList{"Message: Panel - Typy ogólne: W każdej pozycji minimum jeden typ podstawowy !"});
        QCOMPARE(w.dialogs.Calls().first().title, QString("Kombinator"));
        QCOMPARE(count->text(), QString("0"));
        QVERIFY(lamp->isHidden());
        QVERIFY(tabs->isEnabled());
        QVERIFY(!next->isEnabled());
        QCOMPARE(w.form.State().CandidateCount, 0);
    }

    void PressReleasedOffTheComputeButtonPutsTheBarBack() {
        Window w;
        w.Action("Nowy1")->trigger();
        auto* compute = Find<QToolButton>(&w.form, "SpeedButton1");
        QWidget* next = w.Widget("SpeedButton2");
        QLabel* count = Find<QLabel>(&w.form, "Label15");
        next->setEnabled(true);
        count->setText("64");
        QTest::mousePress(compute, Qt::LeftButton);
        QVERIFY(w.Widget("Panel65")->isVisible());
        QCOMPARE(count->text(), QString());
        QVERIFY(!next->isEnabled());
        QTest::mouseRelease(compute, Qt::LeftButton, {}, QPoint(-20, -20));
        QVERIFY(testsupport::WaitUntil([&] { return w.Widget("Panel65")->isHidden(); }));
        QCOMPARE(count->text(), QString("64"));
        QVERIFY(next->isEnabled());
        QVERIFY(w.dialogs.Calls().isEmpty());
    }

    void FinalStageButtonSwitchesStagesAndAnyEditDisablesIt() {
        Window w;
        w.Action("Nowy1")->trigger();
        auto* next = Find<QToolButton>(&w.form, "SpeedButton2");
        QTest::mouseClick(next, Qt::LeftButton);  // disabled: nothing happens
        QCOMPARE(w.VisibleStage(), QString("Panel5"));
        next->setEnabled(true);  // as after a run with 1..30,000 candidates
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(w.VisibleStage(), QString("Panel73"));
        emit w.form.Final()->BackToEditor();
        QCOMPARE(w.VisibleStage(), QString("Panel5"));
        QVERIFY(next->isEnabled());  // coming back keeps the way forward open
        emit w.form.Editor()->UserChanged();
        QVERIFY(!next->isEnabled());
    }
};

QTEST_MAIN(TestTForm1)
#include "test_tform1.moc"
