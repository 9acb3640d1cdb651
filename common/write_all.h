#pragma once

#include <string_view>

namespace lorvane::common {

// Writes every byte to the open file `fd`, going on after a partial write
// or an interrupted one. False with errno set when the system refuses.
bool writeAll(int fd, std::string_view bytes);

}  // namespace lorvane::common
