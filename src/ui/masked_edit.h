#pragma once
// The masked edits the user types numbers into: up to N optional digits, each unfilled place
// shown as the edit's blank while the edit has the focus and as a plain blank otherwise.

#include <QLineEdit>

class MaskedEdit : public QLineEdit {
    Q_OBJECT
public:
    // `digits` optional decimal places; `focusedBlank` is what an unfilled place shows while
    // editing (' ' for edits that never show a placeholder).
    MaskedEdit(const QString& name, int digits, QChar focusedBlank, QWidget* parent);

    int Digits() const { return digits_; }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Re-masks the edit with another blank, keeping every place and the cursor as they were.
    void ShowUnfilledAs(QChar blank);
    // A click never leaves the cursor where typing is lost: on the first place of an edit
    // without a digit, and at most right after the last digit.
    void KeepCursorWhereTypingLands();

    int digits_;
    QChar focusedBlank_;
    QChar shownBlank_;
};

// A line edit with an input mask of `digits` optional digits. Its text is read as the user
// sees it, an unfilled place as a blank, so "1_2_" reads "1 2" and is not a number.
QLineEdit* MakeMaskedEdit(const QString& name, int digits, QChar blank, QWidget* parent);
QString MaskedEditText(const QLineEdit* edit);
