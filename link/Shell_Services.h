#pragma once
// What a camera's polling thread needs of the application shell: the main
// window's services. The shell implements this class; the link never sees
// the shell's own classes.
//
// Threads: Update_Camera_State runs on the user-interface thread only (the
// polling thread reaches it through Synchronize, or a setter calls it
// directly), with the camera's state lock held. Every other call may come
// from a polling thread while the user-interface thread runs: the shell
// answers from atomics, or through a blocking queued call to its own thread.
// A polling thread never calls in with its state lock held, so the shell may
// take a camera's lock from inside any of these calls without deadlock.

#include "link/St_system.h"
#include "platform/classlib/Dialogs_Message_Box.h"
#include "platform/winapi/Gdi.h"

#include <atomic>
#include <memory>
#include <string>

// A message box shown without a modal loop. Deleting it closes it; deleting
// one the user already closed is safe.
class Modeless_Message_Box {
public:
    virtual ~Modeless_Message_Box() = default;
};

class Shell_Services {
public:
    virtual ~Shell_Services() = default;

    // The main window's refresh of camera `state.Camera_Index` with its new
    // state: swap or refresh its screens, then copy the state into the
    // camera's snapshot.
    virtual void Update_Camera_State(const St_System& state) = 0;
    // A display change or this camera's SD/HD swap is pending, or the logon
    // is ending: no dialog may be opened for the camera now.
    virtual bool Is_Busy(int camera_index) = 0;
    // Posts the change deferred while a dialog was open; true when it posted.
    virtual bool Post_Pending_Change(int camera_index) = 0;
    // The camera number of the first other camera on that port; 0 when none
    // or when there is a single camera.
    virtual int Find_Camera_On_Port(int camera_index, int port_number) = 0;
    // The program's version as "major.release" (file version 2.0.3.0 gives 2.3).
    virtual std::string Get_Version_Text() = 0;

    // The index of the page the main window shows: camera pages 0..n-1, the
    // multi-camera page after them, -1 for none.
    virtual int Get_Active_Page_Index() = 0;
    // The window of the form on that page; nullptr for none.
    virtual HWND Get_Active_Form_Window() = 0;
    virtual HWND Get_Main_Window() = 0;
    // PostMessageA, safe from any thread.
    virtual BOOL Post_Message(HWND window, UINT message, WPARAM w_param, LPARAM l_param) = 0;

    // The application's modal message box, shown for the calling thread (its
    // owner thread for the dialog registry, so that the shell can close it);
    // returns once it is closed, by the user or by the shell.
    virtual int Message_Box(const std::string& text, const std::string& caption, UINT flags) = 0;
    // The program's own box, shown on the user-interface thread without
    // waiting; the text gets the "Camera N" line (N the settings' Name)
    // unless the camera count is 1. The caller owns the box.
    virtual std::unique_ptr<Modeless_Message_Box> Show_Message_Box(const std::string& text, const std::string& caption,
                                                                   UINT flags, const St_System_Settings& settings,
                                                                   const std::atomic<int>* camera_count) = 0;
};
