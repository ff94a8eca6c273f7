#include "support/scripted_dialog_service.h"

#include <QPrinter>

void ScriptedDialogService::Message(const QString& text, const QString& title) {
    Record(Kind::Message, text, title);
}

void ScriptedDialogService::Error(const QString& text) { Record(Kind::Error, text, QString()); }

bool ScriptedDialogService::WarningQuestion(const QString& text) {
    Record(Kind::WarningQuestion, text, QString());
    return NextAnswer();
}

bool ScriptedDialogService::ConfirmationQuestion(const QString& text) {
    Record(Kind::ConfirmationQuestion, text, QString());
    return NextAnswer();
}

QString ScriptedDialogService::SaveFileName(const QString& filter, const QString& defaultSuffix) {
    Record(Kind::SaveFileName, filter, defaultSuffix);
    return NextFileName();
}

QString ScriptedDialogService::OpenFileName(const QString& filter, const QString& defaultSuffix) {
    Record(Kind::OpenFileName, filter, defaultSuffix);
    return NextFileName();
}

void ScriptedDialogService::Record(Kind kind, const QString& text, const QString& title) {
    calls_.append({kind, text, title});
    if (OnCall) OnCall(calls_.last());
}

bool ScriptedDialogService::ChoosePrinter(QPrinter& printer) {
    // The queue is chosen first, so OnCall sees the dialog with the user's choice made.
    if (printers_.isEmpty()) ++unanswered_;
    const QString name = printers_.isEmpty() ? QString() : printers_.dequeue();
    if (!name.isEmpty()) {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(name);
    }
    Record(Kind::ChoosePrinter, name, QString());
    return !name.isEmpty();
}

QStringList ScriptedDialogService::Texts(Kind kind) const {
    QStringList texts;
    for (const Call& call : calls_)
        if (call.kind == kind) texts.append(call.text);
    return texts;
}

QStringList ScriptedDialogService::Transcript() const {
    QStringList lines;
    for (const Call& call : calls_) lines.append(KindName(call.kind) + ": " + call.text);
    return lines;
}

void ScriptedDialogService::Clear() {
    calls_.clear();
    answers_.clear();
    fileNames_.clear();
    printers_.clear();
    unanswered_ = 0;
}

QString ScriptedDialogService::KindName(Kind kind) {
    switch (kind) {
        case Kind::Message: return "Message";
        case Kind::Error: return "Error";
        case Kind::WarningQuestion: return "WarningQuestion";
        case Kind::ConfirmationQuestion: return "ConfirmationQuestion";
        case Kind::SaveFileName: return "SaveFileName";
        case Kind::OpenFileName: return "OpenFileName";
        case Kind::ChoosePrinter: return "ChoosePrinter";
    }
    return "?";
}

bool ScriptedDialogService::NextAnswer() {
    if (answers_.isEmpty()) {
        ++unanswered_;
        return false;
    }
    return answers_.dequeue();
}

QString ScriptedDialogService::NextFileName() {
    if (fileNames_.isEmpty()) {
        ++unanswered_;
        return QString();
    }
    return fileNames_.dequeue();
}
