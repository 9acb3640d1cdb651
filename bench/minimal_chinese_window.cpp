// Benchmark floor for the trainer: the smallest Qt Widgets program that shows
// a window with Chinese text, so the font set-up every Chinese window pays is
// in the floor too.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("minimal-chinese-window"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("单词的中文意思")));
    window.resize(400, 300);
    window.show();
    return QApplication::exec();
}
