#pragma once
// "  Preferencje  ": the preferred results and the RW templates.

#include <QWidget>
#include <array>

class FilterBinding;
class RevealTimer;

class PreferencesTab : public QWidget {
    Q_OBJECT
public:
    PreferencesTab(FilterBinding& binding, QWidget* parent);

public slots:
    void Timer3Timer();

private:
    void BuildPreferred();
    void BuildRw();
    void PreferredSwitch(int item, bool instant);

    FilterBinding& binding_;
    // Panel30, Label54, Panel34, Label55, Panel35 in the order they appear.
    std::array<QWidget*, 5> preferredControls_{};
    RevealTimer* timer3_ = nullptr;  // counts PreferredRevealStep
};
