#pragma once
// "Lejek filtrów": how many Combinations reach each step of the filter chain with the settings
// on screen and how many it rejects, one row and one bar per family.

#include <QDialog>

#include "engine/filter_funnel.h"

class QLabel;
class QTableWidget;

class FunnelDialog : public QDialog {
    Q_OBJECT
public:
    explicit FunnelDialog(QWidget* parent = nullptr);

    // Shows the funnel of valid settings (FilterFunnel's result).
    void ShowFunnel(const kombinator::FilterFunnelResult& funnel);

    QTableWidget* Table() const { return table_; }

private:
    QLabel* summary_;
    QTableWidget* table_;
};
