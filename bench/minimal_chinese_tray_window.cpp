// Benchmark floor for the companion: the smallest Qt Widgets program that
// shows an icon in the notification area and a small window with Chinese
// text, so the font set-up every Chinese window pays is in the floor too.
#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QPixmap picture(32, 32);
    picture.fill(Qt::darkCyan);
    QSystemTrayIcon tray{QIcon(picture)};
    tray.setToolTip(QStringLiteral("minimal-chinese-tray-window"));
    tray.show();
    QWidget window;
    window.setWindowTitle(QStringLiteral("minimal-chinese-tray-window"));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("单词的中文意思")));
    window.resize(192, 39);
    window.show();
    return QApplication::exec();
}
