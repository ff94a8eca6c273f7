#pragma once
// Small helpers for window tests: find controls by their design name, save screenshots, and
// find captions that do not fit and controls that overlap.

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <functional>

namespace testsupport {

// The descendant of `root` with this objectName and type, or nullptr.
template <typename T = QWidget>
T* Find(const QObject* root, const QString& objectName) {
    return root->findChild<T*>(objectName);
}

// Like Find, but fails the current test (and returns nullptr) when the control is missing,
// so a test can write `auto* b = Require<QCheckBox>(form, "CheckBox44"); if (!b) return;`.
template <typename T = QWidget>
T* Require(const QObject* root, const QString& objectName) {
    T* found = root->findChild<T*>(objectName);
    if (!found)
        QTest::qFail(qPrintable("no control named " + objectName), __FILE__, __LINE__);
    return found;
}

// Saves widget->grab() as <KOMBINATOR_SCREENSHOTS>/<name>.png; returns the path written,
// or an empty string when the folder or the file could not be written.
QString SaveScreenshot(QWidget* widget, const QString& name);

// Processes events until `condition` holds or `timeoutMs` passes; true when it held.
template <typename Condition>
bool WaitUntil(Condition condition, int timeoutMs = 2000) {
    return QTest::qWaitFor(condition, timeoutMs);
}

// The captions under `root` (itself included) that do not fit the room their control gives
// them in the control's own font: labels (word-wrapped ones by their wrapped height), check
// boxes and radio buttons beside their indicator, push buttons inside their bevel and group
// box titles inside their box and clear of the box's controls. Hidden controls are skipped.
QStringList ClippedCaptions(QWidget* root);

// A pair of sibling controls that may share pixels on purpose, with the reason why.
struct OverlapAllowance {
    const char* reason;
    std::function<bool(const QWidget* a, const QWidget* b)> matches;  // asked both ways round
};

// Pairs of visible sibling controls under `root` whose rectangles overlap, except the allowed
// ones, and controls that reach outside their parent. The insides of Qt's own composite
// controls (scroll areas, spin boxes, tab widgets) are theirs and not walked.
QStringList OverlappingSiblings(QWidget* root, const QList<OverlapAllowance>& allowed = {});

// "QLabel "Od" in Panel66": how a fault names a control that may have no name of its own.
QString Describe(const QWidget* widget);

}  // namespace testsupport
