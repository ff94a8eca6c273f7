#include "support/stage_test.h"

#include <QApplication>
#include <QTest>

#include "support/files.h"
#include "ui/program_look.h"

namespace testsupport {

void StageTest::PrepareTests() {
    ApplyProgramLook(*qobject_cast<QApplication*>(QCoreApplication::instance()));
    QVERIFY(dir.isValid());
}

void StageTest::MakeStage() {
    state = std::make_unique<AppState>();
    state->StartDirectory = dir.path();
    dialogs = std::make_unique<ScriptedDialogService>();
    stage = std::make_unique<FinalStage>(*state, *dialogs);
}

void StageTest::DropStage() {
    stage.reset();
    dialogs.reset();
    state.reset();
}

bool StageTest::OpenSystem(const QByteArray& bytes, const QString& name) {
    const QString path = dir.filePath(name);
    WriteBytes(path, bytes);
    dialogs->QueueFileName(path);
    return stage->OpenSystemFileFromDialog();
}

}  // namespace testsupport
