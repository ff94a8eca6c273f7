#pragma once
// The whole window for a test: started in a folder of its own with valid printer offsets,
// every question answered by a scripted dialog service, shown; "terminating" the program is
// only counted and no document viewer is started.

#include <QAction>
#include <QByteArray>
#include <QList>
#include <QString>
#include <QWidget>

#include "support/scripted_dialog_service.h"
#include "support/start_directory.h"
#include "ui/tform1.h"

class FinalStage;
struct AppState;

namespace testsupport {

struct TestWindow {
    StartDirectory start;
    ScriptedDialogService dialogs;
    TForm1 form{&dialogs};
    int terminated = 0;

    TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    // The control with this design name; a warning (and nullptr) when there is none.
    template <typename T = QWidget>
    T* W(const char* name) {
        T* found = form.findChild<T*>(name);
        if (!found) qWarning("no control %s", name);
        return found;
    }
    QAction* Action(const char* name) { return W<QAction>(name); }
    FinalStage& Stage() { return *form.Final(); }
    // The names of the shown stages among Panel1, Panel5 and Panel73, joined by ','.
    QString VisibleStage();
};

// The CandidateStore and CandidateCount as after a FilterRun that found these SystemLines.
void SetCandidates(AppState& state, const QList<QByteArray>& lines);

}  // namespace testsupport
