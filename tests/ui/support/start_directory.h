#pragma once
// A temporary start directory for a window test: made current while the object lives,
// holding the seven printer offset files the window reads at start-up.

#include <QString>
#include <QTemporaryDir>

namespace testsupport {

class StartDirectory {
public:
    // With `offsetFiles` the seven files hold valid offsets ("0"); without, the folder is empty.
    explicit StartDirectory(bool offsetFiles = true);
    ~StartDirectory();
    StartDirectory(const StartDirectory&) = delete;
    StartDirectory& operator=(const StartDirectory&) = delete;

    QString Path() const { return dir_.path(); }
    QString FilePath(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

}  // namespace testsupport
