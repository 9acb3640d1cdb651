// Writes the table of GBK's two-byte characters that gbk::decode reads: the
// code point the system's GBK converter gives each lead and trail byte, 0
// where it gives none. Run at build time, so the table is the converter's
// own mapping and decoding with it gives what decoding with it would.
//   gbk_table_generator OUTPUT_FILE
#include <iconv.h>

#include <cstdint>
#include <cstdio>

namespace {

constexpr unsigned kFirstLead = 0x81, kLastLead = 0xFE;
constexpr unsigned kFirstTrail = 0x40, kLastTrail = 0xFE;

// The one BMP code point the converter gives the two bytes; 0 otherwise.
std::uint16_t decodePair(iconv_t converter, unsigned lead, unsigned trail) {
    char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    char out[8] = {};
    char* inPtr = in;
    char* outPtr = out;
    std::size_t inLeft = sizeof in;
    std::size_t outLeft = sizeof out;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
        inLeft != 0 || outPtr - out != 4) {
        return 0;
    }
    const auto byte = [&](int i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(out[i]));
    };
    const std::uint32_t codePoint = byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
    return codePoint > 0x7F && codePoint <= 0xFFFF ? static_cast<std::uint16_t>(codePoint) : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gbk_table_generator OUTPUT_FILE\n");
        return 2;
    }
    const iconv_t converter = iconv_open("UTF-32LE", "GBK");
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
            std::fprintf(file, "0x%04x,%s", decodePair(converter, lead, trail),
                         ++column % 12 == 0 ? "\n" : " ");
        }
    }
    std::fprintf(file, "\n");
    iconv_close(converter);
    return std::fclose(file) == 0 ? 0 : 1;
}
