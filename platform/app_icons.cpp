#include "platform/app_icons.h"

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QResource>

namespace lorvane::platform {

namespace {

// One picture per size, each rendered from the drawing for that size: the
// small ones stay sharp instead of being scaled down from a large one. The
// pictures are bare pixels, so no image decoder (and none of Qt's image
// format plugins) is loaded for them.
QIcon iconOf(const QString& name) {
    QIcon icon;
    const QString folder = QStringLiteral(":/icons/pixels");
    for (const QString& size : QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QResource pixels(folder + QLatin1Char('/') + size + QLatin1Char('/') + name +
                               QStringLiteral(".argb32"));
        const int side = size.toInt();
        if (side <= 0 || pixels.compressionAlgorithm() != QResource::NoCompression ||
            pixels.size() != qint64{side} * side * 4) {
            continue;
        }
        // Wrapped, not copied: the pixmap made from it holds the copy.
        const auto rowBytes = static_cast<qsizetype>(side) * 4;
        const QImage image(pixels.data(), side, side, rowBytes,
                           QImage::Format_ARGB32_Premultiplied);
        icon.addPixmap(QPixmap::fromImage(image));
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
