#pragma once
// Whole files for window tests: what a test writes for the program to read, and reads back.

#include <QByteArray>
#include <QString>

namespace testsupport {

// The file's bytes, or "<missing>" when it cannot be opened (never equal to a written file).
QByteArray ReadBytes(const QString& path);
// Writes `bytes` as the whole file; fails the current test when it cannot.
void WriteBytes(const QString& path, const QByteArray& bytes);

}  // namespace testsupport
