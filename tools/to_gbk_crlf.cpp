// Build tool: writes a UTF-8 text file (LF or CR LF line ends) as GBK with
// CR LF, the form in which lessons and example sentences are shipped.
#include <cstdio>
#include <string>

#include "common/atomic_file.h"
#include "common/gbk_codec.h"
#include "common/text_file.h"

using namespace lorvane::common;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SOURCE.utf8 TARGET\n", argv[0]);
        return 2;
    }
    const Result<std::string> read = readFileBytes(argv[1]);
    if (!read) {
        std::fprintf(stderr, "%s: %s\n", argv[1], read.message().c_str());
        return 1;
    }
    const std::string* bytes = &read.value();
    std::string out;
    std::size_t start = 0;
    while (start < bytes->size()) {
        std::size_t end = bytes->find('\n', start);
        if (end == std::string::npos) {
            end = bytes->size();
        }
        std::string line = bytes->substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::string encoded = gbk::encode(line);
        if (gbk::decode(encoded) != line) {
            std::fprintf(stderr, "%s: line not representable in GBK: %s\n", argv[1], line.c_str());
            return 1;
        }
        out += encoded + "\r\n";
        start = end + 1;
    }
    if (const Status written = writeFileAtomically(argv[2], out); !written) {
        std::fprintf(stderr, "%s\n", written.message().c_str());
        return 1;
    }
    return 0;
}
