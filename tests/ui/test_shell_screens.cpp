// How the shell looks: screenshots of the intro, the editor's bottom bar and the about box,
// and no text of theirs cut off by its control.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>

#include "support/scripted_dialog_service.h"
#include "support/start_directory.h"
#include "support/widget_helpers.h"
#include "ui/about_box.h"
#include "ui/intro_screen.h"
#include "ui/program_look.h"
#include "ui/tform1.h"

namespace {

// Labels under `root` whose one-line text is wider or taller than the room the label gives it.
QStringList ClippedLabels(QWidget* root) {
    QStringList clipped;
    for (QLabel* label : root->findChildren<QLabel*>()) {
        if (label->text().isEmpty() || !label->pixmap().isNull()) continue;
        const QRect room = label->contentsRect();
        const QFontMetrics metrics(label->font());
        const QRect needed =
            metrics.boundingRect(room, int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0),
                                 label->text());
        if (needed.width() > room.width() || needed.height() > room.height())
            clipped << QString("%1 needs %2x%3, has %4x%5")
                           .arg(label->objectName())
                           .arg(needed.width())
                           .arg(needed.height())
                           .arg(room.width())
                           .arg(room.height());
    }
    return clipped;
}

}  // namespace

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
        const QStringList clipped = ClippedLabels(form.Intro());
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
        const QStringList clipped = ClippedLabels(testsupport::Find<QWidget>(&form, "BottomBar"));
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join("; ")));
    }

    void AboutBoxShowsEveryTextWhole() {
        testsupport::StartDirectory start;
        ScriptedDialogService dialogs;
        TForm1 form(&dialogs);
        form.Programinfo1Click();
        QVERIFY(!testsupport::SaveScreenshot(form.AboutBox(), "shell-about-box").isEmpty());
        const QStringList clipped = ClippedLabels(form.AboutBox());
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join("; ")));
    }
};

QTEST_MAIN(TestShellScreens)
#include "test_shell_screens.moc"
