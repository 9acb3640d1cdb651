// Build tool: writes the programs' icons and their desktop launchers into
// the program folder, with the full paths of the executables.
//   stage_launchers PROGRAM_FOLDER
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "app_icons.h"
#include "autostart_entry.h"

namespace {

bool writeLauncher(const QString& folder, const QString& name, const QString& comment,
                   const QString& icon) {
    QFile file(folder + QLatin1Char('/') + name + QStringLiteral(".desktop"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    const QString text = QStringLiteral(
                             "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=%1\n"
                             "Comment=%2\n"
                             "Exec=%3\n"
                             "Icon=%4\n"
                             "Terminal=false\n"
                             "Categories=Education;\n")
                             .arg(name, comment, desktopExecValue(folder + QLatin1Char('/') + name),
                                  folder + QLatin1Char('/') + icon);
    return file.write(text.toUtf8()) > 0;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const bool ok =
        lorvaneIconImage(256).save(folder + QStringLiteral("/lorvane.png")) &&
        miselleIconImage(256).save(folder + QStringLiteral("/miselle.png")) &&
        writeLauncher(folder, QStringLiteral("Lorvane"), QStringLiteral("背单词的卡片训练程序"),
                      QStringLiteral("lorvane.png")) &&
        writeLauncher(folder, QStringLiteral("Miselle"),
                      QStringLiteral("在桌面一角陪你背单词的小窗口"),
                      QStringLiteral("miselle.png"));
    return ok ? 0 : 1;
}
