#pragma once
// What the boxes of the final stage share: single-byte texts, file names, the core's messages
// shown in the right box, the start folder made current again.

#include <QString>
#include <string>

class DialogService;
class QLineEdit;

QString FromBytes(const std::string& s);
std::string ToBytes(const QString& s);
// File names go to the C library in the locale's encoding.
std::string FileNameBytes(const QString& s);
// A masked edit's text as the user sees it, as bytes for the core.
std::string EditBytes(const QLineEdit* edit);

// The user's omissions come in a plain message box; a text that is not a whole number is the
// runtime's conversion report.
void ShowMessageOrReport(DialogService& dialogs, const std::string& message);

// The sound and the offset files go back to the start folder; a failure is reported.
bool MakeStartDirectoryCurrent(const QString& startDirectory, DialogService& dialogs);
