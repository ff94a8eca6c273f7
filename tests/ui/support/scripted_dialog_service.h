#pragma once
// A DialogService for tests: records every call and answers from queues instead of showing
// a modal box. An unanswered question is a test failure (it would have blocked a user).

#include <QList>
#include <functional>
#include <QQueue>
#include <QString>
#include <QStringList>

#include "ui/dialog_service.h"

class ScriptedDialogService : public DialogService {
public:
    enum class Kind { Message, Error, WarningQuestion, ConfirmationQuestion, SaveFileName, OpenFileName, ChoosePrinter };

    struct Call {
        Kind kind;
        QString text;   // the message or question; the filter for file dialogs
        QString title;  // Message's caption; the default suffix for file dialogs
    };

    void Message(const QString& text, const QString& title = QString()) override;
    void Error(const QString& text) override;
    bool WarningQuestion(const QString& text) override;
    bool ConfirmationQuestion(const QString& text) override;
    QString SaveFileName(const QString& filter, const QString& defaultSuffix) override;
    QString OpenFileName(const QString& filter, const QString& defaultSuffix) override;
    bool ChoosePrinter(QPrinter& printer) override;

    // Answers for the questions (both kinds share one queue, in the order they will be asked).
    void QueueAnswer(bool yes) { answers_.enqueue(yes); }
    void QueueAnswers(std::initializer_list<bool> yes) {
        for (bool a : yes) answers_.enqueue(a);
    }
    // A file name for the next save or open dialog; an empty name means "cancelled".
    void QueueFileName(const QString& name) { fileNames_.enqueue(name); }
    // The queue chosen in the next print dialog, by its name; an empty name means "cancelled".
    // The call is recorded (and OnCall runs) after the choice is written into the printer.
    void QueuePrinter(const QString& name) { printers_.enqueue(name); }

    // Runs at every call, after it is recorded and before it is answered: lets a test look at
    // the window while a question is "on screen".
    std::function<void(const Call&)> OnCall;

    const QList<Call>& Calls() const { return calls_; }
    // The texts of the recorded calls of one kind, in order.
    QStringList Texts(Kind kind) const;
    // The recorded calls as "Kind: text" lines, for readable comparisons in failures.
    QStringList Transcript() const;
    // True when every queued answer and file name has been used.
    bool AllAnswersUsed() const { return answers_.isEmpty() && fileNames_.isEmpty() && printers_.isEmpty(); }
    // Questions asked with no queued answer (answered "No"), and dialogs with no queued name
    // (answered "cancelled").
    int UnansweredCount() const { return unanswered_; }
    void Clear();

    static QString KindName(Kind kind);

private:
    void Record(Kind kind, const QString& text, const QString& title);
    bool NextAnswer();
    QString NextFileName();

    QList<Call> calls_;
    QQueue<bool> answers_;
    QQueue<QString> fileNames_;
    QQueue<QString> printers_;
    int unanswered_ = 0;
};
