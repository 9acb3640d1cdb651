#include "app_icons.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QImage blank(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void drawLetter(QPainter& painter, const QRectF& area, QChar letter) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(qMax(6, static_cast<int>(area.height() * 0.62)));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(area, Qt::AlignCenter, QString(letter));
}

QIcon iconOf(QImage (*draw)(int)) {
    QIcon icon;
    for (const int size : {16, 22, 32, 48, 64, 128, 256}) {
        icon.addPixmap(QPixmap::fromImage(draw(size)));
    }
    return icon;
}

}  // namespace

QImage lorvaneIconImage(int size) {
    QImage image = blank(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    // A second card peeking out behind the first: the card boxes.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xf0, 0xa0, 0x30));
    painter.drawRoundedRect(QRectF(s * 0.22, s * 0.06, s * 0.72, s * 0.72), s * 0.1, s * 0.1);
    painter.setBrush(QColor(0x2f, 0x5f, 0x8f));
    const QRectF front(s * 0.06, s * 0.22, s * 0.72, s * 0.72);
    painter.drawRoundedRect(front, s * 0.1, s * 0.1);
    drawLetter(painter, front, QLatin1Char('L'));
    return image;
}

QImage miselleIconImage(int size) {
    QImage image = blank(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QPainterPath bubble;
    const QRectF body(s * 0.06, s * 0.08, s * 0.88, s * 0.66);
    bubble.addRoundedRect(body, s * 0.16, s * 0.16);
    QPainterPath tail;
    tail.moveTo(s * 0.26, s * 0.70);
    tail.lineTo(s * 0.20, s * 0.94);
    tail.lineTo(s * 0.46, s * 0.72);
    tail.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x00, 0x80, 0x80));  // the companion's own teal
    painter.drawPath(bubble.united(tail));
    drawLetter(painter, body, QLatin1Char('M'));
    return image;
}

QIcon lorvaneIcon() {
    return iconOf(lorvaneIconImage);
}

QIcon miselleIcon() {
    return iconOf(miselleIconImage);
}
