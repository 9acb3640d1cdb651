#pragma once

class QCoreApplication;

namespace lorvane::platform {

// Loads Qt's own Chinese texts, so that message boxes say 确定 and 取消.
// Without the translations package the buttons simply stay in English.
void loadChineseTranslations(QCoreApplication& app);

}  // namespace lorvane::platform
