#include "platform/app_icons.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QTest>

using namespace lorvane::platform;

namespace {

QColor colourAt(const QImage& image, double x, double y) {
    // Positions as fractions of the side, as the drawings are laid out.
    return image.pixelColor(static_cast<int>(x * image.width()),
                            static_cast<int>(y * image.height()));
}

bool near(const QColor& actual, const QColor& expected) {
    return actual.alpha() > 240 && qAbs(actual.red() - expected.red()) < 8 &&
           qAbs(actual.green() - expected.green()) < 8 && qAbs(actual.blue() - expected.blue()) < 8;
}

}  // namespace

class AppIconsTest : public QObject {
    Q_OBJECT

private slots:
    // Decoding a picture makes Qt load every image format plugin it has (and
    // Qt Svg with them), some 5 ms and 0.8 MB at each start: the icons are
    // made without. (First in this file, before any picture is decoded.)
    void theIconsNeedNoImageDecoder() {
        QCOMPARE(lorvaneIcon().availableSizes().size(), 6);
        QCOMPARE(miselleIcon().availableSizes().size(), 6);
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        QVERIFY(!maps.readAll().contains("imageformats"));
    }

    // The window and tray ask for small sizes (menus and docks take the
    // large ones from the installed icon theme): each is a picture of its
    // own, rendered at exactly that size.
    void everySizeTheDesktopAsksForIsThere_data() {
        QTest::addColumn<QIcon>("icon");
        QTest::newRow("Lorvane") << lorvaneIcon();
        QTest::newRow("Miselle") << miselleIcon();
    }
    void everySizeTheDesktopAsksForIsThere() {
        QFETCH(QIcon, icon);
        const QList<QSize> sizes = icon.availableSizes();
        for (const int side : {16, 22, 24, 32, 48, 64}) {
            QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
            QCOMPARE(icon.pixmap(QSize(side, side)).size(), QSize(side, side));
        }
    }

    // The drawings as rendered: the trainer's blue card with a white "L" in
    // front of an orange one, the companion's teal bubble with a white "M";
    // what lies outside the shapes stays transparent.
    void theDrawingsAreRendered() {
        const QImage lorvane = lorvaneIcon().pixmap(QSize(64, 64)).toImage();
        QVERIFY(near(colourAt(lorvane, 0.15, 0.85), QColor(0x2f, 0x5f, 0x8f)));  // front card
        QVERIFY(near(colourAt(lorvane, 0.85, 0.15), QColor(0xf0, 0xa0, 0x30)));  // card behind
        QVERIFY(near(colourAt(lorvane, 0.35, 0.55), Qt::white));                 // the L's stem
        QCOMPARE(colourAt(lorvane, 0.02, 0.02).alpha(), 0);
        QCOMPARE(colourAt(lorvane, 0.97, 0.97).alpha(), 0);

        const QImage miselle = miselleIcon().pixmap(QSize(64, 64)).toImage();
        QVERIFY(near(colourAt(miselle, 0.15, 0.5), QColor(0x00, 0x80, 0x80)));   // the bubble
        QVERIFY(near(colourAt(miselle, 0.27, 0.8), QColor(0x00, 0x80, 0x80)));   // its tail
        QVERIFY(near(colourAt(miselle, 0.36, 0.4), Qt::white));                  // the M's stem
        QCOMPARE(colourAt(miselle, 0.9, 0.95).alpha(), 0);
    }
};

QTEST_MAIN(AppIconsTest)
#include "app_icons_test.moc"
