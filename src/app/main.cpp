#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <cstdio>
#include <cstdlib>

#include "ui/intro_screen.h"
#include "ui/program_look.h"
#include "ui/tform1.h"

namespace {

// Prints the time from the start of main() to the window's first paint.
class FirstPaintLog : public QObject {
public:
    explicit FirstPaintLog(const QElapsedTimer& clock) : clock_(clock) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !logged_) {
            logged_ = true;
            std::fprintf(stderr, "kombinator: first paint %.1f ms after start\n", clock_.nsecsElapsed() / 1e6);
            watched->removeEventFilter(this);
        }
        return false;
    }

private:
    const QElapsedTimer& clock_;
    bool logged_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    const char* timing = std::getenv("KOMBINATOR_TIMING");
    const bool timingLog = timing && *timing && *timing != '0';

    QApplication app(argc, argv);
    SetUpApplication(app);

    TForm1 form;
    form.SetTimingLog(timingLog);
    FirstPaintLog paintLog(clock);
    if (timingLog) form.Intro()->installEventFilter(&paintLog);
    form.show();
    return app.exec();
}
