#pragma once

#include <cstdint>

namespace lorvane::common::gbk {

// GBK's two-byte characters as the system's GBK converter decodes them,
// made from it at build time: lead bytes 81–FE, trail bytes 40–FE.
inline constexpr unsigned kFirstLead = 0x81, kLastLead = 0xFE;
inline constexpr unsigned kFirstTrail = 0x40, kLastTrail = 0xFE;
inline constexpr unsigned kTrails = kLastTrail - kFirstTrail + 1;

// Each entry holds the character's UTF-8 bytes, the first in the lowest
// byte, and their number (2 or 3) in the top byte; 0 when the pair is no
// character the table knows (the converter is asked then).
extern const std::uint32_t kTwoByteTable[(kLastLead - kFirstLead + 1) * kTrails];

inline std::uint32_t tableEntry(unsigned char lead, unsigned char trail) {
    if (lead < kFirstLead || lead > kLastLead || trail < kFirstTrail || trail > kLastTrail) {
        return 0;
    }
    return kTwoByteTable[(lead - kFirstLead) * kTrails + (trail - kFirstTrail)];
}

}  // namespace lorvane::common::gbk
