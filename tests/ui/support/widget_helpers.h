#pragma once
// Small helpers for window tests: find controls by their design name, save screenshots.

#include <QObject>
#include <QString>
#include <QTest>
#include <QWidget>

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

}  // namespace testsupport
