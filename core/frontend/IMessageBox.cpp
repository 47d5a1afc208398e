#include "frontend/IMessageBox.h"

#include "model/CoreTexts.h"

IMessageBox::Answer FirstButton(IMessageBox::Buttons buttons) {
    using B = IMessageBox::Buttons;
    using A = IMessageBox::Answer;
    return buttons == B::YesNo || buttons == B::YesNoCancel ? A::Yes : A::Ok;
}

IMessageBox::Answer IMessageBox::Show(const StringTable& strings, int id,
                                      std::initializer_list<TextArg> args, Icon icon,
                                      Buttons buttons) {
    return Show(strings, id, args, icon, buttons, FirstButton(buttons));
}

IMessageBox::Answer IMessageBox::Show(const StringTable& strings, int id,
                                      std::initializer_list<TextArg> args, Icon icon,
                                      Buttons buttons, Answer defaultButton) {
    const auto format = strings.GetUtf8(id);
    const std::string text = format ? FormatText(*format, args) : std::to_string(id);
    return Show(Request{id, text, icon, buttons, defaultButton});
}

IMessageBox::Answer IMessageBox::Show(const std::string& text, Icon icon, Buttons buttons) {
    return Show(Request{0, text, icon, buttons, FirstButton(buttons)});
}

IMessageBox::Answer IMessageBox::Show(CoreString id, std::initializer_list<TextArg> args, Icon icon,
                                      Buttons buttons) {
    return Show(id, args, icon, buttons, FirstButton(buttons));
}

IMessageBox::Answer IMessageBox::Show(CoreString id, std::initializer_list<TextArg> args, Icon icon,
                                      Buttons buttons, Answer defaultButton) {
    return Show(*CoreTexts::Strings(), static_cast<int>(id), args, icon, buttons, defaultButton);
}
