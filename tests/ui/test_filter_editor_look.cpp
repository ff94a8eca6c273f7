// The filter tabs as the user sees them: every family switched on, one PNG per tab.

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QtTest>

#include "ui/filter_editor.h"
#include "ui/program_look.h"

using kombinator::FilterSettings;

class FilterEditorLookTest : public QObject {
    Q_OBJECT
private slots:
    void EveryTabWithEveryFamilyOn();
};

namespace {

FilterSettings EveryFamilyOn() {
    FilterSettings s;
    s.RiActive = s.RjDrawActive = s.RjTwoActive = 1;
    for (int p = 1; p <= 6; ++p) s.ScoreFilterActive[p] = 1;
    s.PnActive = s.PreferredActive = s.RwActive = 1;
    s.HomeBlockActive = s.AwayBlockActive = s.BlockGActive = s.BlockDActive = 1;
    s.TypeMarks[1] = {1, 2, 0};
    s.TypeMarks[2] = {1, 1, 1};
    s.TypeMarks[3] = {2, 1, 0};
    s.RelationTicked[2] = 1;
    return s;
}

// Any visible child whose text needs more room than it has, or that reaches outside its
// parent, is clipped.
QStringList ClippedTexts(QWidget* page) {
    QStringList clipped;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if (!w->isVisible()) continue;
        if (!w->parentWidget()->rect().contains(w->geometry()))
            clipped << QStringLiteral("%1 outside %2").arg(w->objectName(), w->parentWidget()->objectName());
        if (auto* group = qobject_cast<QGroupBox*>(w)) {
            if (w->fontMetrics().horizontalAdvance(group->title()) + 16 > w->width())
                clipped << QStringLiteral("%1 '%2'").arg(w->objectName(), group->title());
            continue;
        }
        QString text;
        int room = w->width();
        if (auto* box = qobject_cast<QAbstractButton*>(w)) text = box->text();
        else if (auto* label = qobject_cast<QLabel*>(w)) {
            text = label->text();
            room -= 2 * label->frameWidth();
        }
        if (text.isEmpty()) continue;
        if (w->sizeHint().width() > w->width() + 1 && !qobject_cast<QLabel*>(w))
            clipped << QStringLiteral("%1 '%2' %3 > %4").arg(w->objectName(), text).arg(w->sizeHint().width()).arg(w->width());
        else if (qobject_cast<QLabel*>(w) && w->fontMetrics().horizontalAdvance(text) > room)
            clipped << QStringLiteral("%1 '%2'").arg(w->objectName(), text);
    }
    return clipped;
}

}  // namespace

void FilterEditorLookTest::EveryTabWithEveryFamilyOn() {
    FilterSettings settings;
    FilterEditor editor(settings);
    editor.SetSpinnerStartPositions();
    editor.ApplySettings(EveryFamilyOn());
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QDir().mkpath(KOMBINATOR_SCREENSHOTS);
    QTabWidget* tabs = editor.PageControl();
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QVERIFY(editor.grab().save(QStringLiteral(KOMBINATOR_SCREENSHOTS "/filter_editor_tab%1.png").arg(i + 1)));
        const QStringList clipped = ClippedTexts(tabs->widget(i));
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join("; ")));
    }
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ApplyProgramLook(app);
    FilterEditorLookTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_filter_editor_look.moc"
