#include "common/gbk_table.h"

namespace lorvane::common::gbk {

// Written at build time by gbk_table_generator, lead by lead.
const std::uint32_t kTwoByteTable[(kLastLead - kFirstLead + 1) * kTrails] = {
#include "gbk_table.inc"
};

}  // namespace lorvane::common::gbk
