#pragma once
// The real dialog service: QMessageBox, QFileDialog and QPrintDialog, centred on the main window.

#include <QFileDialog>
#include <QPointer>
#include <QString>

#include "ui/dialog_service.h"

// The columns of the file dialog's detail list.
constexpr int FileDialogNameColumn = 0;
constexpr int FileDialogSizeColumn = 1;
constexpr int FileDialogTypeColumn = 2;
constexpr int FileDialogDateColumn = 3;

class QtDialogService : public DialogService {
public:
    explicit QtDialogService(QWidget* parent = nullptr) : parent_(parent) {}

    void Message(const QString& text, const QString& title = QString()) override;
    void Error(const QString& text) override;
    bool WarningQuestion(const QString& text) override;
    bool ConfirmationQuestion(const QString& text) override;
    QString SaveFileName(const QString& filter, const QString& defaultSuffix) override;
    QString OpenFileName(const QString& filter, const QString& defaultSuffix) override;
    bool ChoosePrinter(QPrinter& printer) override;

    // "Plik textowy(*.txt)|*.txt" -> "Plik textowy(*.txt)", "Teksty|*.txt;*.kfp" -> "Teksty (*.txt
    // *.kfp)": pairs of description and patterns separated by '|', several patterns in one entry
    // separated by ';'; a description that names its patterns already is kept as it is.
    static QString ToQtFilter(const QString& programFilter);
    // Everything but running it: Qt's own dialog in detail view with the program's filter, the
    // default suffix, sizes and dates in the program's locale, room for the Polish texts.
    static void PrepareFileDialog(QFileDialog& dialog, QFileDialog::AcceptMode acceptMode, const QString& filter,
                                  const QString& defaultSuffix);

private:
    QPointer<QWidget> parent_;
};
