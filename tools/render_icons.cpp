// Build tool: renders the programs' icons, drawn as SVG files in data/icons,
// into a hicolor icon theme tree, one PNG per size beside the SVG itself:
//   render_icons OUTPUT_FOLDER SIZE,SIZE,… NAME.svg…
// writes OUTPUT_FOLDER/hicolor/SIZExSIZE/apps/NAME.png for every size and
// OUTPUT_FOLDER/hicolor/scalable/apps/NAME.svg, for the desktop; and for the
// programs, which embed them, the same pictures as bare pixels,
// OUTPUT_FOLDER/pixels/SIZE/NAME.argb32 (premultiplied ARGB, one 32-bit
// word per pixel in the machine's byte order, row by row): they show them
// without an image decoder, which would load every image format plugin
// Qt has at the program's start.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

bool writePixels(const QImage& image, const QString& path) {
    QFile file(path);
    const auto bytes = static_cast<qint64>(image.sizeInBytes());
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char*>(image.constBits()), bytes) == bytes;
}

bool renderIcon(const QString& svgPath, const QList<int>& sizes, const QString& outputFolder) {
    const QString themeFolder = outputFolder + QStringLiteral("/hicolor");
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render_icons: cannot read %s\n", qPrintable(svgPath));
        return false;
    }
    const QString name = QFileInfo(svgPath).completeBaseName();
    for (const int size : sizes) {
        const QString folder = themeFolder + QStringLiteral("/%1x%1/apps").arg(size);
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        const QString pixels = outputFolder + QStringLiteral("/pixels/%1/").arg(size) + name +
                               QStringLiteral(".argb32");
        if (!QDir().mkpath(folder) || !image.save(folder + QLatin1Char('/') + name + ".png") ||
            !writePixels(image, pixels)) {
            std::fprintf(stderr, "render_icons: cannot write %s\n", qPrintable(folder));
            return false;
        }
    }
    const QString scalable = themeFolder + QStringLiteral("/scalable/apps");
    const QString copy = scalable + QLatin1Char('/') + name + QStringLiteral(".svg");
    QFile::remove(copy);
    return QDir().mkpath(scalable) && QFile::copy(svgPath, copy);
}

}  // namespace

int main(int argc, char** argv) {
    // Rendering needs no display: this runs in builds without one.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER SIZE,SIZE,... NAME.svg...\n", argv[0]);
        return 2;
    }
    const QString outputFolder = QString::fromLocal8Bit(argv[1]);
    QList<int> sizes;
    for (const QString& text : QString::fromLatin1(argv[2]).split(QLatin1Char(','))) {
        bool ok = false;
        const int size = text.toInt(&ok);
        if (!ok || size < 1 || size > 1024) {
            std::fprintf(stderr, "render_icons: bad size %s\n", qPrintable(text));
            return 2;
        }
        sizes.append(size);
    }
    for (int i = 3; i < argc; ++i) {
        if (!renderIcon(QString::fromLocal8Bit(argv[i]), sizes, outputFolder)) {
            return 1;
        }
    }
    return 0;
}
