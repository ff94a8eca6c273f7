#pragma once
// Every question, message and file dialog of the window goes through this seam,
// so tests can script the answers instead of clicking modal boxes.

#include <QString>

class QPrinter;
class QWidget;

class DialogService {
public:
    virtual ~DialogService() = default;

    // A plain message box with one OK button; `title` is the caption (the application title
    // when empty). No icon.
    virtual void Message(const QString& text, const QString& title = QString()) = 0;
    // A plain message box with an error icon, for the runtime's error reports.
    virtual void Error(const QString& text) = 0;
    // A Yes/No warning box ("Generator jest obecnie w trakcie obliczeń ! ..."); true only for Yes.
    virtual bool WarningQuestion(const QString& text) = 0;
    // A Yes/No confirmation box; true only for Yes.
    virtual bool ConfirmationQuestion(const QString& text) = 0;
    // A save-file dialog; `filter` in the program's form "Description(*.ext)|*.ext",
    // `defaultSuffix` without dot. Asks before replacing a file. Empty when cancelled.
    virtual QString SaveFileName(const QString& filter, const QString& defaultSuffix) = 0;
    // An open-file dialog; the file need not exist. Empty when cancelled.
    virtual QString OpenFileName(const QString& filter, const QString& defaultSuffix) = 0;
    // The print dialog: the user chooses the printer (and its options) a job goes to, written
    // into `printer`. False when cancelled.
    virtual bool ChoosePrinter(QPrinter& printer) = 0;
};
