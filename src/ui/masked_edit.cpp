#include "ui/masked_edit.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace {

QString DigitMask(int digits, QChar blank) { return QString(digits, QChar('0')) + QChar(';') + blank; }

}  // namespace

MaskedEdit::MaskedEdit(const QString& name, int digits, QChar focusedBlank, QWidget* parent)
    : QLineEdit(parent), digits_(digits), focusedBlank_(focusedBlank), shownBlank_(' ') {
    setObjectName(name);
    setInputMask(DigitMask(digits_, shownBlank_));
    setText(QString());
}

void MaskedEdit::ShowUnfilledAs(QChar blank) {
    if (blank == shownBlank_) return;
    QString places = MaskedEditText(this);
    const int cursor = cursorPosition();
    // Only the look changes: nobody is told of a new text.
    const QSignalBlocker blocker(this);
    setInputMask(DigitMask(digits_, blank));
    // The mask keeps a blank given in its own blank character, so a gap between digits stays a gap.
    places.replace(QChar(' '), blank);
    setText(places);
    setCursorPosition(cursor);
    shownBlank_ = blank;
}

void MaskedEdit::focusInEvent(QFocusEvent* event) {
    ShowUnfilledAs(focusedBlank_);
    QLineEdit::focusInEvent(event);
}

void MaskedEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    ShowUnfilledAs(' ');
}

void MaskedEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && !hasSelectedText()) KeepCursorWhereTypingLands();
}

void MaskedEdit::KeepCursorWhereTypingLands() {
    const QString places = MaskedEditText(this);
    qsizetype lastDigit = -1;
    for (qsizetype i = 0; i < places.size(); ++i)
        if (places.at(i).isDigit()) lastDigit = i;
    const int limit = static_cast<int>(lastDigit + 1);
    if (cursorPosition() > limit) setCursorPosition(limit);
}

QLineEdit* MakeMaskedEdit(const QString& name, int digits, QChar blank, QWidget* parent) {
    return new MaskedEdit(name, digits, blank, parent);
}

QString MaskedEditText(const QLineEdit* edit) {
    const QString mask = edit->inputMask();
    if (mask.isEmpty()) return edit->text();
    // Qt leaves the blank character out of the mask when it is the default blank.
    const qsizetype separator = mask.lastIndexOf(';');
    const QChar blank = separator >= 0 && separator + 1 < mask.size() ? mask.at(separator + 1) : QChar(' ');
    QString shown = edit->displayText();
    shown.replace(blank, QChar(' '));
    return shown;
}
