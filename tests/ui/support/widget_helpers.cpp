#include "support/widget_helpers.h"

#include <QDir>
#include <QPixmap>

namespace testsupport {

QString SaveScreenshot(QWidget* widget, const QString& name) {
#ifdef KOMBINATOR_SCREENSHOTS
    const QString folder = QStringLiteral(KOMBINATOR_SCREENSHOTS);
#else
    const QString folder = QDir::tempPath();
#endif
    if (!widget || !QDir().mkpath(folder)) return QString();
    const QString path = folder + "/" + name + ".png";
    return widget->grab().save(path, "PNG") ? path : QString();
}

}  // namespace testsupport
