#include "ui/stage_io.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <cerrno>

#include "io/runtime_errors.h"
#include "ui/dialog_service.h"
#include "ui/final_stage_widgets.h"

QString FromBytes(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

std::string ToBytes(const QString& s) { return s.toLatin1().toStdString(); }

std::string FileNameBytes(const QString& s) { return QFile::encodeName(s).toStdString(); }

std::string EditBytes(const QLineEdit* edit) { return ToBytes(MaskedEditText(edit)); }

void ShowMessageOrReport(DialogService& dialogs, const std::string& message) {
    const QString text = QString::fromStdString(message);
    if (text.startsWith('\''))
        dialogs.Error(text);
    else
        dialogs.Message(text);
}

bool MakeStartDirectoryCurrent(const QString& startDirectory, DialogService& dialogs) {
    errno = 0;
    if (QDir::setCurrent(startDirectory)) return true;
    dialogs.Error(QString::fromStdString(kombinator::IoErrorMessage(errno != 0 ? errno : ENOENT)));
    return false;
}
