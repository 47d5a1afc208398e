#pragma once

// The window that holds a message editor. The editor offers it Escape, Enter, Tab and
// Ctrl+Enter (CharacterFilter's owner keys) before it does anything with them, so the owner can
// apply the user's Enter-key setting or send the message.
class ISmsEditOwner {
public:
    virtual ~ISmsEditOwner() = default;
    // True when the editor may process the key as usual; false swallows it.
    virtual bool OnSmsAbort(char key) = 0;
};
