#include "logic/CaptionStrip.h"

StripPart CaptionStrip::HitTest(int x, int y) const {
    if (!Caption().Contains(x, y))
        return StripPart::Outside;
    if (CloseButton().Contains(x, y))
        return StripPart::Close;
    if (ImageCell().Contains(x, y))
        return StripPart::ImageCell;
    if (MinimiseButton().Contains(x, y))
        return StripPart::Minimise;
    if (SystemMenuArea().Contains(x, y))
        return StripPart::SystemMenu;
    return StripPart::Caption;
}

StripCommand CaptionStrip::Press(int x, int y) {
    const StripPart part = HitTest(x, y);
    if (IsButton(part)) {
        m_armed = part;
        m_pointerOnArmed = true;
        return StripCommand::None;
    }
    Cancel();
    if (part == StripPart::Caption)
        return StripCommand::Move;
    if (part == StripPart::SystemMenu)
        return StripCommand::SystemMenu;
    return StripCommand::None;
}

void CaptionStrip::Move(int x, int y) {
    if (IsArmed())
        m_pointerOnArmed = HitTest(x, y) == m_armed;
}

StripCommand CaptionStrip::Release(int x, int y) {
    const StripPart armed = m_armed;
    Cancel();
    if (armed == StripPart::Outside || HitTest(x, y) != armed)
        return StripCommand::None;
    return armed == StripPart::Close ? StripCommand::Close : StripCommand::Minimise;
}

void CaptionStrip::Cancel() {
    m_armed = StripPart::Outside;
    m_pointerOnArmed = false;
}
