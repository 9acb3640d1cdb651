// Benchmark floor for the companion: the smallest Qt Widgets program that
// shows a window and an icon in the notification area.
#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QPixmap picture(32, 32);
    picture.fill(Qt::darkCyan);
    QSystemTrayIcon tray{QIcon(picture)};
    tray.setToolTip(QStringLiteral("minimal-tray-window"));
    tray.show();
    QWidget window;
    window.setWindowTitle(QStringLiteral("minimal-tray-window"));
    window.resize(192, 39);
    window.show();
    return QApplication::exec();
}
