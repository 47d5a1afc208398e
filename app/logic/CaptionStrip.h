#pragma once

// A rectangle of the caption strip in window coordinates; right and bottom are exclusive.
struct StripRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const StripRect&) const = default;
};

// The parts of the caption strip the mouse can meet.
enum class StripPart { Outside, Caption, SystemMenu, ImageCell, Minimise, Close };

// What the strip asks its window to do after a mouse event.
enum class StripCommand { None, Move, SystemMenu, Minimise, Close };

// The caption strip that replaces the window system's title bar: its geometry, worked out from
// the window's width, the hit test, and the two buttons (minimise, close), which act like push
// buttons: a press arms one and draws it pressed, the release over the same button runs its
// command, a release anywhere else does nothing.
class CaptionStrip {
public:
    static constexpr int kHeight = 22;

    explicit CaptionStrip(int width = 0) { SetWidth(width); }

    void SetWidth(int width) { m_width = width; }
    int Width() const { return m_width; }

    StripRect Caption() const { return {0, 0, m_width, kHeight}; }
    StripRect CloseButton() const { return {m_width - 18, 4, m_width - 2, 18}; }
    StripRect ImageCell() const { return {m_width - 35, 4, m_width - 19, 18}; }
    StripRect MinimiseButton() const { return {m_width - 52, 4, m_width - 36, 18}; }
    StripRect SystemMenuArea() const { return {2, 2, 64, 16}; }

    StripPart HitTest(int x, int y) const;

    // A left press: Move when it lands on the bare strip (the window is dragged by it),
    // SystemMenu on the system-menu area, otherwise None.
    StripCommand Press(int x, int y);
    // The mouse moved while a button was armed: drawn pressed only while over it.
    void Move(int x, int y);
    // The left button came up: the armed button's command when released over it.
    StripCommand Release(int x, int y);
    // The window lost the mouse (another window took it, a menu opened): the press is void.
    void Cancel();

    // Whether a button holds the mouse (was pressed and not yet released).
    bool IsArmed() const { return m_armed != StripPart::Outside; }
    // The button drawn pressed: Minimise, Close or Outside for none.
    StripPart PressedButton() const { return m_pointerOnArmed ? m_armed : StripPart::Outside; }

    // Whether the strip is drawn in the active colours (its window is the active one).
    bool IsActive() const { return m_active; }
    void SetActive(bool active) { m_active = active; }

private:
    static bool IsButton(StripPart part) {
        return part == StripPart::Minimise || part == StripPart::Close;
    }

    int m_width = 0;
    StripPart m_armed = StripPart::Outside;
    bool m_pointerOnArmed = false;
    bool m_active = true;
};
