#include "shell/first_show.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>

namespace shell {

namespace {

class FirstPaintWatch : public QObject {
  public:
    explicit FirstPaintWatch(QWidget* window) : QObject(window) { window->installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued, so the stamp is taken once the paint has been done.
            QTimer::singleShot(0, this, [this] {
                const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                     std::chrono::system_clock::now().time_since_epoch())
                                     .count();
                std::printf("%s %lld\n", kShownMarker, static_cast<long long>(now));
                std::fflush(stdout);
                deleteLater();
            });
        }
        return false;
    }
};

} // namespace

void ReportFirstShowWhenTimed(QWidget* window) {
    if (qEnvironmentVariable("RASCHET_TIMING") == QLatin1String("1"))
        new FirstPaintWatch(window); // owned by the window
}

} // namespace shell
