#include "ui/window_io.h"

#include <QFile>
#include <QLineEdit>

#include "io/file_util.h"
#include "ui/dialog_service.h"
#include "ui/final_stage_widgets.h"

QString FromBytes(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

std::string ToBytes(const QString& s) { return s.toLatin1().toStdString(); }

std::string FileNameBytes(const QString& s) { return QFile::encodeName(s).toStdString(); }

std::string EditBytes(const QLineEdit* edit) { return ToBytes(MaskedEditText(edit)); }

bool ShowCoreMessage(DialogService& dialogs, kombinator::MessageKind kind, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    switch (kind) {
        case kombinator::MessageKind::RuntimeReport:
            dialogs.Error(shown);
            return false;
        case kombinator::MessageKind::Question:
            return dialogs.ConfirmationQuestion(shown);
        case kombinator::MessageKind::ProgramMessage:
            break;
    }
    dialogs.Message(shown);
    return false;
}

bool MakeStartDirectoryCurrent(const QString& startDirectory, DialogService& dialogs) {
    const kombinator::FileResult result = kombinator::ChangeDirectory(FileNameBytes(startDirectory));
    if (!result.ok) dialogs.Error(QString::fromStdString(result.error));
    return result.ok;
}
