#include "tests/platform/winapi/windows/Window_Test_Support.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace {

Message_Hook message_hook;

} // namespace

std::vector<Logged>& Message_Log()
{
    static std::vector<Logged> log;
    return log;
}

void Set_Message_Hook(Message_Hook hook) { message_hook = std::move(hook); }

LRESULT Recording_Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    Message_Log().push_back(Logged{window, message, w_param, l_param});
    if (message_hook)
        if (std::optional<LRESULT> answer = message_hook(window, message, w_param, l_param))
            return *answer;
    return DefWindowProcA(window, message, w_param, l_param);
}

void Register_Recorder_Classes()
{
    WNDCLASSA window_class;
    window_class.lpfnWndProc = Recording_Procedure;
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_WINDOW + 1));
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.lpszClassName = "Recorder";
    RegisterClassA(&window_class);
    window_class.style = CS_DBLCLKS;
    window_class.lpszClassName = "Recorder_Dbl";
    RegisterClassA(&window_class);
}

HWND Make_Top_Level(QPoint position, QSize size, DWORD style)
{
    return CreateWindowExA(0, "Recorder", "Top", style, position.x(), position.y(), size.width(), size.height(),
                           nullptr, nullptr, nullptr, nullptr);
}

HWND Make_Child(HWND parent, QPoint position, QSize size, LPCSTR class_name, DWORD style)
{
    return CreateWindowExA(0, class_name, "", style, position.x(), position.y(), size.width(), size.height(), parent,
                           nullptr, nullptr, nullptr);
}

void Pump_Messages()
{
    for (int round = 0; round < 20; ++round)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void Send_Mouse(HWND window, QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons buttons,
                quint64 time)
{
    QWidget* widget = Window_Widget(window);
    QMouseEvent event(type, QPointF(widget->mapFromGlobal(global)), QPointF(global), button, buttons,
                      Qt::NoModifier);
    event.setTimestamp(time);
    QApplication::sendEvent(widget, &event);
}

void Send_Key(HWND window, QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    QKeyEvent event(type, key, modifiers, text);
    QApplication::sendEvent(Window_Widget(window), &event);
}

std::vector<std::pair<HWND, UINT>> Logged_Messages(const std::set<UINT>& wanted)
{
    std::vector<std::pair<HWND, UINT>> found;
    for (const Logged& entry : Message_Log())
        if (wanted.count(entry.message))
            found.emplace_back(entry.window, entry.message);
    return found;
}

QImage Shown(HWND window)
{
    return Window_Widget(window)->grab().toImage().convertToFormat(QImage::Format_RGB32);
}
