#pragma once

// Ids of the main window's own texts in the program's string table.
namespace MainWindowString {
constexpr int Restore = 2000;
constexpr int Minimise = 2001;
constexpr int Close = 2002;
constexpr int WindowMenu = 2003; // the system-menu area of the caption strip
constexpr int Pages = 2004;      // the tabs, as a screen reader names them
constexpr int FirstTab = 2010;   // the tab captions, in tab order: 2010 to 2015
} // namespace MainWindowString
