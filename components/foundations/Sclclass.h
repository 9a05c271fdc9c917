#pragma once
// The library's process-wide application object SCLApplication with its
// timer pool, the one-instance-per-form check of form-level components, and
// the pool classes themselves.
//
// The pool serves every blinking, repeating and animating control from one
// hidden window and one window timer: an item of Interval n fires on every
// (n / MinInterval)-th tick of the pool. The application's pool ticks every
// 50 ms and hands out identifiers 0xFD00 + n, n = 1..250.

#include <array>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "components/foundations/Sclcustomcomponent.h"
#include "components/foundations/Sclprocs.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Graphics_Bitmap.h"

// The library's hand cursor, installed by the application object.
constexpr TCursor crSCLHand = -255;

// ---- One instance per form ------------------------------------------------

// Raised by a component that may exist only once per form. Msg is the
// refused component's class name. Kind 0: "<Msg>:", CR, "Invalid owner
// (<>TForm) or second instance on a form"; kind 1: "<Msg>:", CR, "Already
// one <Msg> control in this project!"; any other kind: no message.
class SCLEOneInstError : public Exception {
public:
    SCLEOneInstError(const std::string& Msg, BYTE Kind);
};

// True when the component may not be made: Owner is not a form (nor a data
// module when AllowDataModule), or Owner already holds a second component
// for which IsOfClass answers true (the one being made counts as the
// first). Form-level components ask it in their constructors with a test
// for their own class.
using TSCLClassTest = std::function<bool(const TComponent* Component)>;
bool SCLCheckForSameClass(const TComponent* Owner, const TSCLClassTest& IsOfClass, bool AllowDataModule = false);

template <class C>
bool SCLCheckForSameClass(const TComponent* Owner, bool AllowDataModule = false)
{
    return SCLCheckForSameClass(
        Owner, [](const TComponent* c) { return dynamic_cast<const C*>(c) != nullptr; }, AllowDataModule);
}

// ---- The timer pool ---------------------------------------------------------

class TSCLTimerPool;
class TSCLIniCtrl;

// Sender is the pool; Count the item's calls since it was (re)enabled.
using TSCLTimerPoolEvent = std::function<void(TObject* Sender, WORD Ident, int Count)>;

// One registered timer of a pool.
class TSCLTimerItem : public TObject {
public:
    // Raises EInvalidOperation "TSCLTimerItem: Invalid Owner or List"
    // without a pool. Enabled, unlimited calls, Interval 1000.
    TSCLTimerItem(TSCLTimerPool* Pool, WORD Ident);

    // Calls after which the item switches itself off; -1 unlimited. Values
    // below -1 become -1; 0 also disables the item.
    int CallCount() const { return call_count; }
    void SetCallCount(int Value);
    int Count() const { return count; }
    // Enabling restarts the count; an item whose CallCount is 0 stays off.
    // The pool's window timer is neither started nor stopped here.
    bool Enabled() const { return enabled; }
    void SetEnabled(bool Value);
    WORD Ident() const { return ident; }
    // A value that is not a multiple of the pool's MinInterval is ignored;
    // 0 means MinInterval. Restarts the count.
    WORD Interval() const { return interval; }
    void SetInterval(WORD Value);
    // The item fires on every Divisor-th tick of the pool.
    int Divisor() const { return divisor; }

    // One firing (only while enabled): counts, switches off at CallCount
    // (this call still fires), then OnTimer (the pool as sender), else the
    // pool's OnTimer. The handler may remove the item.
    void Timer();

    TNotifyEvent OnTimer;

private:
    TSCLTimerPool* pool;
    int call_count = -1;
    int count = 0;
    bool enabled = true;
    WORD ident;
    WORD interval = 1000;
    int divisor;
};

class TSCLTimerPool : public TSCLCustomComponent {
public:
    // MinInterval 1000, or the one given (0 counts as 1000: the divisors
    // divide by it).
    explicit TSCLTimerPool(TComponent* AOwner);
    TSCLTimerPool(TComponent* AOwner, WORD Interval);
    ~TSCLTimerPool() override;

    // Registers an item and (re)starts the window timer, which restarts the
    // tick phase of every item. Raises Exception "Indice de liste hors
    // limites (%d)" for an identifier already registered, and "Interval not
    // compatible with MinInterval property!" for an Interval below
    // MinInterval or not a multiple of it; EOutOfResources "Pas assez de
    // timers disponibles" when no window timer can be had. Nothing is
    // registered when it raises. Answers the item's index.
    int AddTimer(WORD Ident, WORD Interval, TNotifyEvent Proc);
    int AddTimerExt(WORD Ident, WORD Interval, int CallCount, bool Enabled, TNotifyEvent Proc);
    // Unknown identifiers are ignored. Removing the last item stops the
    // window timer.
    void RemoveTimer(WORD Ident);
    void ClearTimers();

    TSCLTimerItem* GetTimer(WORD Ident) const;
    int IndexOf(WORD Ident) const; // -1 when absent
    int GetCount() const { return static_cast<int>(items.size()); }
    int GetActiveTimers() const; // enabled items
    bool HasTimerProc() const { return static_cast<bool>(OnTimer); }

    WORD MinInterval() const { return min_interval; }
    // Only while designing or loading; 0 is refused.
    void SetMinInterval(WORD Value);
    // The window timer runs.
    bool Active() const { return active; }
    int Tick() const { return tick; }
    // The hidden window that receives the ticks (null before the first start).
    HWND Handle() const { return window; }

    // Stops the window timer, then starts it again (Tick 1) when Start and
    // some item is enabled; the hidden window is made on the first start.
    void UpdateMainTimer(bool Start);
    // One tick: every enabled item whose Divisor divides Tick fires, in list
    // order; items removed by an earlier handler of the tick are skipped.
    void HandleTimers();

    TSCLTimerPoolEvent OnTimer;

private:
    static LRESULT WindowProc(HWND window, UINT message, WPARAM w_param, LPARAM l_param);
    void MakeWindow();
    void FreeWindow();
    LRESULT WndProc(UINT message, WPARAM w_param, LPARAM l_param);

    std::vector<std::unique_ptr<TSCLTimerItem>> items;
    WORD min_interval;
    bool active = false;
    bool in_timer = false;
    bool removing = false;
    int tick = 0;
    HWND window = nullptr;
};

// ---- The application object -------------------------------------------------

enum TSCLApplicationOption {
    aoAutoRealizePalette, aoMouseCtrlActive, aoLogAlwaysClear, aoLogException, aoLogHeader, aoLogNr, aoLogTime,
    aoLogDate
};
using TSCLApplicationOptions = TSet<TSCLApplicationOption>;
enum TSCLEditMode { emInsert, emShift, emCtrl, emAlt, emCaps, emNum, emScroll };
using TSCLEditModes = TSet<TSCLEditMode>;
enum TSCLLogAction { laNone, laClearLog, laBackupLog };
enum TSCLExitCode { ecQuit, ecReboot, ecRestart };

using TSCLLogFullEvent = std::function<void(TObject* Sender, const std::string& FileName, bool& Cancel)>;
using TSCLLogHeaderEvent = std::function<void(TObject* Sender, std::ostream& File)>;
using TSCLExceptionEvent = std::function<void(TObject* Sender, Exception* E, bool& Handled)>;

class TSCLApplication : public TComponent {
public:
    // Takes the per-user mutex named after the program's file; PrevInstance
    // when another instance of the program holds it.
    explicit TSCLApplication(TComponent* AOwner);
    ~TSCLApplication() override;

    // ---- Timers: identifiers 0xFD00 + n of the 50 ms pool
    // The lowest free identifier, or 0 when all 250 are in use or the pool
    // refuses the interval (nothing is registered then).
    WORD AddTimer(WORD Interval, TNotifyEvent Proc);
    WORD AddTimerExt(WORD Interval, int CallCount, bool Enabled, TNotifyEvent Proc);
    // Identifiers outside 0xFD01..0xFDFA name no flag; unknown ones change nothing.
    void RemoveTimer(WORD Ident);
    TSCLTimerItem* GetTimer(WORD Ident) const;
    TSCLTimerPool* TimerPool() const { return timer_pool; }

    // ---- Edit mode shared by the edit controls
    TSCLEditModes EditMode() const { return edit_mode; }
    // A different value is stored and OnEditModeChange told.
    void SetEditMode(TSCLEditModes Modes);
    TNotifyEvent OnEditModeChange;

    // ---- Dither bitmaps, owned here
    // 8 x 8: Color where exactly one of x and y is odd, white elsewhere;
    // kept for the last colour asked.
    TBitmap* GetBrushBitmap(TColor Color);
    // A copy of the black brush bitmap, made once.
    TBitmap* GetBitmap();

    // ---- Stopwatch and clock
    void STWStart();
    // Milliseconds since STWStart; 0 when not running.
    DWORD STWStop();
    double GetTimerFrequency() const { return static_cast<double>(timer_frequency); }

    // "Software\" + CompanyName + "\" + title (else the program's path) +
    // "\" + Version + "\"; empty parts and their separators left out.
    std::string GetDefaultRegPath() const;

    // ---- This program and the machine
    // Another instance of the program ran when this one started.
    bool PrevInstance() const { return prev_instance; }
    HANDLE Mutex() const { return mutex; }
    // ecQuit powers the machine off, ecReboot restarts it, ecRestart ends
    // the user's session. False when the user may not or the system
    // refuses; on success the application is told to terminate.
    bool QuitWindows(TSCLExitCode ExitCode);
    // The application's own settings control (no owner), freed with the
    // application; made when first asked for.
    TSCLIniCtrl* IniCtrl();

    // ---- Log file
    // Empty: the program's name with ".LOG"; no extension: ".LOG" added.
    // Unless the prefix is ppFixed, the file goes into the prefix's folder.
    void SetLogName(const std::string& Name);
    const std::string& LogName() const { return log_name; }
    TSCLPathPrefix LogPrefix() const { return log_prefix; }
    void SetLogPrefix(TSCLPathPrefix Value);
    bool LogStarted() const { return log_started; }
    int LogEntry() const { return log_entry; }
    // Writes one entry laid out by LogFormat, or "#CR" (an empty line),
    // "#Header" (a header) or "#Line" (80 '*'). I/O errors are silent.
    void LogWrite(const std::string& Text);
    // Logs the exception being handled (call it in a catch block), prefixed
    // by Sender's class and name.
    void LogException(TObject* Sender);
    // OnException, else (logged with aoLogException) the application's error
    // box. Call it in a catch block.
    void HandleException(TObject* Sender, Exception* E);

    std::string LogFormat = "#tdl";
    std::string CompanyName;
    std::string Version;
    TSCLApplicationOptions Options{aoMouseCtrlActive, aoLogAlwaysClear, aoLogHeader, aoLogNr};
    BYTE ExplodeDelay = 3;
    int MaxLogSize = -1; // bytes; 100 or less: no limit
    TSCLLogAction LogAction = laNone;
    TSCLLogFullEvent OnLogFull;
    TSCLLogHeaderEvent OnLogHeader;
    TSCLExceptionEvent OnException;

private:
    // What a log that outgrew MaxLogSize asks of the next write.
    enum class TLogSizeStep { Append, Rewrite, Cancel };

    WORD AddPoolTimer(WORD Interval, TNotifyEvent Proc);
    // The program's cursor resource 16548 as the screen cursor crSCLHand.
    void Install_Hand_Cursor();
    TLogSizeStep CheckLogSize();
    void WriteHeader(std::ostream& File);
    std::string EntryLine(const std::string& Text) const;

    TSCLTimerPool* timer_pool;
    std::unique_ptr<TSCLIniCtrl, void (*)(TSCLIniCtrl*)> ini_ctrl{nullptr, nullptr};
    std::array<bool, 250> timer_flags{};
    TSCLEditModes edit_mode{emInsert};
    std::unique_ptr<TBitmap> brush_bitmap;
    TColor brush_color = 0x1FFFFFFF;
    std::unique_ptr<TBitmap> bitmap;
    DWORD stopwatch_start = 0;
    DWORD stopwatch_stop = 0;
    bool stopwatch_running = false;
    std::int64_t timer_frequency = 0;
    HANDLE mutex = nullptr;
    bool prev_instance = false;
    std::string log_name;
    TSCLPathPrefix log_prefix = ppProgram;
    bool log_started = false;
    int log_entry = 0;
};

// The library's one application object, made when the program starts.
extern TSCLApplication* SCLApplication;
