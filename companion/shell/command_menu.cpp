#include "companion/shell/command_menu.h"

namespace lorvane::companion {

CommandMenu::CommandMenu(QWidget* parent) : QMenu(parent) {
    setObjectName(QStringLiteral("file"));
    entry("xianshiwin", QStringLiteral("显示窗体"), QStringLiteral("Ctrl+W"), Command::ShowWindow);
    separator("step12");
    entry("bofangzanting", QStringLiteral("播放"), QStringLiteral("Ctrl+P"), Command::SpeakWord);
    entry("stop", QStringLiteral("显示正确英文"), QStringLiteral("Ctrl+S"), Command::ShowEnglish);
    entry("shangyitiao", QStringLiteral("上一条"), QStringLiteral("Ctrl+B"), Command::PreviousItem);
    entry("xiayiduan", QStringLiteral("下一条"), QStringLiteral("Ctrl+N"), Command::NextItem);
    entry("shangyizu", QStringLiteral("上一组"), QStringLiteral("Ctrl+Q"), Command::PreviousGroup);
    entry("xiayizu", QStringLiteral("下一组"), QStringLiteral("Ctrl+H"), Command::NextGroup);
    separator("shezhi");
    entry("munTwo", QStringLiteral("语速及语音设置"), QStringLiteral("F1"), Command::VoiceSettings);
    entry("liebiaowenjian", QStringLiteral("列表文件设置"), QStringLiteral("F2"),
          Command::LessonList);
    entry("zitishezhi", QStringLiteral("字体颜色设置"), QStringLiteral("F3"), Command::TextColour);
    entry("beijingshezhi", QStringLiteral("背景设置"), QStringLiteral("F4"), Command::BackColour);
    entry("suijixianshi", QStringLiteral("随机显示单词"), QStringLiteral("F5"),
          Command::ToggleRandom, true);
    separator("step9");
    entry("munOnTop", QStringLiteral("窗口总在最前"), {}, Command::ToggleOnTop, true);
    entry("zidongqidong", QStringLiteral("自动启动"), {}, Command::ToggleAutostart, true);
    entry("zuixiaohua", QStringLiteral("最小化"), QStringLiteral("F6"), Command::HideWindow);
    separator("helpme");
    entry("help", QStringLiteral("使用说明(&S)"), {}, Command::Help);
    entry("munExit", QStringLiteral("退出"), QStringLiteral("F9"), Command::Exit);
    showChecks(MenuChecks{});
}

QAction* CommandMenu::entry(const char* name, const QString& caption, const QString& shortcut,
                            Command command, bool checkable) {
    // Text after a tab is drawn in the menu's shortcut column.
    QAction* action =
        addAction(shortcut.isEmpty() ? caption : caption + QLatin1Char('\t') + shortcut);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(checkable);
    connect(action, &QAction::triggered, this, [this, command] {
        if (onCommand) {
            onCommand(command);
        }
    });
    return action;
}

void CommandMenu::separator(const char* name) {
    addSeparator()->setObjectName(QString::fromLatin1(name));
}

void CommandMenu::showChecks(const MenuChecks& checks) {
    findChild<QAction*>(QStringLiteral("suijixianshi"))->setChecked(checks.suijixianshi);
    findChild<QAction*>(QStringLiteral("munOnTop"))->setChecked(checks.munOnTop);
    findChild<QAction*>(QStringLiteral("zidongqidong"))->setChecked(checks.zidongqidong);
}

}  // namespace lorvane::companion
