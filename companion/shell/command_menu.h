#pragma once

#include <QMenu>
#include <functional>

#include "companion/engine/menu_checks.h"
#include "companion/shell/commands.h"

namespace lorvane::companion {

// The companion's one menu `file`, popped up from the tray icon, the window
// body and the left corner button; never shown as a menu bar. Its entries
// carry the names of the old menu entries as object names. The keys beside
// the entries are shown as text only: they act through the answer box, once
// per key press, and Ctrl+W through the desktop-wide hot key.
class CommandMenu : public QMenu {
    Q_OBJECT

public:
    explicit CommandMenu(QWidget* parent = nullptr);

    // Shows the check marks of the model.
    void showChecks(const MenuChecks& checks);

    std::function<void(Command)> onCommand;

private:
    QAction* entry(const char* name, const QString& caption, const QString& shortcut,
                   Command command, bool checkable = false);
    void separator(const char* name);
};

}  // namespace lorvane::companion
