#include "companion/shell/command_menu.h"

namespace lorvane::companion {

CommandMenu::CommandMenu(QWidget* parent) : QMenu(parent) {
    setObjectName(QStringLiteral("file"));
    entry("xianshiwin", QStringLiteral("显示窗体"), QStringLiteral("Ctrl+W"), Command::ShowWindow);
    separator("step12");
    entry("bofangzanting", QStringLiteral("播放"), QStringLiteral("Ctrl+P"), Command::SpeakWord);
    entry("stop", QStringLiteral("显示正确英文"), QStringLiteral("Ctrl+S"), Command::RevealEnglish);
    entry("shangyitiao", QStringLiteral("上一条"), QStringLiteral("Ctrl+B"), Command::PreviousItem);
    entry("xiayiduan", QStringLiteral("下一条"), QStringLiteral("Ctrl+N"), Command::NextItem);
    entry("shangyizu", QStringLiteral("上一组"), QStringLiteral("Ctrl+Q"), Command::PreviousGroup);
    entry("xiayizu", QStringLiteral("下一组"), QStringLiteral("Ctrl+H"), Command::NextGroup);
    separator("shezhi");
    entry("munTwo", QStringLiteral("语速及语音设置"), QStringLiteral("F1"), Command::VoiceSettings);
    entry("liebiaowenjian", QStringLiteral("列表文件设置"), QStringLiteral("F2"),
          Command::LessonList);
    entry("zitishezhi", QStringLiteral("字体颜色设置"), QStringLiteral("F3"), Command::TextColour);
    entry("beijingshezhi", QStringLiteral("背景设置"), QStringLiteral("F4"),
          Command::BackgroundColour);
    entry("suijixianshi", QStringLiteral("随机显示单词"), QStringLiteral("F5"),
          Command::ToggleRandomOrder, true);
    separator("step9");
    entry("munOnTop", QStringLiteral("窗口总在最前"), {}, Command::ToggleAlwaysOnTop, true);
    entry("zidongqidong", QStringLiteral("自动启动"), {}, Command::ToggleStartAtLogon, true);
    entry("zuixiaohua", QStringLiteral("最小化"), QStringLiteral("F6"), Command::HideWindow);
    separator("helpme");
    entry("help", QStringLiteral("使用说明(&S)"), {}, Command::Help);
    entry("munExit", QStringLiteral("退出"), QStringLiteral("F9"), Command::Exit);
    showOptions(MenuOptions{});
    connect(this, &QMenu::triggered, this, &CommandMenu::entryTriggered);
}

void CommandMenu::entry(const char* name, const QString& caption, const QString& shortcut,
                        Command command, bool checkable) {
    // Text after a tab is drawn in the menu's shortcut column.
    QAction* action =
        addAction(shortcut.isEmpty() ? caption : caption + QLatin1Char('\t') + shortcut);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(checkable);
    action->setData(static_cast<int>(command));
}

void CommandMenu::entryTriggered(QAction* action) {
    emit commandGiven(static_cast<Command>(action->data().toInt()));
}

void CommandMenu::separator(const char* name) {
    addSeparator()->setObjectName(QString::fromLatin1(name));
}

void CommandMenu::showOptions(const MenuOptions& options) {
    findChild<QAction*>(QStringLiteral("suijixianshi"))
        ->setChecked(options.isOn(MenuOption::RandomOrder));
    findChild<QAction*>(QStringLiteral("munOnTop"))
        ->setChecked(options.isOn(MenuOption::AlwaysOnTop));
    findChild<QAction*>(QStringLiteral("zidongqidong"))
        ->setChecked(options.isOn(MenuOption::StartAtLogon));
}

}  // namespace lorvane::companion
