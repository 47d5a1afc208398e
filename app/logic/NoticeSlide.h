#pragma once

#include <optional>

// How the notice window slides up from its owner's bottom edge to its place, one timer tick at a
// time: it starts at the bottom edge and moves up by a step of 16 pixels, halved each time the
// distance left falls below half of what was left at the last halving, so it slows down as it
// arrives. Its height is cut so it never reaches below the owner's bottom edge.
class NoticeSlide {
public:
    struct Frame {
        int top;
        int height;
        bool operator==(const Frame&) const = default;
    };

    // targetTop: where the window stands centred on its owner; ownerBottom: the owner's bottom
    // edge; height: the window's full height.
    NoticeSlide(int targetTop, int ownerBottom, int height);

    // Where the window goes at this tick; nothing once it has arrived (the timer stops). The last
    // frame is the target itself.
    std::optional<Frame> Next();

private:
    Frame At(int top) const;

    int m_target;
    int m_bottom;
    int m_height;
    int m_current;
    int m_step = 16;
    int m_lastHalving;
    bool m_arrived = false;
};
