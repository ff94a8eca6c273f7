#pragma once
// "Test na archiwum wyników": the real outcomes of past rounds against the settings on screen,
// each round passed or the family that rejected it, the share that passed, and the family that
// rejected the most rounds marked as the one to loosen.

#include <QDialog>
#include <QString>
#include <functional>

#include "model/filter_settings.h"

class DialogService;
class QLabel;
class QPushButton;
class QTableWidget;

class BacktestDialog : public QDialog {
    Q_OBJECT
public:
    BacktestDialog(DialogService& dialogs, QWidget* parent = nullptr);

    // Tests the archive at `path` against `settings` (assumed valid) and shows the table.
    // A file that cannot be read or a line that is not a SystemLine is shown in the status line
    // and leaves the table empty.
    void ShowArchive(const QString& path, const kombinator::FilterSettings& settings);
    // "Wybierz archiwum…": an archive picked with the open-file dialog.
    void PickArchiveClick();

    QString ArchivePath() const { return path_; }
    QTableWidget* Table() const { return table_; }
    QLabel* Summary() const { return summary_; }
    QLabel* Loosen() const { return loosen_; }

private:
    DialogService& dialogs_;
    kombinator::FilterSettings settings_;
    QString path_;
    QLabel* pathLabel_;
    QLabel* summary_;
    QLabel* loosen_;
    QTableWidget* table_;
};
