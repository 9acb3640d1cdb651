#pragma once

#include <exception>
#include <future>
#include <utility>

namespace lorvane::common {

// Runs `read` on a thread of its own, for a start that wants its result a
// moment later, once it is connected to the display. `read` gives an
// optional; whatever goes wrong in it (no GBK converter, no memory) gives
// nothing instead: it happens again when the start reads the files itself,
// and is told there.
template <typename Read>
[[nodiscard]] auto startReadingAhead(Read read) -> std::future<decltype(read())> {
    return std::async(std::launch::async, [read = std::move(read)]() -> decltype(read()) {
        try {
            return read();
        } catch (const std::exception&) {
            return {};
        }
    });
}

}  // namespace lorvane::common
