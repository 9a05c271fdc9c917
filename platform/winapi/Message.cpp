#include "platform/winapi/Message.h"

#include "platform/winapi/Kernel.h"
#include "platform/winapi/Message_Queue.h"
#include "platform/winapi/Window_Input.h"
#include "platform/winapi/Window_Object.h"
#include "platform/winapi/Window_Paint.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QDBusConnection>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QSessionManager>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

namespace {

const QEvent::Type Wake_Event = static_cast<QEvent::Type>(QEvent::registerEventType());
const QEvent::Type Paint_Event = static_cast<QEvent::Type>(QEvent::registerEventType());

// Lives on the UI thread; each wake-up event serves one queued message.
class Message_Pump : public QObject {
public:
    bool event(QEvent* event) override;
};

struct Timer {
    QTimer* timer = nullptr;
    TIMERPROC procedure = nullptr;
    bool pending = false;
};

std::mutex queue_mutex;
std::deque<Queued_Message> queue;
QPointer<Message_Pump> pump;
bool paint_scheduled = false;
Message_Filter filter = nullptr;
MSG current;
int cross_thread_sends = 0;
std::map<std::pair<HWND, UINT_PTR>, Timer> timers;
UINT_PTR next_thread_timer = 1;
HWND system_event_window = nullptr;
std::atomic<DWORD> ui_thread_id{0};

void Install_System_Events();

Message_Pump* Pump()
{
    auto* application = QCoreApplication::instance();
    if (!application)
        return nullptr;
    static std::mutex pump_mutex;
    static bool installed = false;
    std::lock_guard lock(pump_mutex);
    if (!pump) {
        pump = new Message_Pump;
        pump->moveToThread(application->thread());
    }
    if (!installed && On_Ui_Thread()) {
        installed = true;
        ui_thread_id = GetCurrentThreadId();
        pump->setParent(application);
        Install_System_Events();
    }
    return pump;
}

void Wake()
{
    if (auto* target = Pump())
        QCoreApplication::postEvent(target, new QEvent(Wake_Event));
}

MSG Stamp(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    MSG msg{window, message, w_param, l_param, GetTickCount(), {}};
    const QPoint cursor = QCursor::pos();
    msg.pt = POINT{cursor.x(), cursor.y()};
    return msg;
}

void Clear_Timer_Pending(const MSG& msg)
{
    if (msg.message != WM_TIMER)
        return;
    auto found = timers.find({msg.hwnd, msg.wParam});
    if (found != timers.end())
        found->second.pending = false;
}

bool Matches(const MSG& msg, HWND window, UINT first, UINT last)
{
    if (window == reinterpret_cast<HWND>(static_cast<std::intptr_t>(-1))) {
        if (msg.hwnd)
            return false;
    } else if (window && msg.hwnd != window) {
        return false;
    }
    return (first == 0 && last == 0) || (msg.message >= first && msg.message <= last);
}

// The message as it is taken from the queue: a key held behind mouse input
// goes to the window that has the focus now.
MSG Addressed(const Queued_Message& entry)
{
    MSG msg = entry.msg;
    if (entry.to_focus)
        msg.hwnd = Window_Keyboard_Target();
    return msg;
}

// A dispatched key queues its characters next, ahead of later input.
void Queue_Chars(const Queued_Message& key)
{
    const bool system = key.msg.message == WM_SYSKEYDOWN;
    std::vector<Queued_Message> chars;
    for (unsigned char character : key.chars) {
        Queued_Message entry;
        entry.msg = key.msg;
        entry.msg.message = system ? WM_SYSCHAR : WM_CHAR;
        entry.msg.wParam = character;
        chars.push_back(entry);
    }
    {
        std::lock_guard lock(queue_mutex);
        queue.insert(queue.begin(), chars.begin(), chars.end());
    }
    for (std::size_t i = 0; i < chars.size(); ++i)
        Wake();
}

void Serve_One()
{
    Queued_Message entry;
    {
        std::lock_guard lock(queue_mutex);
        if (queue.empty())
            return;
        entry = std::move(queue.front());
        queue.pop_front();
    }
    Window_Retrieve_Keys(entry);
    Clear_Timer_Pending(entry.msg);
    if (entry.to_focus) {
        entry.msg = Addressed(entry);
        if (!entry.msg.hwnd)
            return;
    }
    if (entry.msg.hwnd && !Window_Find(entry.msg.hwnd))
        return;
    Queue_Set_Current(entry.msg);
    if (entry.mouse)
        Window_Check_Leave(entry.msg.pt);
    if (entry.hit_test && !Window_Prepare_Mouse(entry))
        return;
    if (filter && filter(entry.msg))
        return;
    if (!entry.chars.empty())
        Queue_Chars(entry);
    DispatchMessageA(&entry.msg);
}

bool Message_Pump::event(QEvent* event)
{
    if (event->type() == Wake_Event) {
        Serve_One();
        return true;
    }
    if (event->type() == Paint_Event) {
        paint_scheduled = false;
        Window_Paint_Pending();
        return true;
    }
    return QObject::event(event);
}

void Post_System_Event(UINT message, WPARAM w_param, LPARAM l_param)
{
    if (system_event_window)
        PostMessageA(system_event_window, message, w_param, l_param);
}

void Post_Display_Change()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize size = screen->geometry().size();
    Post_System_Event(WM_DISPLAYCHANGE, static_cast<WPARAM>(screen->depth()),
                      MAKELPARAM(static_cast<WORD>(size.width()), static_cast<WORD>(size.height())));
}

void Watch_Screen(QScreen* screen)
{
    QObject::connect(screen, &QScreen::geometryChanged, pump, [] { Post_Display_Change(); });
}

// logind announces suspend and resume with PrepareForSleep(bool). A D-Bus
// signal needs a slot to land in; a checkable QAction's setChecked is one,
// and its toggled signal carries the value on.
void Watch_Sleep()
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return;
    auto* relay = new QAction(pump);
    relay->setCheckable(true);
    QObject::connect(relay, &QAction::toggled, pump, [](bool sleeping) {
        Post_System_Event(WM_POWERBROADCAST, sleeping ? PBT_APMSUSPEND : PBT_APMRESUMESUSPEND, 0);
    });
    bus.connect("org.freedesktop.login1", "/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                "PrepareForSleep", relay, SLOT(setChecked(bool)));
}

void Install_System_Events()
{
    auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!gui)
        return;
    QObject::connect(gui, &QGuiApplication::commitDataRequest, pump, [](QSessionManager& manager) {
        if (!system_event_window)
            return;
        // As on Windows, the answer is followed by whether the session ends:
        // a refusal calls the log-off off.
        const bool ends = SendMessageA(system_event_window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF) != 0;
        if (!ends)
            manager.cancel();
        SendMessageA(system_event_window, WM_ENDSESSION, ends ? TRUE : FALSE, ENDSESSION_LOGOFF);
    }, Qt::DirectConnection);
    for (QScreen* screen : QGuiApplication::screens())
        Watch_Screen(screen);
    QObject::connect(gui, &QGuiApplication::screenAdded, pump, [](QScreen* screen) {
        Watch_Screen(screen);
        Post_Display_Change();
    });
    QObject::connect(gui, &QGuiApplication::screenRemoved, pump, [] { Post_Display_Change(); });
    QObject::connect(gui, &QGuiApplication::primaryScreenChanged, pump, [] { Post_Display_Change(); });
    Watch_Sleep();
    // Drawing through a DC kept open shows once the loop has nothing else to do.
    if (auto* dispatcher = QAbstractEventDispatcher::instance(gui->thread()))
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, pump, [] { Window_Show_Drawn(); });
}

void Timer_Fired(HWND window, UINT_PTR id)
{
    auto found = timers.find({window, id});
    if (found == timers.end() || found->second.pending)
        return;
    found->second.pending = true;
    Queued_Message entry;
    entry.msg = Stamp(window, WM_TIMER, id, reinterpret_cast<LPARAM>(found->second.procedure));
    Queue_Post(entry);
}

} // namespace

// ---- Queue internals ---------------------------------------------------

bool On_Ui_Thread()
{
    auto* application = QCoreApplication::instance();
    return application && QThread::currentThread() == application->thread();
}

void Queue_Post(Queued_Message entry)
{
    {
        std::lock_guard lock(queue_mutex);
        queue.push_back(std::move(entry));
    }
    Wake();
}

bool Queue_Holds_Mouse_Input()
{
    std::lock_guard lock(queue_mutex);
    return std::ranges::any_of(queue, [](const Queued_Message& entry) { return entry.mouse; });
}

void Queue_Remove_Window(HWND window)
{
    std::vector<Queued_Message> dropped;
    {
        std::lock_guard lock(queue_mutex);
        std::erase_if(queue, [&](const Queued_Message& entry) {
            if (entry.msg.hwnd != window)
                return false;
            if (entry.key_count > 0)
                dropped.push_back(entry);
            return true;
        });
    }
    // Keys released over a closing window must not stay down.
    for (const Queued_Message& entry : dropped)
        Window_Retrieve_Keys(entry);
    for (auto it = timers.begin(); it != timers.end();) {
        if (it->first.first == window) {
            delete it->second.timer;
            it = timers.erase(it);
        } else {
            ++it;
        }
    }
    if (system_event_window == window)
        system_event_window = nullptr;
}

void Queue_Schedule_Paint()
{
    if (paint_scheduled)
        return;
    if (auto* target = Pump()) {
        paint_scheduled = true;
        QCoreApplication::postEvent(target, new QEvent(Paint_Event), Qt::LowEventPriority);
    }
}

void Queue_Set_Current(const MSG& message) { current = message; }

// ---- Calls -------------------------------------------------------------

LRESULT SendMessageA(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    if (On_Ui_Thread())
        return Window_Send(window, message, w_param, l_param);
    Message_Pump* target = Pump();
    if (!target || !IsWindow(window))
        return 0;
    LRESULT result = 0;
    QMetaObject::invokeMethod(
        target,
        [&] {
            ++cross_thread_sends;
            result = Window_Send(window, message, w_param, l_param);
            --cross_thread_sends;
        },
        Qt::BlockingQueuedConnection);
    return result;
}

BOOL PostMessageA(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    if (window && !IsWindow(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    Queued_Message entry;
    entry.msg = Stamp(window, message, w_param, l_param);
    Queue_Post(entry);
    return TRUE;
}

BOOL PostThreadMessageA(DWORD thread_id, UINT message, WPARAM w_param, LPARAM l_param)
{
    if (thread_id == 0 || thread_id != ui_thread_id) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    return PostMessageA(nullptr, message, w_param, l_param);
}

BOOL PeekMessageA(LPMSG message, HWND window, UINT first, UINT last, UINT remove)
{
    if (!message || !On_Ui_Thread())
        return FALSE;
    std::unique_lock lock(queue_mutex);
    auto found = std::find_if(queue.begin(), queue.end(), [&](const Queued_Message& entry) {
        return Matches(Addressed(entry), window, first, last);
    });
    if (found == queue.end())
        return FALSE;
    *message = Addressed(*found);
    if (remove & PM_REMOVE) {
        const Queued_Message entry = std::move(*found);
        queue.erase(found);
        lock.unlock();
        Window_Retrieve_Keys(entry);
        Clear_Timer_Pending(*message);
    }
    return TRUE;
}

LRESULT DispatchMessageA(const MSG* message)
{
    if (!message)
        return 0;
    if (message->message == WM_TIMER && message->lParam) {
        auto procedure = reinterpret_cast<TIMERPROC>(message->lParam);
        procedure(message->hwnd, WM_TIMER, message->wParam, GetTickCount());
        return 0;
    }
    if (!message->hwnd)
        return 0;
    return Window_Send(message->hwnd, message->message, message->wParam, message->lParam);
}

DWORD GetMessagePos()
{
    return MAKELONG(static_cast<WORD>(current.pt.x), static_cast<WORD>(current.pt.y));
}

LONG GetMessageTime() { return static_cast<LONG>(current.time); }

BOOL InSendMessage() { return cross_thread_sends > 0 ? TRUE : FALSE; }

void Set_Message_Filter(Message_Filter new_filter) { filter = new_filter; }

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT milliseconds, TIMERPROC procedure)
{
    if ((window && !Window_Find(window)) || !On_Ui_Thread()) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (!window)
        id = next_thread_timer++;
    Timer& timer = timers[{window, id}];
    if (!timer.timer) {
        timer.timer = new QTimer;
        QObject::connect(timer.timer, &QTimer::timeout, [window, id] { Timer_Fired(window, id); });
    }
    timer.procedure = procedure;
    timer.timer->start(static_cast<int>(std::max<UINT>(milliseconds, 10)));
    return id ? id : 1;
}

BOOL KillTimer(HWND window, UINT_PTR id)
{
    auto found = timers.find({window, id});
    if (found == timers.end()) {
        SetLastError(ERROR_TIMER_NOT_FOUND);
        return FALSE;
    }
    delete found->second.timer;
    timers.erase(found);
    return TRUE;
}

void Set_System_Event_Window(HWND window)
{
    Pump();
    system_event_window = window;
}
