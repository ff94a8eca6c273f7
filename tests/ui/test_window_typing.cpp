// Typing into the window as a user does: a click into a masked edit and the keys after it, the
// placeholder shown only while editing, Tab through the edits in screen order, and the menu's
// shortcuts taking precedence over an edit's own keys.

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include "support/scripted_dialog_service.h"
#include "support/start_directory.h"
#include "support/test_window.h"
#include "support/widget_helpers.h"
#include "ui/final_stage_widgets.h"
#include "ui/program_look.h"
#include "ui/tform1.h"

using testsupport::Find;
using Kind = ScriptedDialogService::Kind;

namespace {

// The real window on the final stage with an opened system of seven lines and the print panels
// open, active so that clicks give the focus as they would on a desktop.
struct Window : testsupport::TestWindow {
    Window() {
        QFile file(start.FilePath("seven.txt"));
        if (file.open(QIODevice::WriteOnly))
            for (int i = 0; i < 7; ++i) file.write("1-0  2-2  0-3  1-1  3-0  0-0  \r\n");
        file.close();
        dialogs.QueueFileName(file.fileName());
        form.Otwrz1Click();
        QTest::mouseClick(Edit<QWidget>("SpeedButton7"), Qt::LeftButton);
        QApplication::setActiveWindow(&form);
    }
    template <typename T = QLineEdit>
    T* Edit(const QString& name) {
        T* found = Find<T>(&form, name);
        if (!found) qWarning("no control %s", qPrintable(name));
        return found;
    }
    QString FocusName() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : ""; }
    // The line edits that Tab (or Shift+Tab) visits from `first`, in order, until it comes round.
    QStringList TabWalk(const QString& first, bool backwards) {
        Edit(first)->setFocus(Qt::OtherFocusReason);
        QStringList visited{first};
        for (int step = 0; step < 200; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                            backwards ? Qt::ShiftModifier : Qt::NoModifier);
            const QString name = FocusName();
            if (name == first) break;
            if (qobject_cast<QLineEdit*>(QApplication::focusWidget()) && !visited.contains(name)) visited << name;
        }
        return visited;
    }
};

}  // namespace

class TestWindowTyping : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ApplyProgramLook(*qobject_cast<QApplication*>(QCoreApplication::instance())); }

    // Wherever the user clicks, the digits typed next land in the edit, from its first place or
    // right after its last digit.
    void aClickThenTypingKeepsEveryDigit_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("before");
        QTest::addColumn<double>("clickAt");  // a fraction of the edit's width
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::newRow("print range, empty, centre") << "MaskEdit27" << "" << 0.5 << "120" << "120 ";
        QTest::newRow("print range, empty, right edge") << "MaskEdit28" << "" << 0.95 << "7" << "7   ";
        QTest::newRow("offset, past the last digit") << "MaskEdit46" << "5" << 0.9 << "0" << "50  ";
        QTest::newRow("offset, over a digit") << "MaskEdit22" << "12" << 0.02 << "9" << "92  ";
        QTest::newRow("simulation count, centre") << "MaskEdit13" << "" << 0.5 << "120" << "120 ";
        QTest::newRow("result, one place, centre") << "MaskEdit15" << "" << 0.5 << "1" << "1";
        QTest::newRow("result, one place, right edge") << "MaskEdit34" << "" << 0.95 << "3" << "3";
    }
    void aClickThenTypingKeepsEveryDigit() {
        QFETCH(QString, edit);
        QFETCH(QString, before);
        QFETCH(double, clickAt);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        QLineEdit* field = w.Edit(edit);
        QVERIFY(field && field->isVisible());
        field->setText(before);
        const QPoint at(static_cast<int>(field->width() * clickAt), field->height() / 2);
        QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(w.FocusName(), edit);
        QTest::keyClicks(field, typed);
        QCOMPARE(MaskedEditText(field), after);
    }

    // "_" marks the unfilled places only while the edit is being edited; a gap stays a gap.
    void placeholdersShowOnlyWhileEditing() {
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        QLineEdit* range = w.Edit("MaskEdit27");
        QLineEdit* count = w.Edit("MaskEdit13");
        QCOMPARE(range->displayText(), QString("    "));
        QTest::mouseClick(range, Qt::LeftButton);
        QCOMPARE(range->displayText(), QString("____"));
        QTest::keyClicks(range, "12");
        QCOMPARE(range->displayText(), QString("12__"));
        QTest::mouseClick(count, Qt::LeftButton);
        QCOMPARE(range->displayText(), QString("12  "));
        QCOMPARE(count->displayText(), QString("    "));  // its places are always plain blanks
        QCOMPARE(MaskedEditText(range), QString("12  "));

        range->setText("1 2");
        range->setFocus(Qt::TabFocusReason);
        QCOMPARE(range->displayText(), QString("1_2_"));
        count->setFocus(Qt::TabFocusReason);
        QCOMPARE(MaskedEditText(range), QString("1 2 "));
    }

    // Tab goes through the edits as they stand on screen, Shift+Tab the same way back.
    void tabFollowsTheScreen() {
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        // The optimiser's time limit stands in the guarantee box, above the simulation's edits.
        const QStringList screenOrder{"OptimiseSecondsEdit", "MaskEdit13", "MaskEdit14", "MaskEdit15", "MaskEdit16", "MaskEdit17",
                                      "MaskEdit18", "MaskEdit19", "MaskEdit20", "MaskEdit29", "MaskEdit30",
                                      "MaskEdit31", "MaskEdit32", "MaskEdit33", "MaskEdit34", "MaskEdit46",
                                      "MaskEdit21", "MaskEdit22", "MaskEdit23", "MaskEdit24", "MaskEdit25",
                                      "MaskEdit26", "MaskEdit27", "MaskEdit28"};
        QCOMPARE(w.TabWalk(screenOrder.first(), false), screenOrder);
        QStringList back(screenOrder.rbegin(), screenOrder.rend());
        QCOMPARE(w.TabWalk(back.first(), true), back);
    }

    // Ctrl+Z is "Zakończ" even while an edit has the focus; the edit's text is not undone.
    void menuShortcutsWinOverTheEditsKeys_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("call");
        QTest::newRow("Ctrl+Z in a print edit") << "MaskEdit27" << int(Qt::Key_Z)
                                                << "ConfirmationQuestion: Czy chcesz zakończyć prace z programem Kombinator ?";
        QTest::newRow("Ctrl+Z in a result edit") << "MaskEdit15" << int(Qt::Key_Z)
                                                 << "ConfirmationQuestion: Czy chcesz zakończyć prace z programem Kombinator ?";
        QTest::newRow("Ctrl+O in the simulation") << "MaskEdit13" << int(Qt::Key_O) << "OpenFileName: Pliki textowe(*.txt)|*.txt";
    }
    void menuShortcutsWinOverTheEditsKeys() {
        QFETCH(QString, edit);
        QFETCH(int, key);
        QFETCH(QString, call);
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        QLineEdit* field = w.Edit(edit);
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClicks(field, "1");
        const QString typed = MaskedEditText(field);
        w.dialogs.Clear();
        w.dialogs.QueueAnswer(false);
        QTest::keyClick(field, static_cast<Qt::Key>(key), Qt::ControlModifier);
        QCOMPARE(w.dialogs.Transcript(), QStringList{call});
        QCOMPARE(MaskedEditText(field), typed);
    }
};

QTEST_MAIN(TestWindowTyping)
#include "test_window_typing.moc"
