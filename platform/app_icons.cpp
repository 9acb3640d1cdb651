#include "platform/app_icons.h"

#include <QDir>

namespace lorvane::platform {

namespace {

QIcon iconOf(const QString& name) {
    // One picture per size, each rendered from the drawing for that size:
    // the small ones stay sharp instead of being scaled down from a large one.
    QIcon icon;
    const QString theme = QStringLiteral(":/icons/hicolor");
    for (const QString& size : QDir(theme).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        icon.addFile(theme + QLatin1Char('/') + size + QStringLiteral("/apps/") + name +
                     QStringLiteral(".png"));
    }
    return icon;
}

}  // namespace

QIcon lorvaneIcon() {
    return iconOf(QStringLiteral("lorvane"));
}

QIcon miselleIcon() {
    return iconOf(QStringLiteral("miselle"));
}

}  // namespace lorvane::platform
