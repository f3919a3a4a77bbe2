#include "present/sdl/move_echo.h"

namespace host::sdl {

void MoveEchoes::Expire(std::uint32_t nowMs)
{
    while (!m_pending.empty() && nowMs - m_pending.front().at > kLifetimeMs) m_pending.pop_front();
}

void MoveEchoes::Expect(POINT position, std::uint32_t nowMs)
{
    Expire(nowMs);
    if (m_pending.size() == kMaxPending) m_pending.pop_front();
    m_pending.push_back(Request{position, nowMs});
}

bool MoveEchoes::Consume(POINT position, std::uint32_t nowMs)
{
    Expire(nowMs);
    for (auto it = m_pending.begin(); it != m_pending.end(); ++it) {
        if (it->position.x == position.x && it->position.y == position.y) {
            m_pending.erase(m_pending.begin(), it + 1);
            return true;
        }
    }
    return false;
}

}  // namespace host::sdl
