#pragma once
// What the camera screens and their windows ask of the main window. The
// main window (TForm_Main) implements it; the screens reach it through the
// global below, so they never include the host that creates them, and their
// tests put a fake in its place.
//
// Every call runs on the user-interface thread.

#include "platform/winapi/Gdi.h"

#include <string>

class TForm;
class TSCLAboutDlg;
class TSCLSysInfo;

class Main_Window_Services {
public:
    virtual ~Main_Window_Services() = default;

    // The main window itself: its position places the detail windows and is
    // moved by dragging a page; its window handle receives posted commands.
    virtual TForm* Get_Main_Form() = 0;
    // The main window's MainSysInfo (the screen colour depth) and its about
    // box Form_About; the about box may be null in a test.
    virtual TSCLSysInfo* Get_Main_Sys_Info() = 0;
    virtual TSCLAboutDlg* Get_Form_About() = 0;

    // Camera count 1..4, from the camera-count menus.
    virtual void Set_Camera_Count(int count) = 0;
    // Camera number 1..99 of camera `camera_index`, from the camera-number menus.
    virtual void Set_Camera_Name(int camera_index, int number) = 0;
    // Clears the status memo of the camera's page and of its two views.
    virtual void Clear_Camera_Messages(int camera_index) = 0;
    virtual bool Is_Sd_Camera(int camera_index) = 0;
    // Un-presses the shown camera page's title buttons.
    virtual void Release_Shortcut_Buttons() = 0;
    // The window of the page the main window shows; nullptr for none. Tool
    // windows hand it the page keys and the focus.
    virtual HWND Get_Active_Page_Window() = 0;

    // The busy/pending protocol around a dialog: ask before opening one,
    // post what was deferred after it closed; when that posted, abandon the
    // rest of the action (the forms are about to be replaced).
    virtual bool Is_Busy(int camera_index) = 0;
    virtual bool Is_Busy_Global() = 0;
    virtual bool Post_Pending_Change(int camera_index) = 0;
    virtual bool Post_Pending_Display_Change() = 0;

    // The program's version as "major.release" (2.0.3.0 gives "2.3").
    virtual std::string Get_Version_Text() = 0;
};

// The single main window's services; null before it exists and after it is gone.
extern Main_Window_Services* Main_Window;
