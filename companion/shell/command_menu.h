#pragma once

#include <QMenu>

#include "companion/engine/menu_options.h"
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

    // Shows the options as check marks.
    void showOptions(const MenuOptions& options);

signals:
    void commandGiven(Command command);

private slots:
    void entryTriggered(QAction* action);

private:
    void entry(const char* name, const QString& caption, const QString& shortcut, Command command,
               bool checkable = false);
    void separator(const char* name);
};

}  // namespace lorvane::companion
