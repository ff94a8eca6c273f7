#pragma once
// The window's questions as the user reads them, and as a dialog transcript records them.

#include <QString>

#include "support/scripted_dialog_service.h"

namespace testsupport {

inline const QString NewSystemQuestion =
    QStringLiteral("Generator jest obecnie w trakcie obliczeń ! Czy chcesz teraz tworzyć nowy system ?");
inline const QString BrowseQuestion =
    QStringLiteral("Generator jest obecnie w trakcie obliczeń ! Czy chcesz teraz przeglądać systemy ?");
inline const QString StopQuestion =
    QStringLiteral("Generator jest obecnie w trakcie obliczeń ! Czy chcesz przerwać obliczenia ?");
inline const QString SaveQuestion = QStringLiteral("Zapisać ostatni wygenerowany system ?");
inline const QString ExitQuestion = QStringLiteral("Czy chcesz zakończyć prace z programem Kombinator ?");

// "Kind: text", one line of ScriptedDialogService::Transcript().
inline QString Transcribed(ScriptedDialogService::Kind kind, const QString& text) {
    return ScriptedDialogService::KindName(kind) + ": " + text;
}

}  // namespace testsupport
