#pragma once

namespace lorvane::companion {

// The check marks of the command menu, the only state the menu has.
struct MenuChecks {
    bool suijixianshi = false;  // items in random order
    bool munOnTop = true;       // main window always on top
    bool zidongqidong = false;  // start at logon; acted on only at exit
};

}  // namespace lorvane::companion
