#include "ui/qt_dialog_service.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpacerItem>
#include <QStringList>
#include <QTreeView>
#include <algorithm>

namespace {

// The application title, the caption of every box.
QString ApplicationTitle() { return QStringLiteral("Kombinator"); }

// A window manager cuts a caption that is wider than the box; a box whose text is short
// ("File not found") is widened so that its caption shows whole.
void MakeRoomForTitle(QMessageBox& box) {
    QFont captionFont = box.font();
    captionFont.setBold(true);
    // The caption bar also holds the window's icon and its buttons.
    const int needed = QFontMetrics(captionFont).horizontalAdvance(box.windowTitle()) + 160;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(needed, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                      grid->columnCount());
}

// Texts often quote what a file held. They are shown as plain text, so that a "<b>" read from a
// file stays what it was, and control bytes (a NUL in an offset file), which Qt draws as nothing,
// are shown as \xNN, as the command line shows them.
QString Visible(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != '\n' && u != '\t') || u == 0x7f)
            shown += QStringLiteral("\\x") + QString::number(u, 16).rightJustified(2, '0');
        else
            shown += c;
    }
    return shown;
}

void SetText(QMessageBox& box, const QString& text) {
    box.setTextFormat(Qt::PlainText);
    box.setText(Visible(text));
}

QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, ApplicationTitle(), QString(), QMessageBox::Yes | QMessageBox::No, parent);
    SetText(box, text);
    box.setDefaultButton(QMessageBox::Yes);
    MakeRoomForTitle(box);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

// The sizes and dates of the file list in the program's (Polish) locale; the file system model
// itself formats them in the locale of the environment.
class LocalFileDetails : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || !index.isValid()) return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        const QLocale locale;
        if (index.column() == FileDialogSizeColumn) {
            if (files->isDir(source)) return QString();
            return locale.formattedDataSize(files->size(source));
        }
        if (index.column() == FileDialogDateColumn)
            return locale.toString(files->lastModified(source), QLocale::ShortFormat);
        return QIdentityProxyModel::data(index, role);
    }
};

QString RunFileDialog(QWidget* parent, QFileDialog::AcceptMode mode, const QString& filter,
                      const QString& defaultSuffix) {
    QFileDialog dialog(parent);
    QtDialogService::PrepareFileDialog(dialog, mode, filter, defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
}

}  // namespace

void QtDialogService::Message(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title.isEmpty() ? ApplicationTitle() : title, QString(), QMessageBox::Ok,
                    parent_);
    SetText(box, text);
    MakeRoomForTitle(box);
    box.exec();
}

void QtDialogService::Error(const QString& text) {
    QMessageBox box(QMessageBox::Critical, ApplicationTitle(), QString(), QMessageBox::Ok, parent_);
    SetText(box, text);
    MakeRoomForTitle(box);
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

void QtDialogService::PrepareFileDialog(QFileDialog& dialog, QFileDialog::AcceptMode acceptMode, const QString& filter,
                                        const QString& defaultSuffix) {
    // Qt's own dialog, so that its texts, formats and columns are the program's on every desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(acceptMode);
    // Open accepts a name that does not exist yet; the reader reports it.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setViewMode(QFileDialog::Detail);
    dialog.setNameFilter(ToQtFilter(filter));
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setProxyModel(new LocalFileDetails(&dialog));
    dialog.resize(std::max(dialog.width(), 760), std::max(dialog.height(), 460));
    if (auto* list = dialog.findChild<QTreeView*>("treeView")) {
        // Room for "Zwykły dokument tekstowy" and a date with its time.
        const QFontMetrics metrics(list->font());
        const int padding = 3 * metrics.averageCharWidth();
        list->header()->resizeSection(FileDialogNameColumn, 280);
        list->header()->resizeSection(FileDialogSizeColumn, metrics.horizontalAdvance("999,9 KB") + padding);
        list->header()->resizeSection(FileDialogTypeColumn,
                                      metrics.horizontalAdvance("Zwykły dokument tekstowy") + padding);
        list->header()->resizeSection(FileDialogDateColumn,
                                      metrics.horizontalAdvance(QLocale().toString(
                                          QDateTime(QDate(2026, 12, 28), QTime(23, 59)), QLocale::ShortFormat)) +
                                          padding);
    }
}

bool QtDialogService::ChoosePrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}

QString QtDialogService::ToQtFilter(const QString& programFilter) {
    const QStringList parts = programFilter.split('|');
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString& p : patterns) p = p.trimmed();
        const QString listed = "(" + patterns.join(' ') + ")";
        // A description that already names its patterns ("Plik textowy(*.txt)") is Qt's form.
        if (parts[i].trimmed().endsWith(listed))
            entries.append(parts[i]);
        else
            entries.append(parts[i] + " " + listed);
    }
    if (entries.isEmpty() && !programFilter.isEmpty()) entries.append(programFilter);
    return entries.join(";;");
}
