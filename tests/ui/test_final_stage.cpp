// The final stage as the user meets it: entering, the system list, saving and opening,
// the result check and the print panels.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QAbstractButton>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "support/files.h"
#include "support/scripted_dialog_service.h"
#include "support/stage_test.h"
#include "support/test_window.h"
#include "support/widget_helpers.h"
#include "ui/app_state.h"
#include "ui/final_stage.h"
#include "ui/guarantee_box.h"
#include "ui/print_box.h"
#include "ui/result_check_box.h"
#include "ui/simulation_box.h"
#include "ui/final_stage_widgets.h"
#include "ui/program_look.h"
#include "ui/sound_player.h"

using testsupport::ReadBytes;
using testsupport::Require;
using testsupport::WriteBytes;
using Kind = ScriptedDialogService::Kind;

namespace {

class RecordingSoundPlayer : public SoundPlayer {
public:
    void Play(const QString& path) override { played.append(path); }
    QStringList played;
};

QStringList Rows(const QAbstractItemView* list) {
    QStringList rows;
    const QAbstractItemModel* model = list->model();
    for (int i = 0; i < model->rowCount(); ++i) rows.append(model->index(i, 0).data().toString());
    return rows;
}

void SelectRow(QAbstractItemView* list, int row) { list->setCurrentIndex(list->model()->index(row, 0)); }

const QByteArray LineA = "1-0  2-2  0-3  1-1  3-0  0-0  ";
const QByteArray LineB = "1-0  2-2  0-3  1-1  3-0  0-1  ";
const QByteArray LineC = "1-0  2-2  0-3  1-1  3-1  0-1  ";

}  // namespace

class TestFinalStage : public testsupport::StageTest {
    Q_OBJECT

private:
    RecordingSoundPlayer sound;

    QString Text(const QString& name) { return W<QLabel>(name)->text(); }
    void SetCandidates(const QList<QByteArray>& lines) { testsupport::SetCandidates(*state, lines); }
    void TypeInto(const QString& name, const QString& text) {
        auto* edit = W<QLineEdit>(name);
        edit->clear();
        edit->setFocus();
        edit->setCursorPosition(0);
        // Typed key by key, so a blank leaves an unfilled place as it would for a user.
        for (QChar c : text) {
            if (c == ' ')
                edit->setCursorPosition(edit->cursorPosition() + 1);
            else
                QTest::keyClicks(edit, QString(c));
        }
    }
    void TypeResults(const QString& digits) {
        static const int numbers[12] = {15, 16, 17, 18, 19, 20, 29, 30, 31, 32, 33, 34};
        for (int i = 0; i < 12; ++i) {
            auto* edit = W<QLineEdit>(QString("MaskEdit%1").arg(numbers[i]));
            edit->setText(i < digits.size() && digits[i] != ' ' ? QString(digits[i]) : QString());
        }
    }

private slots:
    void initTestCase() { PrepareTests(); }

    void init() {
        MakeStage();
        stage->SetSoundPlayer(&sound);
        sound.played.clear();
    }

    void cleanup() { DropStage(); }

    void controlsCarryTheirCaptionsAndHints() {
        struct Caption {
            const char* name;
            const char* text;
        };
        const Caption labels[] = {{"StaticText32", " GENERATOR SYSTEMÓW"}, {"Label351", "Liczba kombinacji:"},
                                  {"Label352", "Limit czasowy:"},        {"Label353", "sek."},
                                  {"StaticText37", "Liczba kombinacji"},  {"StaticText38", "Wybrane rozw."},
                                  {"StaticText35", "Do zakończenia"},     {"Label350", "sek"},
                                  {"Label358", "     Lista "},            {"Label359", "    Kupon "},
                                  {"StaticText45", " Wydruk systemu "},   {"StaticText46", " Ustawienia "},
                                  {"Label361", "Poziome"},               {"Label362", "Pionowe"},
                                  {"Label370", "Potrzebnych blankietów :"}, {"Label372", "Od"},
                                  {"Label373", "Do"},                     {"StaticText48", "P 1"},
                                  {"StaticText53", "P 6"}};
        for (const Caption& c : labels) QCOMPARE(Text(c.name), QString(c.text));
        QCOMPARE(W<QToolButton>("SpeedButton3")->toolTip(), QString("Powrót do poprzedniego etapu"));
        QCOMPARE(W<QToolButton>("SpeedButton4")->toolTip(), QString("Zapis systemu"));
        QCOMPARE(W<QPushButton>("Button1")->text(), QString("Test"));
        QCOMPARE(W<QPushButton>("Button1")->toolTip(), QString("Kontrolny test wydruku"));
        QCOMPARE(W<QPushButton>("Button2")->text(), QString("Zapis"));
        QCOMPARE(W<QPushButton>("Button2")->toolTip(), QString("Zapis aktualnych ustawień"));
        QCOMPARE(W<QPushButton>("Button3")->text(), QString("Drukuj"));
        QCOMPARE(W<QPushButton>("Button3")->toolTip(), QString("Wydruk kuponów w podanym zakresie"));
        for (const char* name : {"BitBtn1", "BitBtn2", "BitBtn3"}) QCOMPARE(W<QPushButton>(name)->text(), QString("OK"));

        auto* group17 = W<RadioGroup>("RadioGroup17");
        const QStringList levels = {"system pełny - gw 6", "system skrócony - gw 5", "system skrócony - gw 4",
                                    "system skrócony - gw 3"};
        for (int i = 0; i < 4; ++i) QCOMPARE(group17->Item(i)->text(), levels[i]);
        auto* group18 = W<RadioGroup>("RadioGroup18");
        QCOMPARE(group18->Item(3)->text(), QString("rozwiązania różne o cztery"));
        auto* group19 = W<RadioGroup>("RadioGroup19");
        QCOMPARE(group19->ItemCount(), 4);
        QCOMPARE(group19->Item(2)->text(), QString("Z3"));
        QCOMPARE(group19->ItemIndex(), 0);

        QCOMPARE(W<QTimer>("Timer11")->interval(), 10);
        QCOMPARE(W<QTimer>("Timer12")->interval(), 1000);
        QVERIFY(!W<QTimer>("Timer11")->isActive());
        QCOMPARE(stage->size(), QSize(673, 481));
    }

    // Every caption fits its control in the program's font.
    void noCaptionIsClipped() {
        stage->EnterFromEditor();
        stage->show();
        stage->Printing().SpeedButton7Click();
        W("Panel80")->show();
        const QStringList clipped = testsupport::ClippedCaptions(stage.get());
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join("; ")));
        W("Panel80")->hide();
    }

    // No two controls of one panel overlap, except the print panels that cover the picture.
    void noControlsOverlap() {
        stage->EnterFromEditor();
        stage->show();
        stage->Printing().SpeedButton7Click();
        W("Panel80")->show();
        W("Panel82")->show();
        const QList<testsupport::OverlapAllowance> picture = {
            {"the print panels cover the coupon picture",
             [](const QWidget* a, const QWidget*) { return a->objectName() == "Image3"; }}};
        const QStringList overlaps = testsupport::OverlappingSiblings(stage.get(), picture);
        QVERIFY2(overlaps.isEmpty(), qPrintable(overlaps.join("; ")));
        W("Panel80")->hide();
        W("Panel82")->hide();
    }

    // Every reset step of entering, after a previous visit left things behind.
    void enteringResetsTheStage() {
        QVERIFY(OpenSystem(LineA + "\r\n" + LineB + "\r\n"));
        TypeResults("102203113000");
        stage->Results().BitBtn3Click();
        QCOMPARE(Text("Label354"), QString("1"));
        W<RadioGroup>("RadioGroup17")->SetItemIndex(2);
        W<RadioGroup>("RadioGroup18")->SetItemIndex(3);
        W<QLineEdit>("MaskEdit13")->setText("12");
        W<QLineEdit>("MaskEdit27")->setText("1");
        stage->Printing().SpeedButton7Click();
        SelectRow(W<QListView>("ListBox1"), 1);
        QCOMPARE(Text("Label348"), QString("2"));
        state->SystemSaved = 0;
        state->GeneratorBusy = 1;

        stage->EnterFromEditor();
        QCOMPARE(stage->SystemLineCount(), 0);
        QCOMPARE(W<QListView>("ListBox1")->model()->rowCount(), 0);
        for (const char* name : {"Label341", "Label346", "Label347", "Label348", "Label349", "Label354", "Label357"})
            QVERIFY2(Text(name).isEmpty(), name);
        QCOMPARE(W<RadioGroup>("RadioGroup17")->ItemIndex(), 0);
        QCOMPARE(W<RadioGroup>("RadioGroup18")->ItemIndex(), 0);
        for (const char* name : {"MaskEdit13", "MaskEdit14", "MaskEdit15", "MaskEdit34", "MaskEdit27", "MaskEdit28"})
            QVERIFY2(MaskedEditText(W<QLineEdit>(name)).trimmed().isEmpty(), name);
        for (const char* name : {"BitBtn1", "BitBtn2", "SpeedButton3", "SpeedButton4", "SpeedButton7", "BitBtn3"})
            QVERIFY2(W(name)->isEnabled(), name);
        for (const char* name : {"Panel80", "Panel89", "Panel90", "Panel82"}) QVERIFY2(W(name)->isHidden(), name);
        QCOMPARE(Text("Label371"), QString("0"));
        for (int i = 2; i <= 9; ++i) QCOMPARE(W<QListWidget>(QString("ListBox%1").arg(i))->count(), 0);
        QCOMPARE(state->SystemSaved, 1);
        QCOMPARE(state->GeneratorBusy, 0);
    }

    void selectingARowShowsItsNumber() {
        QVERIFY(OpenSystem(LineA + "\r\n" + LineB + "\r\n" + LineC + "\r\n"));
        auto* list = W<QListView>("ListBox1");
        list->setFocus();
        SelectRow(list, 0);
        QCOMPARE(Text("Label348"), QString("1"));
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(Text("Label348"), QString("3"));
    }

    // Opening reads CR LF, LF, CR and unterminated lines alike, keeps empty middle lines and
    // stops at a NUL byte; it leaves only checking and printing available.
    void openingReadsEveryLineEnd_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        const QStringList abc = {LineA, LineB, LineC};
        QTest::newRow("CR LF") << LineA + "\r\n" + LineB + "\r\n" + LineC + "\r\n" << abc;
        QTest::newRow("LF") << LineA + "\n" + LineB + "\n" + LineC + "\n" << abc;
        QTest::newRow("no end after last") << LineA + "\r\n" + LineB + "\r\n" + LineC << abc;
        QTest::newRow("CR alone") << LineA + "\r" + LineB + "\r" + LineC << abc;
        QTest::newRow("empty middle line") << LineA + "\r\n\r\n" + LineC + "\r\n" << QStringList{LineA, "", LineC};
        QTest::newRow("NUL ends the text") << LineA + "\r\n" + LineB + QByteArray("\0\r\nxx", 5)
                                           << QStringList{LineA, LineB};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
    }
    void openingReadsEveryLineEnd() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        stage->EnterFromEditor();
        QVERIFY(OpenSystem(bytes));
        QCOMPARE(Rows(W<QListView>("ListBox1")), lines);
        QCOMPARE(Text("Label347"), QString::number(lines.size()));
        QCOMPARE(dialogs->Calls().size(), 1);
        QCOMPARE(dialogs->Calls()[0].text, QString("Pliki textowe(*.txt)|*.txt"));
        QCOMPARE(dialogs->Calls()[0].title, QString("txt"));
        for (const char* name : {"SpeedButton3", "SpeedButton4", "BitBtn1", "BitBtn2"})
            QVERIFY2(!W(name)->isEnabled(), name);
        for (const char* name : {"BitBtn3", "SpeedButton7"}) QVERIFY2(W(name)->isEnabled(), name);
    }

    // A file that cannot be read leaves the current system, its labels and buttons as they were.
    void openingAMissingFileKeepsTheSystem() {
        stage->EnterFromEditor();
        QVERIFY(OpenSystem(LineA + "\r\n" + LineB + "\r\n"));
        SelectRow(W<QListView>("ListBox1"), 1);
        dialogs->Clear();
        dialogs->QueueFileName(dir.filePath("no such file.txt"));
        QVERIFY(!stage->OpenSystemFileFromDialog());
        QCOMPARE(dialogs->Texts(Kind::Error), QStringList{"Cannot open file " + dir.filePath("no such file.txt")});
        QCOMPARE(stage->SystemLineCount(), 2);
        QCOMPARE(W<QListView>("ListBox1")->model()->rowCount(), 2);
        QCOMPARE(Text("Label347"), QString("2"));
        QCOMPARE(Text("Label348"), QString("2"));

        dialogs->Clear();
        QVERIFY(!stage->OpenSystemFileFromDialog());  // cancelled
        QCOMPARE(stage->SystemLineCount(), 2);
    }

    void savingWritesTheListAndSetsTheFlag() {
        QVERIFY(OpenSystem(LineA + "\n" + LineB + "\n" + LineC));
        // An opened system cannot be saved from the button; enabling it shows the writing.
        W<QToolButton>("SpeedButton4")->setEnabled(true);
        state->SystemSaved = 0;
        const QString target = dir.filePath("saved.txt");
        dialogs->Clear();
        dialogs->QueueFileName(target);
        stage->SpeedButton4Click();
        QCOMPARE(ReadBytes(target), LineA + "\r\n" + LineB + "\r\n" + LineC + "\r\n");
        QCOMPARE(dialogs->Calls()[0].text, QString("Plik textowy(*.txt)|*.txt"));
        QCOMPARE(state->SystemSaved, 1);

        // A cancelled dialog writes nothing but the system counts as saved.
        state->SystemSaved = 0;
        stage->SpeedButton4Click();
        QCOMPARE(state->SystemSaved, 1);

        // A file that cannot be created is reported and the system stays unsaved.
        state->SystemSaved = 0;
        const QString bad = dir.filePath("missing folder/x.txt");
        dialogs->Clear();
        dialogs->QueueFileName(bad);
        stage->SpeedButton4Click();
        QCOMPARE(dialogs->Texts(Kind::Error), QStringList{"Cannot create file " + bad});
        QCOMPARE(state->SystemSaved, 0);
    }

    void savingAnEmptyListIsRefused() {
        stage->EnterFromEditor();
        stage->SpeedButton4Click();
        QCOMPARE(dialogs->Transcript(), QStringList{"Message: Co chcesz zapisywać ? Lista jest pusta ! "});
        QCOMPARE(state->SystemSaved, 1);
    }

    // OfferSystemSave asks only for an unsaved, non-empty list; any answer marks it saved,
    // except a file that cannot be created, which stops the calling command.
    void offerSystemSaveAsksOnlyWhenSomethingWouldBeLost() {
        stage->EnterFromEditor();
        state->SystemSaved = 0;
        QVERIFY(stage->OfferSystemSave());
        QVERIFY(dialogs->Calls().isEmpty());  // empty list

        QVERIFY(OpenSystem(LineA + "\r\n"));
        dialogs->Clear();
        state->SystemSaved = 0;
        dialogs->QueueAnswer(false);
        QVERIFY(stage->OfferSystemSave());
        QCOMPARE(dialogs->Transcript(), QStringList{"ConfirmationQuestion: Zapisać ostatni wygenerowany system ?"});
        QCOMPARE(state->SystemSaved, 1);
        QVERIFY(stage->OfferSystemSave());  // asked once per system
        QCOMPARE(dialogs->Calls().size(), 1);

        dialogs->Clear();
        state->SystemSaved = 0;
        dialogs->QueueAnswer(true);
        dialogs->QueueFileName(dir.filePath("missing folder/y.txt"));
        QVERIFY(!stage->OfferSystemSave());
        QCOMPARE(state->SystemSaved, 0);

        dialogs->Clear();
        dialogs->QueueAnswer(true);
        dialogs->QueueFileName(dir.filePath("offered.txt"));
        QVERIFY(stage->OfferSystemSave());
        QCOMPARE(ReadBytes(dir.filePath("offered.txt")), LineA + "\r\n");
        QCOMPARE(state->SystemSaved, 1);
    }

    // The check's refusals leave earlier results on screen.
    void resultCheckRefusesIncompleteOrTooHighResults() {
        QVERIFY(OpenSystem(LineA + "\r\n"));
        TypeResults("102203113000");
        stage->Results().BitBtn3Click();
        QCOMPARE(Text("Label354"), QString("1"));
        QCOMPARE(Rows(W<QListWidget>("ListBox2")), QStringList{"1"});

        struct Case {
            const char* results;
            const char* message;
        };
        const Case cases[] = {
            {"10220311300 ", "Wprowadź najpierw wszystkie wyniki !"},
            {"4022 3113000", "Wprowadź najpierw wszystkie wyniki !"},  // an empty edit wins over a 4
            {"102203113004", "Liczba bramek w każdej pozycji nie może przekraczać trzech  !"},
            {"902203113000", "Liczba bramek w każdej pozycji nie może przekraczać trzech  !"},
        };
        for (const Case& c : cases) {
            dialogs->Clear();
            TypeResults(c.results);
            stage->Results().BitBtn3Click();
            QCOMPARE(dialogs->Transcript(), QStringList{QString("Message: ") + c.message});
            QCOMPARE(Text("Label354"), QString("1"));
            QCOMPARE(Rows(W<QListWidget>("ListBox2")), QStringList{"1"});
        }
        QCOMPARE(sound.played.size(), 1);
    }

    // Hits in every column, each line in the column of its hit count, with its coupon and row.
    void resultCheckListsHitsPerColumn() {
        // Results 1-0 2-2 0-3 1-1 3-0 0-0.
        const QByteArray six = LineA;
        const QByteArray five = "1-0  2-2  0-3  1-1  3-0  0-1  ";
        const QByteArray four = "1-0  2-2  0-3  1-1  3-1  0-1  ";
        const QByteArray three = "1-0  2-2  0-3  2-1  3-1  0-1  ";
        const QByteArray signOnly = "2-1  3-3  1-3  0-1  1-1  2-1  ";  // same signs, no exact score
        const QByteArray file =
            four + "\r\n" + signOnly + "\r\n" + three + "\r\n" + five + "\r\n" + four + "\r\n" + four + "\r\n" + six;
        QVERIFY(OpenSystem(file));
        TypeResults("102203113000");
        stage->Results().BitBtn3Click();
        QVERIFY(dialogs->Texts(Kind::Message).isEmpty());
        QCOMPARE(Text("Label354"), QString("1"));
        QCOMPARE(Text("Label355"), QString("1"));
        QCOMPARE(Text("Label356"), QString("3"));
        QCOMPARE(Text("Label357"), QString("1"));
        QCOMPARE(Rows(W<QListWidget>("ListBox2")), QStringList{"7"});
        QCOMPARE(Rows(W<QListWidget>("ListBox6")), QStringList{"2.2"});
        QCOMPARE(Rows(W<QListWidget>("ListBox3")), QStringList{"4"});
        QCOMPARE(Rows(W<QListWidget>("ListBox7")), QStringList{"1.4"});
        QCOMPARE(Rows(W<QListWidget>("ListBox4")), (QStringList{"1", "5", "6"}));
        QCOMPARE(Rows(W<QListWidget>("ListBox8")), (QStringList{"1.1", "1.5", "2.1"}));
        QCOMPARE(Rows(W<QListWidget>("ListBox5")), QStringList{"3"});
        QCOMPARE(Rows(W<QListWidget>("ListBox9")), QStringList{"1.3"});
        QCOMPARE(sound.played, QStringList{QDir(dir.path()).filePath("Gong.wav")});
        QCOMPARE(QDir::currentPath(), QDir(dir.path()).absolutePath());
        testsupport::SaveScreenshot(stage.get(), "final_stage_checked");
    }

    // A start folder that is gone: the counters are shown, then the report, and no sound.
    void aMissingStartFolderIsReported() {
        QVERIFY(OpenSystem(LineA + "\r\n"));
        state->StartDirectory = dir.filePath("gone");
        TypeResults("102203113000");
        stage->Results().BitBtn3Click();
        QCOMPARE(Text("Label354"), QString("1"));
        QCOMPARE(dialogs->Texts(Kind::Error), QStringList{"I/O error 2"});
        QVERIFY(sound.played.isEmpty());

        dialogs->Clear();
        for (const char* name : {"MaskEdit46", "MaskEdit21", "MaskEdit23", "MaskEdit24", "MaskEdit25", "MaskEdit26",
                                 "MaskEdit22"})
            W<QLineEdit>(name)->setText("5");
        dialogs->QueueAnswer(true);
        stage->Printing().Button2Click();
        QCOMPARE(dialogs->Texts(Kind::Error), QStringList{"I/O error 2"});
        QVERIFY(!QFile::exists(dir.filePath("gone/PX1.txt")));
    }

    void resultCheckOfAnEmptyListShowsZeros() {
        stage->EnterFromEditor();
        TypeResults("000000000000");
        stage->Results().BitBtn3Click();
        for (const char* name : {"Label354", "Label355", "Label356", "Label357"}) QCOMPARE(Text(name), QString("0"));
        QVERIFY(sound.played.isEmpty());
    }

    // A line that is not a SystemLine stops the check with the conversion report, before any
    // list or counter changes.
    void resultCheckStopsAtABadLine() {
        QVERIFY(OpenSystem(LineA + "\r\n" + LineC + "\r\n" + "1-0  2-2  0-3  1-x\r\n" + LineA + "\r\n"));
        TypeResults("102203113000");
        stage->Results().BitBtn3Click();
        QCOMPARE(dialogs->Texts(Kind::Error), QStringList{"'x' is not a valid integer value"});
        QCOMPARE(W<QListWidget>("ListBox2")->count(), 0);
        QCOMPARE(W<QListWidget>("ListBox4")->count(), 0);
        QVERIFY(Text("Label354").isEmpty());
        QVERIFY(sound.played.isEmpty());

        dialogs->Clear();
        QVERIFY(OpenSystem(LineA.left(20) + "\r\n"));
        TypeResults("102203113000");
        stage->Results().BitBtn3Click();
        QCOMPARE(dialogs->Texts(Kind::Error), QStringList{"'' is not a valid integer value"});
    }

    // Level 6 lists the candidates; the reductions keep a candidate only when no earlier member
    // shares the level's number of exact scores with it.
    void guaranteeSystemsAtEachLevel_data() {
        QTest::addColumn<int>("itemIndex");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("gw 6") << 0 << QStringList{LineA, LineB, LineC};
        QTest::newRow("gw 5") << 1 << QStringList{LineA, LineC};
        QTest::newRow("gw 4") << 2 << QStringList{LineA};
        QTest::newRow("gw 3") << 3 << QStringList{LineA};
    }
    void guaranteeSystemsAtEachLevel() {
        QFETCH(int, itemIndex);
        QFETCH(QStringList, lines);
        SetCandidates({LineA, LineB, LineC});
        stage->EnterFromEditor();
        W<RadioGroup>("RadioGroup17")->SetItemIndex(itemIndex);
        for (int round = 0; round < 2; ++round) {  // a second click gives the same system
            stage->Guarantee().BitBtn1Click();
            QCOMPARE(Rows(W<QListView>("ListBox1")), lines);
            QCOMPARE(Text("Label347"), QString::number(lines.size()));
            QVERIFY(Text("Label348").isEmpty());
            QCOMPARE(state->SystemSaved, 0);
            QVERIFY(W("Panel82")->isHidden());
            for (const char* name : {"SpeedButton3", "SpeedButton4", "BitBtn1", "BitBtn2", "Panel77", "Panel79",
                                     "BitBtn3", "SpeedButton7"})
                QVERIFY2(W(name)->isEnabled(), name);
        }
        QVERIFY(dialogs->Calls().isEmpty());
    }

    // Going back asks the save question only for an unsaved, non-empty system.
    void goingBackOffersToSaveANewSystem() {
        SetCandidates({LineA, LineB});
        stage->EnterFromEditor();
        QSignalSpy back(stage.get(), &FinalStage::BackToEditor);
        stage->SpeedButton3Click();
        QCOMPARE(back.count(), 1);
        QVERIFY(dialogs->Calls().isEmpty());

        stage->EnterFromEditor();
        stage->Guarantee().BitBtn1Click();
        dialogs->QueueAnswer(true);
        dialogs->QueueFileName(dir.filePath("back.txt"));
        stage->SpeedButton3Click();
        QCOMPARE(back.count(), 2);
        QCOMPARE(dialogs->Texts(Kind::ConfirmationQuestion), QStringList{"Zapisać ostatni wygenerowany system ?"});
        QCOMPARE(ReadBytes(dir.filePath("back.txt")), LineA + "\r\n" + LineB + "\r\n");
        QCOMPARE(state->SystemSaved, 1);
        QCOMPARE(stage->SystemLineCount(), 2);  // going back keeps the list

        // Answered once: not asked again for the same system.
        dialogs->Clear();
        stage->SpeedButton3Click();
        QCOMPARE(back.count(), 3);
        QVERIFY(dialogs->Calls().isEmpty());

        // A save file that cannot be created keeps the stage and the question for next time.
        stage->Guarantee().BitBtn1Click();
        dialogs->QueueAnswer(true);
        dialogs->QueueFileName(dir.filePath("missing folder/back.txt"));
        stage->SpeedButton3Click();
        QCOMPARE(back.count(), 3);
        QCOMPARE(state->SystemSaved, 0);
        dialogs->Clear();
        dialogs->QueueAnswer(false);
        stage->SpeedButton3Click();
        QCOMPARE(back.count(), 4);
        QCOMPARE(dialogs->Texts(Kind::ConfirmationQuestion).size(), 1);
    }

    // The print panels open and close together; opening recomputes the blanks needed.
    void printPanelsToggleAndCountBlanks() {
        QByteArray seven;
        for (int i = 0; i < 7; ++i) seven += LineA + "\r\n";
        QVERIFY(OpenSystem(seven));
        stage->show();
        stage->Printing().SpeedButton7Click();
        QVERIFY(W("Panel89")->isVisible());
        QVERIFY(W("Panel90")->isVisible());
        QCOMPARE(Text("Label371"), QString("2"));
        stage->Printing().SpeedButton7Click();
        QVERIFY(!W("Panel89")->isVisible());
        QVERIFY(!W("Panel90")->isVisible());
        QVERIFY(OpenSystem(seven + seven + LineA));  // 15 lines
        stage->Printing().SpeedButton7Click();
        QCOMPARE(Text("Label371"), QString("3"));
    }

    // "Zapis" checks the edits in order, asks, and writes the seven files into the start folder
    // whatever the current folder is.
    void savingPrintSettingsWritesSevenFiles() {
        stage->EnterFromEditor();
        const char* editNames[7] = {"MaskEdit46", "MaskEdit21", "MaskEdit23", "MaskEdit24",
                                    "MaskEdit25", "MaskEdit26", "MaskEdit22"};
        const char* values[7] = {"120", "50", "300", "40", "15", "60", "100"};
        const char* files[7] = {"PX1.txt", "X1X2.txt", "PY1.txt", "Y1Y2.txt", "PYK.txt", "PYZ.txt", "PNR.txt"};
        // PY1 empty: only its message, whatever the later edits hold.
        W<QLineEdit>(editNames[0])->setText(values[0]);
        W<QLineEdit>(editNames[1])->setText(values[1]);
        stage->Printing().Button2Click();
        QCOMPARE(dialogs->Transcript(), QStringList{"Message: Nie ustalona pozycja wydruku: PY1 !"});

        for (int i = 2; i < 7; ++i) W<QLineEdit>(editNames[i])->setText(values[i]);
        dialogs->Clear();
        stage->Printing().Button2Click();  // answered No: nothing written
        QCOMPARE(dialogs->Transcript(), QStringList{"ConfirmationQuestion: Zapisać aktualne ustawienia ?"});
        QVERIFY(!QFile::exists(dir.filePath("PX1.txt")));

        QTemporaryDir elsewhere;
        QVERIFY(QDir::setCurrent(elsewhere.path()));
        dialogs->QueueAnswer(true);
        stage->Printing().Button2Click();
        for (int i = 0; i < 7; ++i) QCOMPARE(ReadBytes(dir.filePath(files[i])), QByteArray(values[i]) + "\r\n");
        QCOMPARE(QDir::currentPath(), QDir(dir.path()).absolutePath());

        // The next start reads them back into the edits.
        AppState other;
        ScriptedDialogService otherDialogs;
        FinalStage next(other, otherDialogs);
        QVERIFY(next.LoadPrintSettings());
        for (int i = 0; i < 7; ++i)
            QCOMPARE(MaskedEditText(Require<QLineEdit>(&next, editNames[i])).trimmed(), QString(values[i]));
        QVERIFY(otherDialogs.Calls().isEmpty());
    }

    // A faulty offset file stops the loading with its report; the later edits stay blank.
    void loadingPrintSettingsStopsAtTheFirstFault() {
        QVERIFY(QDir::setCurrent(dir.path()));
        WriteBytes(dir.filePath("PX1.txt"), " 75\r\n");
        WriteBytes(dir.filePath("X1X2.txt"), "75 \r\n");
        QFile::remove(dir.filePath("PY1.txt"));
        QVERIFY(!stage->LoadPrintSettings());
        QCOMPARE(dialogs->Texts(Kind::Error), QStringList{"'75 ' is not a valid integer value"});
        QCOMPARE(MaskedEditText(W<QLineEdit>("MaskEdit46")).trimmed(), QString("75"));
        QVERIFY(MaskedEditText(W<QLineEdit>("MaskEdit23")).trimmed().isEmpty());
        for (const char* name : {"PX1.txt", "X1X2.txt"}) QFile::remove(dir.filePath(name));
    }

    // A gap between typed digits is not a number, as the user sees it.
    void aGapInAMaskedEditIsNotANumber() {
        auto* edit = W<QLineEdit>("MaskEdit46");
        edit->setFocus();
        edit->setCursorPosition(0);
        QTest::keyClicks(edit, "1");
        edit->setCursorPosition(2);
        QTest::keyClicks(edit, "2");
        QCOMPARE(MaskedEditText(edit), QString("1 2 "));
        stage->Printing().Button2Click();
        QCOMPARE(dialogs->Texts(Kind::Error), QStringList{"'1 2' is not a valid integer value"});
    }

    // Empty edits are named, a 0 starts nothing silently, a gap is the conversion report; a
    // refused start leaves the list and the flags alone.
    void simulationStartIsChecked_data() {
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("seconds");
        QTest::addColumn<QStringList>("transcript");
        QTest::newRow("no count") << "" << "5" << QStringList{"Message: Nie ustalona liczba kombinacji w systemie !"};
        QTest::newRow("no limit") << "3" << "" << QStringList{"Message: Nie ustalony limit czasu pracy generatora !"};
        QTest::newRow("count 0, limit not read") << "0" << "" << QStringList{};
        QTest::newRow("limit 0") << "3" << "0" << QStringList{};
        QTest::newRow("gap in count") << "1 2" << "5" << QStringList{"Error: '1 2' is not a valid integer value"};
    }
    void simulationStartIsChecked() {
        QFETCH(QString, count);
        QFETCH(QString, seconds);
        QFETCH(QStringList, transcript);
        SetCandidates({LineA, LineB});
        stage->EnterFromEditor();
        stage->Guarantee().BitBtn1Click();
        TypeInto("MaskEdit13", count);
        TypeInto("MaskEdit14", seconds);
        stage->Simulator().BitBtn2Click();
        QCOMPARE(dialogs->Transcript(), transcript);
        QVERIFY(!W<QTimer>("Timer11")->isActive());
        QCOMPARE(state->GeneratorBusy, 0);
        QCOMPARE(stage->SystemLineCount(), 2);
        QVERIFY(W("BitBtn1")->isEnabled());
    }

    // One candidate, target 1: accepted on the first draw, finished on the next draw tick.
    void simulationRunsToItsTarget() {
        SetCandidates({LineA});
        stage->EnterFromEditor();
        stage->show();
        stage->Guarantee().BitBtn1Click();  // an unsaved system is replaced without a question
        TypeInto("MaskEdit13", "1");
        TypeInto("MaskEdit14", "5");
        stage->Simulator().BitBtn2Click();
        QVERIFY(dialogs->Calls().isEmpty());
        QCOMPARE(stage->SystemLineCount(), 0);
        QCOMPARE(state->GeneratorBusy, 1);
        QVERIFY(W<QTimer>("Timer11")->isActive() && W<QTimer>("Timer12")->isActive());
        QCOMPARE(Text("Label347"), QString("0"));
        QCOMPARE(Text("Label349"), QString("5"));
        QVERIFY(W("Panel80")->isVisible());
        for (const char* name : {"SpeedButton4", "BitBtn1", "BitBtn2", "Panel77", "Panel79", "BitBtn3", "SpeedButton7"})
            QVERIFY2(!W(name)->isEnabled(), name);
        QVERIFY(W("SpeedButton3")->isEnabled());

        stage->Simulator().Timer11Timer();
        QCOMPARE(Rows(W<QListView>("ListBox1")), QStringList{LineA});
        QCOMPARE(Text("Label347"), QString("1"));
        const QStringList drawn = {"1 - 0", "2 - 2", "0 - 3", "1 - 1", "3 - 0", "0 - 0"};
        for (int p = 0; p < 6; ++p) QCOMPARE(Text(QString("Label%1").arg(341 + p)), drawn[p]);
        testsupport::SaveScreenshot(stage.get(), "final_stage_simulation");
        QCOMPARE(state->GeneratorBusy, 1);

        stage->Simulator().Timer11Timer();
        QCOMPARE(state->GeneratorBusy, 0);
        QCOMPARE(state->SystemSaved, 0);
        QVERIFY(!W<QTimer>("Timer11")->isActive() && !W<QTimer>("Timer12")->isActive());
        QVERIFY(!W("Panel80")->isVisible());
        for (const char* name : {"SpeedButton4", "BitBtn1", "BitBtn2", "Panel77", "Panel79", "BitBtn3", "SpeedButton7"})
            QVERIFY2(W(name)->isEnabled(), name);
        QCOMPARE(stage->SystemLineCount(), 1);

        // The finished system is offered for saving when going back.
        dialogs->QueueAnswer(false);
        stage->SpeedButton3Click();
        QCOMPARE(dialogs->Texts(Kind::ConfirmationQuestion), QStringList{"Zapisać ostatni wygenerowany system ?"});
    }

    // One candidate, target 2, one second: later draws repeat the candidate and are rejected;
    // the countdown shows 1, then 0, and the run ends at the following tick with one line.
    void simulationEndsAtItsTimeLimit() {
        SetCandidates({LineA});
        stage->EnterFromEditor();
        TypeInto("MaskEdit13", "2");
        TypeInto("MaskEdit14", "1");
        stage->Simulator().BitBtn2Click();
        QCOMPARE(Text("Label349"), QString("1"));
        for (int i = 0; i < 20; ++i) stage->Simulator().Timer11Timer();
        QCOMPARE(stage->SystemLineCount(), 1);
        stage->Simulator().Timer12Timer();
        QCOMPARE(Text("Label349"), QString("0"));
        QCOMPARE(state->GeneratorBusy, 1);
        stage->Simulator().Timer12Timer();
        QCOMPARE(state->GeneratorBusy, 0);
        QCOMPARE(Text("Label349"), QString("0"));
        QCOMPARE(Text("Label347"), QString("1"));
        QCOMPARE(state->SystemSaved, 0);
        QVERIFY(!W<QTimer>("Timer11")->isActive());
    }

    // With "rozwiązania różne o cztery" any two kept lines share at most two exact scores.
    void simulationKeepsLinesFarEnoughApart() {
        QList<QByteArray> candidates;
        std::uint32_t seed = 12345;
        for (int i = 0; i < 300; ++i) {
            QByteArray line;
            for (int p = 0; p < 6; ++p) {
                seed = seed * 1103515245u + 12345u;
                const int score = static_cast<int>((seed >> 16) % 16);
                line += QByteArray::number(score / 4) + "-" + QByteArray::number(score % 4) + "  ";
            }
            candidates.append(line);
        }
        SetCandidates(candidates);
        stage->EnterFromEditor();
        W<RadioGroup>("RadioGroup18")->SetItemIndex(3);
        TypeInto("MaskEdit13", "9999");
        TypeInto("MaskEdit14", "60");
        stage->Simulator().BitBtn2Click();
        for (int i = 0; i < 2000; ++i) stage->Simulator().Timer11Timer();
        const std::vector<std::string>& lines = stage->SystemList();
        QVERIFY(lines.size() > 5);
        for (std::size_t a = 0; a < lines.size(); ++a)
            for (std::size_t b = a + 1; b < lines.size(); ++b) {
                int same = 0;
                for (int p = 0; p < 6; ++p) same += lines[a].substr(5 * p, 3) == lines[b].substr(5 * p, 3) ? 1 : 0;
                QVERIFY2(same <= 2, (lines[a] + " / " + lines[b]).c_str());
            }
        QCOMPARE(Text("Label347"), QString::number(lines.size()));
        stage->StopSimulation();
    }

    // The back button's question: No keeps the run going; Yes stops it and goes back without
    // offering the drawn lines, even when an unsaved system was there before the run.
    void goingBackDuringASimulation() {
        SetCandidates({LineA, LineB, LineC});
        stage->EnterFromEditor();
        stage->Guarantee().BitBtn1Click();
        QCOMPARE(state->SystemSaved, 0);
        TypeInto("MaskEdit13", "3");
        TypeInto("MaskEdit14", "100");
        stage->Simulator().BitBtn2Click();
        stage->Simulator().Timer11Timer();
        QSignalSpy back(stage.get(), &FinalStage::BackToEditor);

        dialogs->QueueAnswer(false);
        stage->SpeedButton3Click();
        QCOMPARE(dialogs->Transcript(),
                 QStringList{"WarningQuestion: Generator jest obecnie w trakcie obliczeń ! Czy rzeczywiście chcesz "
                             "teraz edytować dane ?"});
        QCOMPARE(back.count(), 0);
        QCOMPARE(state->GeneratorBusy, 1);
        QVERIFY(W<QTimer>("Timer11")->isActive());

        dialogs->Clear();
        dialogs->QueueAnswer(true);
        stage->SpeedButton3Click();
        QCOMPARE(dialogs->Calls().size(), 1);
        QCOMPARE(back.count(), 1);
        QCOMPARE(state->GeneratorBusy, 0);
        QCOMPARE(state->SystemSaved, 1);
        QVERIFY(!W<QTimer>("Timer11")->isActive() && !W<QTimer>("Timer12")->isActive());
        QVERIFY(W("Panel77")->isEnabled() && W("Panel79")->isEnabled());
        QCOMPARE(stage->SystemLineCount(), 1);
    }

    // The question is modal and the run goes on under it; when the run finished before the
    // answer, the finished system is offered for saving instead of being dropped.
    void aRunThatEndsWhileTheQuestionIsOpen() {
        class TickingDialogs : public ScriptedDialogService {
        public:
            FinalStage* stage = nullptr;
            bool WarningQuestion(const QString& text) override {
                for (int i = 0; i < 5; ++i) stage->Simulator().Timer11Timer();
                return ScriptedDialogService::WarningQuestion(text);
            }
        } ticking;
        FinalStage local(*state, ticking);
        ticking.stage = &local;
        SetCandidates({LineA});
        local.EnterFromEditor();
        Require<QLineEdit>(&local, "MaskEdit13")->setText("1");
        Require<QLineEdit>(&local, "MaskEdit14")->setText("9");
        local.Simulator().BitBtn2Click();
        QSignalSpy back(&local, &FinalStage::BackToEditor);
        ticking.QueueAnswers({true, false});
        local.SpeedButton3Click();
        QCOMPARE(ticking.Texts(Kind::ConfirmationQuestion), QStringList{"Zapisać ostatni wygenerowany system ?"});
        QCOMPARE(back.count(), 1);
        QCOMPARE(local.SystemLineCount(), 1);
        QCOMPARE(state->SystemSaved, 1);
    }

    // The "Yes" of "Nowy", "Otwórz", "Zakończ" and the window close: the run stops, the flag of
    // the earlier system stays, and the stage is usable again if it stays on screen.
    void stoppingASimulationFromTheMenus() {
        SetCandidates({LineA, LineB, LineC});
        stage->EnterFromEditor();
        stage->show();
        TypeInto("MaskEdit13", "3");
        TypeInto("MaskEdit14", "100");
        stage->Simulator().BitBtn2Click();
        stage->Simulator().Timer11Timer();
        stage->StopSimulation();
        QCOMPARE(state->GeneratorBusy, 0);
        QCOMPARE(state->SystemSaved, 1);
        QVERIFY(!W<QTimer>("Timer11")->isActive() && !W<QTimer>("Timer12")->isActive());
        QVERIFY(!W("Panel80")->isVisible());
        for (const char* name : {"Panel77", "Panel79", "BitBtn1", "BitBtn2", "SpeedButton4", "BitBtn3", "SpeedButton7"})
            QVERIFY2(W(name)->isEnabled(), name);
        stage->Simulator().Timer11Timer();  // a tick already queued changes nothing
        QCOMPARE(stage->SystemLineCount(), 1);
    }

    // The real timers drive a run to its end without help.
    void simulationRunsOnItsTimers() {
        SetCandidates({LineA});
        stage->EnterFromEditor();
        TypeInto("MaskEdit13", "1");
        TypeInto("MaskEdit14", "30");
        stage->Simulator().BitBtn2Click();
        QVERIFY(testsupport::WaitUntil([&] { return state->GeneratorBusy == 0; }, 5000));
        QCOMPARE(stage->SystemLineCount(), 1);
    }

    // The real player stays silent for a missing or unplayable gong and never blocks.
    void theGongIsSilentWhenItCannotPlay() {
        QtSoundPlayer player;
        player.Play(dir.filePath("no Gong.wav"));
        WriteBytes(dir.filePath("Gong.wav"), "not a wave file");
        player.Play(dir.filePath("Gong.wav"));
        player.Play(dir.filePath("Gong.wav"));
        QTest::qWait(50);
        QFile::remove(dir.filePath("Gong.wav"));
    }

    void screenshots() {
        stage->EnterFromEditor();
        stage->show();
        testsupport::SaveScreenshot(stage.get(), "final_stage_empty");
        QByteArray seven;
        const QByteArray lines[7] = {LineA, LineB, LineC, "3-3  0-0  1-2  2-1  0-3  3-0  ",
                                     "2-0  1-3  3-2  0-0  2-2  1-1  ", "0-1  3-1  2-3  3-3  1-0  2-0  ",
                                     "1-1  0-2  3-3  1-0  0-0  3-2  "};
        for (const QByteArray& line : lines) seven += line + "\r\n";
        QVERIFY(OpenSystem(seven));
        SelectRow(W<QListView>("ListBox1"), 2);
        testsupport::SaveScreenshot(stage.get(), "final_stage_seven_lines");
        stage->Printing().SpeedButton7Click();
        testsupport::SaveScreenshot(stage.get(), "final_stage_print_panels");
    }
};

QTEST_MAIN(TestFinalStage)
#include "test_final_stage.moc"
