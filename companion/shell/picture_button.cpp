#include "companion/shell/picture_button.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace lorvane::companion {

PictureButton::PictureButton(const QImage& picture, const QString& tip, QWidget* parent)
    : QWidget(parent), picture_(picture) {
    setToolTip(tip);
    setFixedSize(32, 32);
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(rect(), picture_);
    if (pressed_) {
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PictureButton::mousePressEvent(QMouseEvent*) {
    pressed_ = true;
    update();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
    pressed_ = false;
    update();
    if (rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

namespace {

constexpr int kSize = 32;

QImage blank() {
    QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A sheet of paper with a folded corner and a few lines of text.
void drawPage(QPainter& painter) {
    QPainterPath page;
    page.moveTo(6, 3);
    page.lineTo(20, 3);
    page.lineTo(26, 9);
    page.lineTo(26, 29);
    page.lineTo(6, 29);
    page.closeSubpath();
    painter.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
    painter.setBrush(Qt::white);
    painter.drawPath(page);
    painter.drawLine(QPointF(20, 3), QPointF(20, 9));
    painter.drawLine(QPointF(20, 9), QPointF(26, 9));
    painter.setPen(QPen(QColor(0x90, 0xa8, 0xc0), 1));
    for (int y = 12; y <= 24; y += 4) {
        painter.drawLine(QPointF(9, y), QPointF(22, y));
    }
}

// A round badge in the lower right corner.
void drawBadge(QPainter& painter, const QColor& colour) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(15, 15, 16, 16));
    painter.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap));
}

}  // namespace

QImage addLessonPicture() {
    QImage image = blank();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawPage(painter);
    drawBadge(painter, QColor(0x20, 0x9a, 0x40));
    painter.drawLine(QPointF(23, 18.5), QPointF(23, 27.5));
    painter.drawLine(QPointF(18.5, 23), QPointF(27.5, 23));
    return image;
}

QImage deleteLessonPicture() {
    QImage image = blank();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawPage(painter);
    drawBadge(painter, QColor(0xc8, 0x28, 0x28));
    painter.drawLine(QPointF(19.5, 19.5), QPointF(26.5, 26.5));
    painter.drawLine(QPointF(26.5, 19.5), QPointF(19.5, 26.5));
    return image;
}

QImage studyLessonPicture() {
    QImage image = blank();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x00, 0x80, 0x80));
    painter.drawEllipse(QRectF(2, 2, 28, 28));
    QPainterPath play;
    play.moveTo(12, 8.5);
    play.lineTo(23.5, 16);
    play.lineTo(12, 23.5);
    play.closeSubpath();
    painter.setBrush(Qt::white);
    painter.drawPath(play);
    return image;
}

QImage closeListPicture() {
    QImage image = blank();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // The door frame and the open door leaf.
    painter.setPen(QPen(QColor(0x50, 0x50, 0x50), 1.5));
    painter.setBrush(QColor(0xe8, 0xe0, 0xd0));
    painter.drawRect(QRectF(4, 3, 14, 26));
    QPainterPath leaf;
    leaf.moveTo(4, 3);
    leaf.lineTo(12, 6);
    leaf.lineTo(12, 31);
    leaf.lineTo(4, 29);
    leaf.closeSubpath();
    painter.setBrush(QColor(0xa0, 0x68, 0x30));
    painter.drawPath(leaf);
    // The arrow going out.
    painter.setPen(QPen(QColor(0x20, 0x60, 0xc0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(QPointF(16, 16), QPointF(28, 16));
    painter.drawLine(QPointF(23, 11), QPointF(28, 16));
    painter.drawLine(QPointF(23, 21), QPointF(28, 16));
    return image;
}

}  // namespace lorvane::companion
