#pragma once
// " Wyniki i bramki ": results per position, goal ranges and the P-N templates.

#include <QWidget>

class FilterBinding;

class ResultsTab : public QWidget {
    Q_OBJECT
public:
    ResultsTab(FilterBinding& binding, QWidget* parent);

private:
    void BuildResults();
    void BuildGoalRanges();
    void BuildPn();

    FilterBinding& binding_;
};
