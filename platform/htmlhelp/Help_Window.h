#pragma once
// The program's help window: a top-level window with the help file's
// contents tree on the left and the topic on the right. Links between
// topics and their pictures are served from the same .chm. There is one
// help window; showing a topic reuses it.

#include "platform/winapi/Gdi.h"
#include "platform/winapi/WinTypes.h"

#include <memory>
#include <string>

class Chm_File;
class QTextBrowser;
class QTreeWidget;

namespace Help_Window {

// Shows Topic (an archive entry) of File, raised and activated; answers the
// window.
HWND Show_Topic(std::shared_ptr<const Chm_File> File, const std::string& Topic);
// Destroys the window when there is one.
void Close();
// The window, or null when none is open.
HWND Handle();
// Its parts, for tests; null when no window is open.
QTextBrowser* Browser();
QTreeWidget* Contents();

} // namespace Help_Window
