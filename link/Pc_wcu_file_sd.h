#pragma once
// Saves a camera's status log, the memo of its SD window, as a text file the
// user chooses: the memo's lines, each followed by CR LF. The new file
// replaces an old one only once it is wholly written; a file that cannot be
// written is reported and the old one is kept. On the user-interface thread.

#include "link/St_system.h"

#include <string>

// The window's controls, known here by name only: the link's headers stay
// free of the user-interface toolkit.
class TMemo;
class TSaveDialog;
class Thread_Polling_WCU;

class PC_WCU_File_SD {
public:
    // Holds the four; owns none. The settings are those of `state`.
    PC_WCU_File_SD(Thread_Polling_WCU& thread, St_System& state, TMemo& memo, TSaveDialog& save_dialog);

    // Nothing for an empty memo. No dialog while the shell is busy for the
    // camera; no save when a pending change was posted once the dialog
    // closed (the screens are about to be rebuilt).
    void Save_Memo();

private:
    Thread_Polling_WCU& Thread;
    St_System& State;
    TMemo& Memo;
    TSaveDialog& Save_Dialog;
};

// The dialog's filter for files of that extension: "Text file (*.txt)|*.txt"
// for description "Text file" and extension "txt"; the extension becomes the
// default one too.
void Set_Save_Filter(TSaveDialog& save_dialog, const std::string& description, const std::string& extension);
// Asks for a file, and whether to replace it when it exists: false when the
// shell is busy for the camera, the user cancels, or a change the dialog
// held back was posted on its close.
bool Ask_File_Name(Thread_Polling_WCU& thread, int camera_index, TSaveDialog& save_dialog);
// The modal error box for a file that cannot be created: the camera prefix
// (several cameras), the message, the file name; then the change held back
// meanwhile is posted. Nothing while the shell is busy for the camera.
void Report_File_Error(Thread_Polling_WCU& thread, const St_System& state, const std::string& file_name);
