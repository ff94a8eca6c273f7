#pragma once
// The program's look: the documented "MS Sans Serif" 8 pt mapped to a font that exists on Linux.

class QApplication;

void ApplyProgramLook(QApplication& app);
