#include "platform/chinese_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void loadChineseTranslations(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    }
}
