// The main window's message boxes, kept apart from the styled controls: the
// class library's panel bevel names clash with theirs in one translation unit.
#include "shell/host/Fich_main.h"

#include "platform/classlib/Dialogs_Message_Box.h"
#include "shell/services/Fich_message_box.h"

int TForm_Main::Message_Box(const std::string& text, const std::string& caption, UINT flags)
{
    // From a polling thread the box is shown on the user-interface thread
    // and registered as that thread's, so that a display change or a swap
    // finds and closes it.
    return MessageBoxA(nullptr, text.c_str(), caption.c_str(), flags);
}

std::unique_ptr<Modeless_Message_Box> TForm_Main::Show_Message_Box(const std::string& text,
                                                                   const std::string& caption, UINT flags,
                                                                   const St_System_Settings& settings,
                                                                   const std::atomic<int>* camera_count)
{
    return Show_Form_Message_Box(text, caption, flags, settings, camera_count);
}
