#include "present/sdl/move_echo.h"

namespace host::sdl {

void MoveEchoes::Expire(std::uint32_t nowMs)
{
    while (!pending_.empty() && nowMs - pending_.front().at > kLifetimeMs) pending_.pop_front();
}

void MoveEchoes::Expect(POINT position, std::uint32_t nowMs)
{
    Expire(nowMs);
    if (pending_.size() == kMaxPending) pending_.pop_front();
    pending_.push_back(Request{position, nowMs});
}

bool MoveEchoes::Consume(POINT position, std::uint32_t nowMs)
{
    Expire(nowMs);
    for (auto it = pending_.begin(); it != pending_.end(); ++it) {
        if (it->position.x == position.x && it->position.y == position.y) {
            pending_.erase(pending_.begin(), it + 1);
            return true;
        }
    }
    return false;
}

}  // namespace host::sdl
