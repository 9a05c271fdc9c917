#pragma once
// Forms, the application object, the screen and the mouse.
//
// A form is a windowed control whose window is a top-level window (a
// frameless one for bsNone), or a child window when the form is hosted
// inside another control. ShowModal runs a nested event loop, in which
// posted messages and queued Synchronize calls keep running, and registers
// the form as an open modal dialog for as long as it runs.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/classlib/Controls.h"

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter,
    poOwnerFormCenter
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    TCanvas* Canvas() { return &canvas; }
    TFormBorderStyle BorderStyle() const { return border_style; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons BorderIcons() const { return border_icons; }
    void SetBorderIcons(TBorderIcons Value);
    TFormStyle FormStyle() const { return form_style; }
    void SetFormStyle(TFormStyle Value);
    TPosition Position() const { return position; }
    void SetPosition(TPosition Value) { position = Value; }
    bool KeyPreview() const { return key_preview; }
    void SetKeyPreview(bool Value) { key_preview = Value; }
    TWindowState WindowState() const { return window_state; }
    void SetWindowState(TWindowState Value);
    TWinControl* ActiveControl() const { return active_control; }
    // Raises EInvalidOperation for a control of another form or one that
    // cannot take the focus.
    void SetActiveControl(TWinControl* Control);
    TModalResult ModalResult() const { return modal_result; }
    void SetModalResult(TModalResult Value) { modal_result = Value; }
    // The form's window is the active window.
    bool Active() const { return active; }
    bool Modal() const { return modal; }

    void Show();
    void Hide() { SetVisible(false); }
    // Shows the form and runs events until ModalResult is set (or the form
    // closes, which sets mrCancel); answers ModalResult.
    TModalResult ShowModal();
    // A modal form ends with mrCancel; any other asks OnCloseQuery, then
    // OnClose with caHide and does what the action says; closing the main
    // form terminates the application.
    void Close();
    virtual bool CloseQuery();
    // Frees the form once the messages queued before have been handled.
    void Release();

    void SetFocus() override;
    void FocusControl(TWinControl* Control);
    // Called as a control of the form takes the focus: CM_EXIT to the one
    // that had it, CM_ENTER to the new one.
    void SetFocusedControl(TWinControl* Control);
    // Runs OnCreate; the application (or the form's loader) calls it once
    // the form is built.
    void DoCreate();
    // The message queue's pre-processing: a modal result set while handling
    // one message is acted on before the next, as a loop taking one message
    // at a time does. Handles nothing itself.
    static bool Before_Queued_Message(MSG& Message);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void PaintWindow(HDC DC) override;
    virtual void Paint();
    virtual void DoClose(TCloseAction& Action);
    void Activate_Form(bool Activating);

private:
    friend class TWinControl;

    void Remove_Focus(TWinControl* Control);
    void Showing_Changed();
    void Place_On_First_Show();
    void Set_Window_Focus();
    void Focus_Window(TWinControl* Control);
    void Close_Modal();
    void Check_Modal_Result();
    void Run_Modal_Loop();

    TControlCanvas canvas;
    TFormBorderStyle border_style = bsSizeable;
    TBorderIcons border_icons{biSystemMenu, biMinimize, biMaximize};
    TFormStyle form_style = fsNormal;
    TPosition position = poDesigned;
    bool key_preview = false;
    TWindowState window_state = wsNormal;
    TWinControl* active_control = nullptr;
    TWinControl* focused_control = nullptr;
    TModalResult modal_result = mrNone;
    bool active = false;
    bool modal = false;
    bool modal_ending = false;
    bool modal_checking = false;
    bool placed = false;
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
};

// The popup that shows a control's hint.
class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner);

    // Shows Hint over Rect (screen coordinates) without taking the focus.
    void ActivateHint(const RECT& Rect, const std::string& Hint);
    // The screen rectangle the text needs, at most MaxWidth wide.
    RECT CalcHintRect(int MaxWidth, const std::string& Hint);
    void ReleaseHandle();

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
};

using TExceptionEvent = std::function<void(TObject* Sender, Exception* E)>;
// An application help command: Data is the command's argument (a context
// number, or the address of a keyword's text). CallHelp false keeps the
// class library's own help handling out.
using THelpEvent = std::function<bool(WORD Command, std::intptr_t Data, bool& CallHelp)>;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    // The program file's name without its extension until one is set.
    std::string Title() const;
    void SetTitle(const std::string& Value) { title = Value; }
    // The application's own (hidden) window. Its procedure offers each
    // message to the hooks first, then to the default procedure; like any
    // window's it can be subclassed.
    HWND Handle();
    // A hook sees the application window's messages before the window does,
    // in the order hooked; answering true means handled (Result kept), and
    // the message goes no further. Key names the hook for UnhookMainWindow.
    using TWindowHook = std::function<bool(TMessage& Message)>;
    void HookMainWindow(const void* Key, TWindowHook Hook);
    void UnhookMainWindow(const void* Key);
    TCustomForm* MainForm() const { return main_form; }

    // Hooks queued Synchronize calls into the event loop; Run and
    // ShowModal do it too.
    void Initialize();
    // Makes a form; the first one made becomes the main form.
    template <class Form>
    void CreateForm(Form*& Reference)
    {
        Reference = new Form(this);
        if (!main_form)
            main_form = Reference;
        Reference->DoCreate();
    }
    // Shows the main form and runs events until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated; }
    // Handles every event waiting now (queued Synchronize calls included).
    void ProcessMessages();
    void Minimize();
    void Restore();

    // Shows the exception being handled (the caller is in a catch block):
    // OnException when assigned, else the error box.
    void HandleException(TObject* Sender);
    // The error box: the message (with a full stop added) under the title.
    void ShowException(Exception* E);
    // The program's message box; a null caption is the title. Answers IDOK...
    int MessageBox(LPCSTR Text, LPCSTR Caption, UINT Flags);
    TExceptionEvent OnException;

    // OnHelp's answer; without OnHelp, or when it leaves CallHelp set, the
    // class library's own (WinHelp) handling runs, which Linux lacks: false.
    bool HelpCommand(int Command, std::intptr_t Data);
    bool HelpContext(int Context);
    THelpEvent OnHelp;
    // The help file the help system's viewers are handed.
    const std::string& HelpFile() const { return help_file; }
    void SetHelpFile(const std::string& Value) { help_file = Value; }

    bool ShowHint() const { return show_hint; }
    void SetShowHint(bool Value);
    int HintPause() const { return hint_pause; }
    void SetHintPause(int Value) { hint_pause = Value; }
    int HintHidePause() const { return hint_hide_pause; }
    void SetHintHidePause(int Value) { hint_hide_pause = Value; }
    TColor HintColor() const { return hint_color; }
    void SetHintColor(TColor Value) { hint_color = Value; }
    THintWindow* HintWindow() const { return hint_window.get(); }
    void CancelHint();

    // For the controls: hints follow the mouse; a freed control is forgotten.
    void HintMouseMessage(TControl* Control, TMessage& Message);
    void Control_Destroyed(TControl* Control);
    void Form_Destroyed(TCustomForm* Form);

private:
    static LRESULT Window_Procedure(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);
    LRESULT Window_Message(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);
    void Handle_Exception_Object(TObject* Sender, Exception& E);
    static void Hint_Timer_Proc(HWND window, UINT message, UINT_PTR id, DWORD time);
    void Start_Hint_Timer(int Milliseconds);
    void Stop_Hint_Timer();
    void Show_Hint_Now();

    std::string title;
    std::string help_file;
    HWND handle = nullptr;
    std::vector<std::pair<const void*, TWindowHook>> window_hooks;
    TCustomForm* main_form = nullptr;
    bool terminated = false;
    bool show_hint = true;
    int hint_pause = 500;
    int hint_hide_pause = 2500;
    TColor hint_color = clInfoBk;
    std::unique_ptr<THintWindow> hint_window;
    TControl* hint_control = nullptr;
    bool hint_showing = false;
    UINT_PTR hint_timer = 0;
};

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* AOwner);

    int Width();
    int Height();
    RECT WorkAreaRect();
    int WorkAreaLeft() { return WorkAreaRect().left; }
    int WorkAreaTop() { return WorkAreaRect().top; }
    int WorkAreaWidth();
    int WorkAreaHeight();
    int PixelsPerInch();
    // A cursor other than crDefault shows over every window of the program.
    TCursor Cursor() const { return cursor; }
    void SetCursor(TCursor Value);
    // The standard cursors and those the program installs (for the whole
    // program: see InstallCursor).
    HCURSOR Cursors(TCursor Index);
    void SetCursors(TCursor Index, HCURSOR Handle) { InstallCursor(Index, Handle); }
    // SetCursors without the screen object: units made at start-up install
    // their cursors before the screen object may exist. A null handle
    // removes the cursor.
    static void InstallCursor(TCursor Index, HCURSOR Handle);
    TCustomForm* ActiveForm() const { return active_form; }
    TWinControl* ActiveControl() const { return active_control; }
    int FormCount() const { return static_cast<int>(forms.size()); }
    TCustomForm* Forms(int Index) const;
    // The families of the fonts installed.
    TStrings* Fonts();

private:
    friend class TCustomForm;
    friend class TApplication;

    TCursor cursor = crDefault;
    TCustomForm* active_form = nullptr;
    TWinControl* active_control = nullptr;
    std::vector<TCustomForm*> forms;
    std::unique_ptr<TStringList> fonts;
};

class TMouse {
public:
    POINT CursorPos() const;
    void SetCursorPos(POINT Value);
};

extern TApplication* Application;
extern TScreen* Screen;
extern TMouse* Mouse;
