// Any bytes decoded from GBK and encoded again come back unchanged, and any
// UTF-8 text survives encoding and decoding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/gbk_codec.h"
#include "common/utf8_text.h"

using namespace lorvane::common;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (gbk::encode(gbk::decode(bytes)) != bytes) {
        std::abort();
    }
    if (utf8::isValid(bytes)) {
        // Valid UTF-8 may still hold code points no Chinese code page has
        // (they become "?"); everything else must come back.
        const std::string back = gbk::decode(gbk::encode(bytes));
        if (back.size() != bytes.size() && back.find('?') == std::string::npos) {
            std::abort();
        }
    }
    return 0;
}
