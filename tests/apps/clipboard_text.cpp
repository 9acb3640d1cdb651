// Prints the text on the X clipboard as UTF-8, exactly as its owner gives
// it: the scripts here read a message box's text after pressing Ctrl+C in it.
#include <QClipboard>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QByteArray text = QGuiApplication::clipboard()->text().toUtf8();
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
    return text.isEmpty() ? 1 : 0;
}
