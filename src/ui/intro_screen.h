#pragma once
// The intro screen (Panel1): the title artwork and the ticker of sample results that slides
// down one pixel every 10 ms while "89" blinks.

#include <QFrame>

class QLabel;
class QTimer;

class IntroScreen : public QFrame {
    Q_OBJECT
public:
    explicit IntroScreen(QWidget* parent = nullptr);

    // FormCreate step 2: TickerTop := 40 and Timer1 enabled.
    void StartTicker();
    // One tick of Timer1.
    void Timer1Timer();

    // The picture stays visible until a system is begun or opened; its visibility is the
    // window's sign that the intro screen is showing.
    bool Showing() const;
    void HidePicture();

    QTimer* Timer1() const { return timer1_; }
    int TickerTop() const { return tickerTop_; }

private:
    QWidget* panel3_ = nullptr;
    QLabel* label5_ = nullptr;
    QLabel* image1_ = nullptr;
    QTimer* timer1_ = nullptr;
    int tickerTop_ = 0;
};
