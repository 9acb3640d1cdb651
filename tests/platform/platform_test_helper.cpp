// A second program for the platform tests: it holds a single-instance lock
// or the hot key from another process, the way a second Miselle or another
// desktop program would.
//
//   platform_test_helper lock NAME   prints "locked" or "busy"
//   platform_test_helper grab        prints "grabbed" or "busy" (Ctrl+W)
//   platform_test_helper platform    starts as the programs do and prints
//                                    the platform Qt chose and the
//                                    QT_QPA_PLATFORM it leaves to programs
//                                    it starts ("-" for none)
//   platform_test_helper qt-default  the same, started as Qt would on its own
//
// After "locked" or "grabbed" it holds on until its standard input is closed
// (or it is killed), then ends with 0; "busy" ends with 1 at once.
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "platform/global_hot_key.h"
#include "platform/single_instance.h"
#include "platform/x11_platform_request.h"

using namespace lorvane::platform;

namespace {

int report(bool held, const char* heldWord) {
    std::puts(held ? heldWord : "busy");
    std::fflush(stdout);
    if (!held) {
        return 1;
    }
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "lock") == 0) {
        QCoreApplication app(argc, argv);
        const SingleInstance instance(QString::fromUtf8(argv[2]));
        return report(instance.isOnlyInstance(), "locked");
    }
    if (argc == 2 && std::strcmp(argv[1], "grab") == 0) {
        QGuiApplication app(argc, argv);
        GlobalHotKey hotKey;
        return report(hotKey.registerKey(), "grabbed");
    }
    if (argc == 2 &&
        (std::strcmp(argv[1], "platform") == 0 || std::strcmp(argv[1], "qt-default") == 0)) {
        const bool asTheProgramsDo = std::strcmp(argv[1], "platform") == 0;
        if (asTheProgramsDo) {
            requestX11Platform();
        }
        QGuiApplication app(argc, argv);
        if (asTheProgramsDo) {
            withdrawX11PlatformRequest();
        }
        const QByteArray left = qgetenv("QT_QPA_PLATFORM");
        std::printf("%s %s\n", QGuiApplication::platformName().toUtf8().constData(),
                    qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ? left.constData() : "-");
        return 0;
    }
    std::fputs("usage: platform_test_helper lock NAME | grab | platform | qt-default\n", stderr);
    return 2;
}
