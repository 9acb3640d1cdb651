#pragma once

#include <cstdint>

namespace lorvane::common::gbk {

// The code point of GBK's two-byte character `lead` `trail`, as the system's
// GBK converter decodes it; 0 when the pair is no character the table knows
// (the converter is asked then).
char32_t tableCodePoint(unsigned char lead, unsigned char trail);

}  // namespace lorvane::common::gbk
