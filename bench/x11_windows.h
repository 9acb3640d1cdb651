#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

// Xlib names its int result type with a macro, which would rewrite the
// programs' own Status type in every header read after this one.
#undef Status

#include <string>

// True when a viewable window named `name` exists at or below `window`; the
// start-up benchmarks poll for it to see a program's window on the screen.
inline bool findViewable(Display* display, Window window, const std::string& name) {
    char* windowName = nullptr;
    if (XFetchName(display, window, &windowName) && windowName) {
        const bool match = name == windowName;
        XFree(windowName);
        XWindowAttributes attributes;
        if (match && XGetWindowAttributes(display, window, &attributes) &&
            attributes.map_state == IsViewable) {
            return true;
        }
    }
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) {
        return false;
    }
    bool found = false;
    for (unsigned i = 0; i < count && !found; ++i) {
        found = findViewable(display, children[i], name);
    }
    if (children) {
        XFree(children);
    }
    return found;
}
