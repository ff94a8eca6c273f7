#include "support/test_window.h"

#include <QStringList>

#include "model/combination.h"
#include "ui/app_state.h"

namespace testsupport {

TestWindow::TestWindow() {
    form.SetTerminateAction([this] { ++terminated; });
    form.SetDocumentOpener([](const QString&) { return false; });
    form.show();
}

QString TestWindow::VisibleStage() {
    QStringList shown;
    for (const char* name : {"Panel1", "Panel5", "Panel73"})
        if (W(name)->isVisible()) shown << name;
    return shown.join(',');
}

void SetCandidates(AppState& state, const QList<QByteArray>& lines) {
    for (int i = 0; i < lines.size(); ++i) {
        kombinator::Combination c;
        for (std::size_t p = 0; p < c.scores.size(); ++p) {
            const qsizetype at = static_cast<qsizetype>(5 * p);
            c.scores[p] = {static_cast<std::uint8_t>(lines[i][at] - '0'), static_cast<std::uint8_t>(lines[i][at + 2] - '0')};
        }
        state.candidates->Set(i + 1, c);
    }
    state.CandidateCount = static_cast<std::int32_t>(lines.size());
}

}  // namespace testsupport
