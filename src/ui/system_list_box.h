#pragma once
// The system list box (Panel75): the SystemList in ListBox1, its counters, the busy light and
// the countdown box with the last drawn Combination.

#include <QObject>
#include <array>
#include <string>
#include <vector>

#include "model/combination.h"

class QFrame;
class QLabel;
class QListView;
class QWidget;
class SystemListModel;

class SystemListBox : public QObject {
    Q_OBJECT
public:
    explicit SystemListBox(QWidget* stage);

    // The SystemList as the program keeps it (the text of ListBox1, byte for byte).
    const std::vector<std::string>& Lines() const;
    // Replacing the list is no selection by the user: Label348 is left to the caller.
    void SetLines(std::vector<std::string> lines);
    void Append(std::string line);

    void SetCount(const QString& text);       // Label347
    void ClearSelectedRow();                  // Label348
    void SetSecondsLeft(const QString& text); // Label349
    // Label341..Label346: the drawn Combination, position by position.
    void ShowDrawn(const kombinator::Combination& drawn);
    // Entering: an empty list, no counters, no drawn Combination.
    void Reset();

public slots:
    void ListBox1Click();  // the selected row into Label348

private:
    void UpdateColumnHeaders();

    SystemListModel* model_ = nullptr;
    QFrame* Panel75 = nullptr;
    std::array<QLabel*, 6> columnHeaders_{};
    QListView* ListBox1 = nullptr;
    QFrame* Panel82 = nullptr;
    QLabel* Label347 = nullptr;
    QLabel* Label348 = nullptr;
    QFrame* Panel80 = nullptr;
    QFrame* Panel81 = nullptr;
    std::array<QLabel*, 6> drawnLabels_{};  // Label341..Label346
    QLabel* Label349 = nullptr;
};
