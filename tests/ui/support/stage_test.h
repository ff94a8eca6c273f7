#pragma once
// The base of a final-stage test: a FinalStage of its own for every test function, on a fresh
// AppState whose start folder is a temporary one, with scripted dialogs.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "support/scripted_dialog_service.h"
#include "support/widget_helpers.h"
#include "ui/app_state.h"
#include "ui/final_stage.h"

namespace testsupport {

class StageTest : public QObject {
protected:
    QTemporaryDir dir;
    std::unique_ptr<AppState> state;
    std::unique_ptr<ScriptedDialogService> dialogs;
    std::unique_ptr<FinalStage> stage;

    // For initTestCase(): the program's look, and a usable temporary folder.
    void PrepareTests();
    // For init() and cleanup() of the test class.
    void MakeStage();
    void DropStage();

    template <typename T = QWidget>
    T* W(const QString& name) {
        return Require<T>(stage.get(), name);
    }
    // Writes `bytes` into the temporary folder and opens that file through "Otwórz".
    bool OpenSystem(const QByteArray& bytes, const QString& name = "system.txt");
};

}  // namespace testsupport
