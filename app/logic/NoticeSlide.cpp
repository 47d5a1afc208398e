#include "logic/NoticeSlide.h"

#include <algorithm>

NoticeSlide::NoticeSlide(int targetTop, int ownerBottom, int height)
    : m_target(targetTop), m_bottom(ownerBottom), m_height(height), m_current(ownerBottom),
      m_lastHalving(ownerBottom - targetTop) {}

NoticeSlide::Frame NoticeSlide::At(int top) const {
    return {top, std::clamp(m_bottom - top, 0, m_height)};
}

std::optional<NoticeSlide::Frame> NoticeSlide::Next() {
    if (m_arrived)
        return std::nullopt;
    // The window ends exactly at its place, however the steps fall.
    if (m_current <= m_target) {
        m_arrived = true;
        return At(m_target);
    }
    const Frame frame = At(m_current);
    m_current -= m_step;
    while (m_step > 1 && m_current - m_target < m_lastHalving / 2) {
        m_step /= 2;
        m_lastHalving = m_current - m_target;
    }
    return frame;
}
