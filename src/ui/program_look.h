#pragma once
// The program's look: the documented "MS Sans Serif" 8 pt mapped to a font that exists on Linux,
// and Qt's own Polish texts for the standard dialogs.

class QApplication;
class QCoreApplication;

void ApplyProgramLook(QApplication& app);

// Loads qtbase_pl.qm from Qt's translation folder so standard buttons read "Tak" / "Nie".
// Must run before the first dialog is created; false when the file is missing.
bool InstallPolishTranslation(QCoreApplication& app);

// Everything main() sets up before the window is made: the application's title and help file,
// the Polish texts, the look. No display name is set: the platform would append it to every
// window title ("Kombinator info — Kombinator").
void SetUpApplication(QApplication& app);
