#pragma once

#include "model/CaptionTable.h"

// The exit confirmation and the notice window: their dialog ids and the ids of their controls
// that carry a caption (control 0 is the dialog's own caption; controls without an id of their
// own take one from 1900 on).
namespace ExitCaptions {

inline constexpr int kCaption = 0;

namespace Exit {
inline constexpr int kDialog = 182;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;
inline constexpr int kQuestion = 1900;
inline constexpr int kDontAskAgain = 1901;
} // namespace Exit

namespace Notice {
inline constexpr int kDialog = 196;
inline constexpr int kBrowser = 1190; // the page's accessible name
inline constexpr int kClose = 1900;
} // namespace Notice

} // namespace ExitCaptions

// The captions of these two dialogs, in Slovak, UTF-8.
const CaptionTable& ExitCaptionTable();
