#include "support/start_directory.h"

#include <QDir>
#include <QFile>

namespace testsupport {

StartDirectory::StartDirectory(bool offsetFiles) : previous_(QDir::currentPath()) {
    if (offsetFiles)
        for (const char* name : {"PX1.txt", "X1X2.txt", "PY1.txt", "Y1Y2.txt", "PYK.txt", "PYZ.txt", "PNR.txt"}) {
            QFile file(dir_.filePath(name));
            if (file.open(QIODevice::WriteOnly)) file.write("0\r\n");
        }
    QDir::setCurrent(dir_.path());
}

StartDirectory::~StartDirectory() { QDir::setCurrent(previous_); }

}  // namespace testsupport
