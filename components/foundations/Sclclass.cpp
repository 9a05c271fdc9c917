#include "components/foundations/Sclclass.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <sstream>

#include "platform/classlib/DataModule.h"
#include "platform/classlib/DateUtils.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Resources.h"
#include "platform/winapi/Atomic_Save.h"
#include "platform/winapi/Cursor.h"
#include "platform/winapi/Instance_Lock.h"
#include "platform/winapi/Kernel.h"
#include "platform/winapi/Shutdown.h"
#include "platform/winapi/Stored_File.h"
#include "platform/winapi/Window.h"

TSCLApplication* SCLApplication = new TSCLApplication(nullptr);

namespace {

constexpr UINT_PTR Pool_Timer_Id = 1;
constexpr const char* Pool_Window_Class = "TSCLTimerPoolWindow";
constexpr WORD First_Ident = 0xFD00;
constexpr const char* No_Timers_Text = "Pas assez de timers disponibles";
// The library's hand cursor: its resource number.
constexpr WORD Hand_Cursor_Resource = 16548;

// Counts that start again at 0 instead of turning negative.
int Next_Count(int Value)
{
    return Value == std::numeric_limits<int>::max() ? 0 : Value + 1;
}

bool Designing_Or_Loading(const TComponent& Component)
{
    const TComponentState state = Component.ComponentState();
    return state.Contains(csDesigning) || state.Contains(csLoading);
}

} // namespace

// ---- One instance per form --------------------------------------------------

SCLEOneInstError::SCLEOneInstError(const std::string& Msg, BYTE Kind)
    : Exception(Kind == 0   ? Msg + ":\rInvalid owner (<>TForm) or second instance on a form"
                : Kind == 1 ? Msg + ":\rAlready one " + Msg + " control in this project!"
                            : std::string())
{
}

bool SCLCheckForSameClass(const TComponent* Owner, const TSCLClassTest& IsOfClass, bool AllowDataModule)
{
    const bool data_module = AllowDataModule && dynamic_cast<const TDataModule*>(Owner) != nullptr;
    if (dynamic_cast<const TCustomForm*>(Owner) == nullptr && !data_module)
        return true;
    if (!IsOfClass)
        return false;
    int found = 0;
    for (int i = 0; i < Owner->ComponentCount(); ++i)
        if (IsOfClass(Owner->Components(i)) && ++found > 1)
            return true;
    return false;
}

// ---- Timer items ------------------------------------------------------------

TSCLTimerItem::TSCLTimerItem(TSCLTimerPool* Pool, WORD Ident) : pool(Pool), ident(Ident)
{
    if (pool == nullptr)
        throw EInvalidOperation(ClassName() + ": Invalid Owner or List");
    divisor = std::max(1, interval / pool->MinInterval());
}

void TSCLTimerItem::SetCallCount(int Value)
{
    if (Value == call_count)
        return;
    call_count = std::max(Value, -1);
    if (call_count == 0)
        SetEnabled(false);
}

void TSCLTimerItem::SetEnabled(bool Value)
{
    if (Value == enabled || (Value && call_count == 0))
        return;
    enabled = Value;
    count = 0;
}

void TSCLTimerItem::SetInterval(WORD Value)
{
    const WORD base = pool->MinInterval();
    if (Value == interval || Value % base != 0)
        return;
    interval = Value == 0 ? base : Value;
    divisor = interval / base;
    count = 0;
}

void TSCLTimerItem::Timer()
{
    if (!enabled)
        return;
    count = Next_Count(count);
    if (count == call_count)
        enabled = false; // the count stays for this last call's handler
    // Copies: the handler may remove this item, which frees it.
    if (OnTimer) {
        const TNotifyEvent handler = OnTimer;
        handler(pool);
    } else if (pool->OnTimer) {
        const TSCLTimerPoolEvent handler = pool->OnTimer;
        handler(pool, ident, count);
    }
}

// ---- The pool -----------------------------------------------------------------

TSCLTimerPool::TSCLTimerPool(TComponent* AOwner) : TSCLTimerPool(AOwner, 1000) {}

TSCLTimerPool::TSCLTimerPool(TComponent* AOwner, WORD Interval)
    : TSCLCustomComponent(AOwner), min_interval(Interval == 0 ? 1000 : Interval)
{
}

TSCLTimerPool::~TSCLTimerPool()
{
    ClearTimers();
    FreeWindow();
}

int TSCLTimerPool::AddTimer(WORD Ident, WORD Interval, TNotifyEvent Proc)
{
    if (IndexOf(Ident) >= 0)
        throw Exception("Indice de liste hors limites (%d)");
    if (Interval < min_interval || Interval % min_interval != 0)
        throw Exception("Interval not compatible with MinInterval property!");
    auto item = std::make_unique<TSCLTimerItem>(this, Ident);
    item->SetInterval(Interval);
    item->OnTimer = std::move(Proc);
    items.push_back(std::move(item));
    try {
        UpdateMainTimer(true);
    } catch (...) {
        items.pop_back();
        throw;
    }
    return GetCount() - 1;
}

int TSCLTimerPool::AddTimerExt(WORD Ident, WORD Interval, int CallCount, bool Enabled, TNotifyEvent Proc)
{
    const int index = AddTimer(Ident, Interval, std::move(Proc));
    TSCLTimerItem* item = items[static_cast<std::size_t>(index)].get();
    item->SetCallCount(CallCount);
    item->SetEnabled(Enabled);
    return index;
}

void TSCLTimerPool::RemoveTimer(WORD Ident)
{
    const int index = IndexOf(Ident);
    if (index < 0)
        return;
    removing = true;
    items.erase(items.begin() + index);
    if (items.empty())
        UpdateMainTimer(false);
    removing = false;
}

void TSCLTimerPool::ClearTimers()
{
    UpdateMainTimer(false);
    items.clear();
}

TSCLTimerItem* TSCLTimerPool::GetTimer(WORD Ident) const
{
    const int index = IndexOf(Ident);
    return index < 0 ? nullptr : items[static_cast<std::size_t>(index)].get();
}

int TSCLTimerPool::IndexOf(WORD Ident) const
{
    const auto found = std::ranges::find_if(items, [&](const auto& item) { return item->Ident() == Ident; });
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

int TSCLTimerPool::GetActiveTimers() const
{
    return static_cast<int>(std::ranges::count_if(items, [](const auto& item) { return item->Enabled(); }));
}

void TSCLTimerPool::SetMinInterval(WORD Value)
{
    if (Value != 0 && Designing_Or_Loading(*this))
        min_interval = Value;
}

void TSCLTimerPool::UpdateMainTimer(bool Start)
{
    if (ComponentState().Contains(csDesigning))
        return;
    active = false;
    if (window != nullptr)
        KillTimer(window, Pool_Timer_Id);
    if (!Start || GetActiveTimers() == 0) {
        // The hidden window lives only while a timer runs, so that nothing of
        // the pool outlives the last control that used it.
        // Not from inside a tick: the window is still dispatching it.
        if (GetActiveTimers() == 0 && !in_timer)
            FreeWindow();
        return;
    }
    MakeWindow();
    if (window == nullptr || SetTimer(window, Pool_Timer_Id, min_interval, nullptr) == 0)
        throw EOutOfResources(No_Timers_Text);
    tick = 1;
    active = true;
}

void TSCLTimerPool::HandleTimers()
{
    if (removing)
        return;
    // A handler may add or remove items: walk the identifiers of this tick
    // and look each one up again.
    std::vector<WORD> idents;
    idents.reserve(items.size());
    for (const auto& item : items)
        idents.push_back(item->Ident());
    // The tick moves on also when a handler raises, so that one failing
    // handler does not hold every item at the same tick.
    struct Advance {
        int& tick;
        ~Advance() { tick = Next_Count(tick); }
    } advance{tick};
    for (WORD ident : idents) {
        TSCLTimerItem* item = GetTimer(ident);
        if (item != nullptr && item->Enabled() && tick % item->Divisor() == 0)
            item->Timer();
    }
}

void TSCLTimerPool::MakeWindow()
{
    if (window != nullptr)
        return;
    WNDCLASSA window_class;
    window_class.lpfnWndProc = WindowProc;
    window_class.lpszClassName = Pool_Window_Class;
    RegisterClassA(&window_class); // fails harmlessly once registered
    window = CreateWindowExA(0, Pool_Window_Class, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (window != nullptr)
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void TSCLTimerPool::FreeWindow()
{
    if (window != nullptr && IsWindow(window))
        DestroyWindow(window);
    window = nullptr;
}

LRESULT TSCLTimerPool::WindowProc(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    auto* pool = reinterpret_cast<TSCLTimerPool*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return pool != nullptr ? pool->WndProc(message, w_param, l_param)
                           : DefWindowProcA(window, message, w_param, l_param);
}

LRESULT TSCLTimerPool::WndProc(UINT message, WPARAM w_param, LPARAM l_param)
{
    if (message != WM_TIMER)
        return DefWindowProcA(window, message, w_param, l_param);
    if (in_timer)
        return 0; // a tick while a handler still runs is dropped
    in_timer = true;
    try {
        HandleTimers();
    } catch (...) {
        in_timer = false;
        if (Application != nullptr)
            Application->HandleException(this);
    }
    in_timer = false;
    return 0;
}

// ---- The application object ---------------------------------------------------

namespace {

constexpr WORD Last_Ident = First_Ident + 250;
const std::string Line_Of_Stars(80, '*');

std::string Log_Date()
{
    return FormatDateTime("dd/mm/yyyy", Now());
}

std::string Log_Time()
{
    return FormatDateTime("hh:nn:ss", Now());
}

std::string With_Backslash(const std::string& Part)
{
    return !Part.empty() && Part.back() == '\\' ? Part : Part + '\\';
}

// -1 for a file that does not exist.
std::intmax_t File_Size(const std::string& Name)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(Name, error);
    return error ? -1 : static_cast<std::intmax_t>(size);
}

// The first of "<log>.l0", "<log>.l1", ... that does not exist; none when a
// name cannot be checked (too long, a folder that cannot be read).
std::optional<std::string> Free_Backup_Name(const std::string& Log_Name)
{
    const std::filesystem::path base(Log_Name);
    for (int n = 0;; ++n) {
        const std::string name = std::filesystem::path(base).replace_extension(".l" + std::to_string(n)).string();
        std::error_code error;
        if (!std::filesystem::exists(name, error))
            return error ? std::nullopt : std::optional<std::string>(name);
    }
}

// Moves a full log aside; false leaves it where it was.
bool Back_Up_Log(const std::string& Log_Name)
{
    const std::optional<std::string> backup = Free_Backup_Name(Log_Name);
    std::error_code error;
    if (backup)
        std::filesystem::rename(Log_Name, *backup, error);
    return backup && !error;
}

} // namespace

TSCLApplication::TSCLApplication(TComponent* AOwner)
    : TComponent(AOwner), timer_pool(new TSCLTimerPool(this, 50))
{
    LARGE_INTEGER frequency{};
    if (QueryPerformanceFrequency(&frequency))
        timer_frequency = frequency.QuadPart;
    SetLogName("");
    mutex = CreateMutexA(nullptr, FALSE, SCLExtractFileName(SCLAppExeName()).c_str());
    prev_instance = mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
    Install_Hand_Cursor();
}

void TSCLApplication::Install_Hand_Cursor()
{
    // Made at start-up, maybe before the screen object: installed for the
    // program, its picture read when first shown.
    Register_Cursor_Resources();
    TScreen::InstallCursor(crSCLHand, LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(Hand_Cursor_Resource)));
}

TSCLApplication::~TSCLApplication()
{
    if (mutex != nullptr)
        CloseHandle(mutex);
}

bool TSCLApplication::QuitWindows(TSCLExitCode ExitCode)
{
    const UINT flags = ExitCode == ecQuit     ? EWX_SHUTDOWN | EWX_FORCE
                       : ExitCode == ecReboot ? EWX_REBOOT | EWX_FORCE
                                              : EWX_LOGOFF;
    if (!ExitWindowsEx(flags, 0))
        return false;
    if (Application != nullptr)
        Application->Terminate();
    return true;
}

WORD TSCLApplication::AddTimer(WORD Interval, TNotifyEvent Proc)
{
    return AddPoolTimer(Interval, std::move(Proc));
}

WORD TSCLApplication::AddTimerExt(WORD Interval, int CallCount, bool Enabled, TNotifyEvent Proc)
{
    const WORD ident = AddPoolTimer(Interval, std::move(Proc));
    if (TSCLTimerItem* item = GetTimer(ident)) {
        item->SetCallCount(CallCount);
        item->SetEnabled(Enabled);
    }
    return ident;
}

WORD TSCLApplication::AddPoolTimer(WORD Interval, TNotifyEvent Proc)
{
    const auto free_flag = std::ranges::find(timer_flags, false);
    if (free_flag == timer_flags.end())
        return 0;
    const auto n = static_cast<WORD>(free_flag - timer_flags.begin() + 1);
    try {
        timer_pool->AddTimer(static_cast<WORD>(First_Ident + n), Interval, std::move(Proc));
    } catch (const Exception&) {
        return 0;
    }
    *free_flag = true;
    return static_cast<WORD>(First_Ident + n);
}

void TSCLApplication::RemoveTimer(WORD Ident)
{
    if (Ident <= First_Ident)
        return;
    timer_pool->RemoveTimer(Ident);
    if (Ident <= Last_Ident)
        timer_flags[static_cast<std::size_t>(Ident - First_Ident - 1)] = false;
}

TSCLTimerItem* TSCLApplication::GetTimer(WORD Ident) const
{
    return timer_pool->GetTimer(Ident);
}

void TSCLApplication::SetEditMode(TSCLEditModes Modes)
{
    if (Modes == edit_mode)
        return;
    edit_mode = Modes;
    if (OnEditModeChange)
        OnEditModeChange(this);
}

TBitmap* TSCLApplication::GetBrushBitmap(TColor Color)
{
    if (!brush_bitmap) {
        brush_bitmap = std::make_unique<TBitmap>();
        brush_bitmap->SetSize(8, 8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                brush_bitmap->Canvas()->SetPixels(x, y, clWhite);
    }
    if (Color != brush_color) {
        brush_color = Color;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                if ((x % 2 == 1) != (y % 2 == 1))
                    brush_bitmap->Canvas()->SetPixels(x, y, Color);
    }
    return brush_bitmap.get();
}

TBitmap* TSCLApplication::GetBitmap()
{
    if (!bitmap) {
        bitmap = std::make_unique<TBitmap>();
        bitmap->Assign(GetBrushBitmap(clBlack));
    }
    return bitmap.get();
}

void TSCLApplication::STWStart()
{
    if (stopwatch_running)
        STWStop();
    stopwatch_start = GetTickCount();
    stopwatch_running = true;
}

DWORD TSCLApplication::STWStop()
{
    if (!stopwatch_running)
        return 0;
    stopwatch_stop = GetTickCount();
    stopwatch_running = false;
    return stopwatch_stop - stopwatch_start;
}

std::string TSCLApplication::GetDefaultRegPath() const
{
    std::string path = "Software\\";
    if (!CompanyName.empty())
        path += With_Backslash(CompanyName);
    const std::string title = Application != nullptr ? Application->Title() : std::string();
    path += With_Backslash(title.empty() ? SCLAppExeName() : title);
    if (!Version.empty())
        path += With_Backslash(Version);
    return path;
}

// ---- Log file -------------------------------------------------------------------

void TSCLApplication::SetLogName(const std::string& Name)
{
    std::filesystem::path name(Name.empty() ? std::filesystem::path(SCLAppExeName()).replace_extension(".LOG")
                                            : std::filesystem::path(Name));
    if (!name.has_extension())
        name += ".LOG";
    log_name = log_prefix == ppFixed ? name.string()
                                     : SCLCreatePathPrefix(log_prefix, true) + name.filename().string();
}

void TSCLApplication::SetLogPrefix(TSCLPathPrefix Value)
{
    if (Value == log_prefix)
        return;
    log_prefix = Value;
    SetLogName(log_name);
}

TSCLApplication::TLogSizeStep TSCLApplication::CheckLogSize()
{
    if (MaxLogSize <= 100 || File_Size(log_name) <= MaxLogSize)
        return TLogSizeStep::Append;
    bool cancel = false;
    if (OnLogFull)
        OnLogFull(this, log_name, cancel);
    if (cancel)
        return TLogSizeStep::Cancel;
    // A log that cannot be moved aside is kept whole and grows.
    if (LogAction == laNone || (LogAction == laBackupLog && !Back_Up_Log(log_name)))
        return TLogSizeStep::Append;
    return TLogSizeStep::Rewrite;
}

void TSCLApplication::LogWrite(const std::string& Text)
{
    const TLogSizeStep step = CheckLogSize();
    if (step == TLogSizeStep::Cancel)
        return;
    const bool full = step == TLogSizeStep::Rewrite;
    const bool rewrite = full || File_Size(log_name) < 0 || (Options.Contains(aoLogAlwaysClear) && !log_started);
    std::ostringstream lines;
    if (full || (!log_started && Options.Contains(aoLogHeader)))
        WriteHeader(lines);
    const int previous_entry = log_entry;
    if (Text == "#CR")
        lines << "\n";
    else if (Text == "#Header")
        WriteHeader(lines);
    else if (Text == "#Line")
        lines << Line_Of_Stars << "\n";
    else {
        log_entry = Next_Count(log_entry);
        lines << EntryLine(Text) << "\n";
    }
    // A new log replaces the old one only once it is written in full. An
    // append goes only to a regular file of the user's, never through a link:
    // another user may have placed the log's name beforehand.
    const std::string text = lines.str();
    const bool written =
        rewrite ? !Save_File_Atomically(log_name, text.data(), text.size(), std::nullopt, Write_Access::Owner_Only)
                : Append_To_Own_File(log_name, text);
    if (!written) {
        log_entry = previous_entry;
        return;
    }
    log_started = true;
}

void TSCLApplication::WriteHeader(std::ostream& File)
{
    File << "\n";
    File << "LogFile started: " << Log_Date() << " " << Log_Time() << "\n";
    File << "Application    : " << (Application != nullptr ? Application->Title() : std::string()) << "\n";
    File << "Path/ExeName   : " << SCLAppExeName() << "\n";
    if (!Version.empty())
        File << "Version        : " << Version << "\n";
    if (OnLogHeader)
        OnLogHeader(this, File);
    File << Line_Of_Stars << "\n\nEntries:\n";
}

std::string TSCLApplication::EntryLine(const std::string& Text) const
{
    std::string line;
    for (char field : LogFormat) {
        if (field == '#' && Options.Contains(aoLogNr))
            line += Format("%.5d", log_entry) + ": ";
        else if (field == 't' && Options.Contains(aoLogTime))
            line += " [" + Log_Time() + "]";
        else if (field == 'd' && Options.Contains(aoLogDate))
            line += " [" + Log_Date() + "]";
        else if (field == 'l')
            line += Text;
    }
    return line;
}

void TSCLApplication::LogException(TObject* Sender)
{
    const std::exception_ptr current = std::current_exception();
    if (!current)
        return;
    std::string text;
    try {
        std::rethrow_exception(current);
    } catch (const std::exception& error) {
        const auto* library_error = dynamic_cast<const Exception*>(&error);
        text = Format("%s, Address: %p", library_error != nullptr ? library_error->Message : std::string(error.what()),
                      static_cast<const void*>(&error));
    } catch (...) {
        text = "Unknown exception";
    }
    if (Sender != nullptr) {
        const auto* component = dynamic_cast<const TComponent*>(Sender);
        text = component == nullptr || component->Name().empty()
                   ? Sender->ClassName() + ": " + text
                   : Sender->ClassName() + " (Name: " + component->Name() + "): " + text;
    }
    LogWrite(text);
}

void TSCLApplication::HandleException(TObject* Sender, Exception* E)
{
    bool handled = false;
    if (OnException)
        OnException(Sender, E, handled);
    if (handled)
        return;
    if (Options.Contains(aoLogException))
        LogException(Sender);
    if (Application != nullptr)
        Application->ShowException(E);
}
