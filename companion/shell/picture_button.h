#pragma once

#include <QImage>
#include <QWidget>

namespace lorvane::companion {

// A picture that acts as a button, as in the lesson list window's strip:
// pressing a mouse button on it draws a thin border round it, releasing
// the button takes the border away, and a release over the picture clicks.
class PictureButton : public QWidget {
    Q_OBJECT

public:
    PictureButton(const QImage& picture, const QString& tip, QWidget* parent = nullptr);

    bool isPressed() const { return pressed_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    bool pressed_ = false;
};

// The four 32 × 32 pictures of the lesson list window's buttons.
QImage addLessonPicture();     // a page with a green plus
QImage deleteLessonPicture();  // a page with a red cross
QImage studyLessonPicture();   // a green play triangle
QImage closeListPicture();     // an open door with an arrow going out

}  // namespace lorvane::companion
