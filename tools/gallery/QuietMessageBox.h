#pragma once

#include "frontend/IMessageBox.h"

// For the screenshots: every box is answered with its default button without being shown, so a
// dialog goes on to the state to be shot.
class QuietMessageBox : public IMessageBox {
public:
    using IMessageBox::Show;
    Answer Show(const Request& request) override { return request.defaultButton; }
};
