// Writes the table of GBK's two-byte characters that gbk::decode reads: the
// UTF-8 the system's GBK converter gives each lead and trail byte, 0 where it
// gives none. Run at build time, so the table is the converter's
// own mapping and decoding with it gives what decoding with it would.
//   gbk_table_generator OUTPUT_FILE
#include <iconv.h>

#include <cstdint>
#include <cstdio>

namespace {

constexpr unsigned kFirstLead = 0x81, kLastLead = 0xFE;
constexpr unsigned kFirstTrail = 0x40, kLastTrail = 0xFE;

// The UTF-8 bytes of the one character the converter gives the two bytes,
// packed as the table holds them (first byte lowest, the length in the top
// byte); 0 when the converter gives no such character.
std::uint32_t decodePair(iconv_t converter, unsigned lead, unsigned trail) {
    char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    char out[8] = {};
    char* inPtr = in;
    char* outPtr = out;
    std::size_t inLeft = sizeof in;
    std::size_t outLeft = sizeof out;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
        inLeft != 0) {
        return 0;
    }
    const auto length = static_cast<std::uint32_t>(outPtr - out);
    // GBK's characters are two or three bytes of UTF-8; anything else is
    // left to the converter.
    if (length < 2 || length > 3) {
        return 0;
    }
    std::uint32_t packed = length << 24;
    for (std::uint32_t i = 0; i < length; ++i) {
        packed |= static_cast<std::uint32_t>(static_cast<unsigned char>(out[i])) << (8 * i);
    }
    return packed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gbk_table_generator OUTPUT_FILE\n");
        return 2;
    }
    const iconv_t converter = iconv_open("UTF-8", "GBK");
    if (converter == reinterpret_cast<iconv_t>(-1)) {  // NOLINT(performance-no-int-to-ptr)
        std::fprintf(stderr, "gbk_table_generator: iconv has no GBK converter\n");
        return 1;
    }
    std::FILE* file = std::fopen(argv[1], "w");
    if (!file) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(file, "// Made by gbk_table_generator from the system's GBK converter.\n");
    int column = 0;
    for (unsigned lead = kFirstLead; lead <= kLastLead; ++lead) {
        for (unsigned trail = kFirstTrail; trail <= kLastTrail; ++trail) {
            std::fprintf(file, "0x%08x,%s", decodePair(converter, lead, trail),
                         ++column % 8 == 0 ? "\n" : " ");
        }
    }
    std::fprintf(file, "\n");
    iconv_close(converter);
    return std::fclose(file) == 0 ? 0 : 1;
}
