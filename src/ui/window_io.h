#pragma once
// What the window's handlers share when they talk to the core: single-byte texts, file names,
// the core's messages shown in the box of their kind, the start folder made current again.

#include <QString>
#include <string>

#include "model/runtime_errors.h"

class DialogService;
class QLineEdit;

QString FromBytes(const std::string& s);
std::string ToBytes(const QString& s);
// File names go to the C library in the locale's encoding.
std::string FileNameBytes(const QString& s);
// A masked edit's text as the user sees it, as bytes for the core.
std::string EditBytes(const QLineEdit* edit);

// A program message in a plain box, a runtime report in the error box, a question as a Yes/No
// confirmation; true only for a Yes.
bool ShowCoreMessage(DialogService& dialogs, kombinator::MessageKind kind, const std::string& text);

// The help, the sound and the offset files go back to the start folder; a failure is the
// runtime's "I/O error N", shown, and false.
bool MakeStartDirectoryCurrent(const QString& startDirectory, DialogService& dialogs);
