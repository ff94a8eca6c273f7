#include "ui/qt_dialog_service.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace {

// The application title, the caption of every box.
QString ApplicationTitle() { return QStringLiteral("Kombinator"); }

QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, ApplicationTitle(), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString RunFileDialog(QWidget* parent, QFileDialog::AcceptMode mode, const QString& filter,
                      const QString& defaultSuffix) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    // Open accepts a name that does not exist yet; the reader reports it.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QtDialogService::ToQtFilter(filter));
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
}

}  // namespace

void QtDialogService::Message(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title.isEmpty() ? ApplicationTitle() : title, text, QMessageBox::Ok,
                    parent_);
    box.exec();
}

void QtDialogService::Error(const QString& text) {
    QMessageBox box(QMessageBox::Critical, ApplicationTitle(), text, QMessageBox::Ok, parent_);
    box.exec();
}

bool QtDialogService::WarningQuestion(const QString& text) {
    return Ask(parent_, QMessageBox::Warning, text) == QMessageBox::Yes;
}

bool QtDialogService::ConfirmationQuestion(const QString& text) {
    return Ask(parent_, QMessageBox::Question, text) == QMessageBox::Yes;
}

QString QtDialogService::SaveFileName(const QString& filter, const QString& defaultSuffix) {
    return RunFileDialog(parent_, QFileDialog::AcceptSave, filter, defaultSuffix);
}

QString QtDialogService::OpenFileName(const QString& filter, const QString& defaultSuffix) {
    return RunFileDialog(parent_, QFileDialog::AcceptOpen, filter, defaultSuffix);
}

QString QtDialogService::ToQtFilter(const QString& programFilter) {
    const QStringList parts = programFilter.split('|');
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString& p : patterns) p = p.trimmed();
        entries.append(parts[i] + " (" + patterns.join(' ') + ")");
    }
    if (entries.isEmpty() && !programFilter.isEmpty()) entries.append(programFilter);
    return entries.join(";;");
}
