#pragma once

#include <string>

// The page the notice window shows: the notice text as an HTML page whose body refuses the
// context menu. A text with an "<HTML" tag (any case) gets the attribute oncontextmenu="return
// false" inserted right after its "<BODY", unless its body tag already has one; any other text
// is wrapped in an HTML page with that body.
std::string NoticeHtml(const std::string& text);
