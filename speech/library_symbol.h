#pragma once

#include <dlfcn.h>

namespace lorvane::speech {

// Points `function` at the symbol `name` of a library opened with dlopen;
// false when the library has no such symbol (another version, or not the
// library it claims to be), and the synthesiser is then treated as absent.
template <typename Function>
bool lookUpSymbol(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

}  // namespace lorvane::speech
