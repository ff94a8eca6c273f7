#pragma once
// The real dialog service: QMessageBox and QFileDialog, centred on the main window.

#include <QPointer>
#include <QString>

#include "ui/dialog_service.h"

class QtDialogService : public DialogService {
public:
    explicit QtDialogService(QWidget* parent = nullptr) : parent_(parent) {}

    void Message(const QString& text, const QString& title = QString()) override;
    void Error(const QString& text) override;
    bool WarningQuestion(const QString& text) override;
    bool ConfirmationQuestion(const QString& text) override;
    QString SaveFileName(const QString& filter, const QString& defaultSuffix) override;
    QString OpenFileName(const QString& filter, const QString& defaultSuffix) override;

    // "Plik textowy(*.txt)|*.txt" -> "Plik textowy(*.txt) (*.txt)": pairs of description and
    // patterns separated by '|', several patterns in one entry separated by ';'.
    static QString ToQtFilter(const QString& programFilter);

private:
    QPointer<QWidget> parent_;
};
