#pragma once
// Windows for the window tests: a recording window class, Qt input sent to
// our widgets with chosen positions and times, and pumping the queue.

#include "platform/winapi/Window.h"

#include <QEvent>
#include <QImage>
#include <QPoint>

#include <functional>
#include <optional>
#include <set>
#include <vector>

struct Logged {
    HWND window = nullptr;
    UINT message = 0;
    WPARAM w_param = 0;
    LPARAM l_param = 0;
};

// Every message the recording procedure saw, in order.
std::vector<Logged>& Message_Log();
// Answers instead of DefWindowProcA when it returns a value.
using Message_Hook = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;
void Set_Message_Hook(Message_Hook hook);
LRESULT Recording_Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param);

// "Recorder" (no double clicks) and "Recorder_Dbl" (CS_DBLCLKS), white background.
void Register_Recorder_Classes();
HWND Make_Top_Level(QPoint position, QSize size, DWORD style = WS_POPUP | WS_VISIBLE);
HWND Make_Child(HWND parent, QPoint position, QSize size, LPCSTR class_name = "Recorder",
                DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN);

// Runs Qt's loop until nothing is left to do.
void Pump_Messages();

// Qt input as the window system gives it to the widget of `window`.
void Send_Mouse(HWND window, QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons buttons,
                quint64 time);
void Send_Key(HWND window, QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text = {});

// The messages of the log that are in `wanted`, as (window, message).
std::vector<std::pair<HWND, UINT>> Logged_Messages(const std::set<UINT>& wanted);

// What the widget of a top-level window shows.
QImage Shown(HWND window);
