#pragma once
// The guarantee box (Panel76, " Systemy gwarancyjne "): the level in RadioGroup17 and BitBtn1,
// which reduces the candidates inside its click.

#include <QObject>

class FinalStage;
class QFrame;
class QPushButton;
class QWidget;
class RadioGroup;
struct AppState;

class GuaranteeBox : public QObject {
    Q_OBJECT
public:
    GuaranteeBox(FinalStage& stage, AppState& state, QWidget* parent);

    // Entering and opening: the first level again.
    void Reset();

public slots:
    void BitBtn1Click();  // guarantee system

private:
    FinalStage& stage_;
    AppState& state_;
    QFrame* Panel76 = nullptr;
    QFrame* Panel77 = nullptr;
    RadioGroup* RadioGroup17 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};
