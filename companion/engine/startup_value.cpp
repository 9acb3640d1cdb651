#include "companion/engine/startup_value.h"

#include <utility>

namespace lorvane::companion {

StartupValue startupValue(std::string_view programFolder, std::string_view executableFileName) {
    // The name without its extension; a leading dot starts no extension.
    std::string_view name = executableFileName;
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos && dot > 0) {
        name = name.substr(0, dot);
    }
    std::string data(1, '"');
    data.append(programFolder).append(1, '/').append(name).append(".EXE\"");
    data.append(25, ' ');
    return {std::string(name), std::move(data)};
}

}  // namespace lorvane::companion
