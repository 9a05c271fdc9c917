#pragma once
// The registry of the modal dialogs open now, so that the shell can find
// the dialogs of a thread (the UI thread's, or those a camera's polling
// thread asked for) and close them before it replaces the forms they
// belong to. Every modal dialog the class library shows registers itself
// for as long as it runs. Safe from any thread.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/winapi/Gdi.h"

struct Modal_Dialog {
    int Id = 0;               // given by the registry
    DWORD Owner_Thread = 0;   // the thread the dialog was shown for
    HWND Window = nullptr;    // nullptr for a dialog without a window of ours
    std::string Class_Name;   // the window class: a form's, or "#32770" for a standard dialog
    std::function<void()> Close; // ends the dialog; callable from any thread
};

// Answers the dialog's identifier.
int Register_Modal_Dialog(Modal_Dialog dialog);
void Unregister_Modal_Dialog(int id);
// Copies of the entries of one thread, oldest first.
std::vector<Modal_Dialog> Find_Modal_Dialogs(DWORD owner_thread);
// Asks every dialog of the thread to close; answers how many were asked.
int Close_Modal_Dialogs(DWORD owner_thread);

// The program is closing: every modal dialog open now is asked to close and
// ends as cancelled, and every one shown from now on ends at once. Safe from
// any thread (not from a signal handler).
void End_All_Modal_Dialogs();
bool Modal_Dialogs_Ended();
// Some modal dialog, of any thread, is still running.
bool Any_Modal_Dialog_Open();
// Lets modal dialogs show again (a new run in the same process, as in tests).
void Allow_Modal_Dialogs();

// The thread a dialog shown now on this thread is registered for: this
// thread, unless a Dialog_Owner_Scope names another (a polling thread whose
// dialog the UI thread shows on its behalf).
DWORD Dialog_Owner_Thread();

class Dialog_Owner_Scope {
public:
    explicit Dialog_Owner_Scope(DWORD owner_thread);
    ~Dialog_Owner_Scope();
    Dialog_Owner_Scope(const Dialog_Owner_Scope&) = delete;
    Dialog_Owner_Scope& operator=(const Dialog_Owner_Scope&) = delete;

private:
    DWORD previous;
};

// Registers a dialog for the lifetime of the object.
class Modal_Dialog_Registration {
public:
    explicit Modal_Dialog_Registration(Modal_Dialog dialog) : id(Register_Modal_Dialog(std::move(dialog))) {}
    ~Modal_Dialog_Registration() { Unregister_Modal_Dialog(id); }
    Modal_Dialog_Registration(const Modal_Dialog_Registration&) = delete;
    Modal_Dialog_Registration& operator=(const Modal_Dialog_Registration&) = delete;

private:
    int id;
};
