// Tells the desktop's echoes of our own window moves from moves that the
// window manager or the user made. A move we ask for is reported back later,
// possibly after we asked for further ones (a drag asks many times); taking
// such a stale report for a desktop move would pull the window back.
#pragma once

#include "win32.h"

#include <cstdint>
#include <deque>

namespace host::sdl {

class MoveEchoes {
public:
    // How long a request may wait for its report, and how many may wait.
    static constexpr std::uint32_t kLifetimeMs = 2000;
    static constexpr std::size_t kMaxPending = 64;

    void Expect(POINT position, std::uint32_t nowMs);
    // True when `position` is the report of a request: it and every request
    // before it are done with. False for a move of the desktop's own.
    bool Consume(POINT position, std::uint32_t nowMs);
    bool Empty() const { return m_pending.empty(); }

private:
    struct Request {
        POINT position;
        std::uint32_t at;
    };
    void Expire(std::uint32_t nowMs);
    std::deque<Request> m_pending;
};

}  // namespace host::sdl
