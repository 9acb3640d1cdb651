#include "common/gbk_table.h"

namespace lorvane::common::gbk {

namespace {

constexpr unsigned kFirstLead = 0x81, kLastLead = 0xFE;
constexpr unsigned kFirstTrail = 0x40, kLastTrail = 0xFE;
constexpr unsigned kTrails = kLastTrail - kFirstTrail + 1;

// Written at build time by gbk_table_generator, lead by lead.
constexpr std::uint16_t kTable[] = {
#include "gbk_table.inc"
};
static_assert(sizeof kTable / sizeof kTable[0] == (kLastLead - kFirstLead + 1) * kTrails);

}  // namespace

char32_t tableCodePoint(unsigned char lead, unsigned char trail) {
    if (lead < kFirstLead || lead > kLastLead || trail < kFirstTrail || trail > kLastTrail) {
        return 0;
    }
    return kTable[(lead - kFirstLead) * kTrails + (trail - kFirstTrail)];
}

}  // namespace lorvane::common::gbk
