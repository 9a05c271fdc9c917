#include "platform/winapi/Cursor.h"

#include "platform/winapi/Kernel.h"
#include "platform/winapi/Window.h"

#include <QCursor>
#include <QWidget>

#include <map>
#include <memory>
#include <optional>
#include <string>

// A resource cursor may be named before the GUI exists: its picture is then
// made the first time the cursor is used.
struct HCURSOR__ {
    std::optional<QCursor> made;
    std::function<QCursor()> make;

    const QCursor& Shape()
    {
        if (!made)
            made = make ? make() : QCursor(Qt::ArrowCursor);
        return *made;
    }
};

namespace {

constexpr DWORD ERROR_RESOURCE_NAME_NOT_FOUND = 1814;
constexpr DWORD ERROR_MOD_NOT_FOUND = 126;

// Made on first use: cursors are registered by objects built at start-up.
std::map<WORD, std::unique_ptr<HCURSOR__>>& Standard()
{
    static std::map<WORD, std::unique_ptr<HCURSOR__>> standard;
    return standard;
}

std::map<std::string, std::unique_ptr<HCURSOR__>>& Resources()
{
    static std::map<std::string, std::unique_ptr<HCURSOR__>> resources;
    return resources;
}

HCURSOR current = nullptr;

Qt::CursorShape Standard_Shape(WORD id)
{
    static const std::map<WORD, Qt::CursorShape> shapes = {
        {32512, Qt::ArrowCursor},     {32513, Qt::IBeamCursor},    {32514, Qt::WaitCursor},
        {32515, Qt::CrossCursor},     {32516, Qt::UpArrowCursor},  {32640, Qt::SizeAllCursor},
        {32641, Qt::ArrowCursor},     {32642, Qt::SizeFDiagCursor}, {32643, Qt::SizeBDiagCursor},
        {32644, Qt::SizeHorCursor},   {32645, Qt::SizeVerCursor},  {32646, Qt::SizeAllCursor},
        {32648, Qt::ForbiddenCursor}, {32649, Qt::PointingHandCursor}, {32650, Qt::BusyCursor},
        {32651, Qt::WhatsThisCursor},
    };
    auto found = shapes.find(id);
    return found == shapes.end() ? Qt::BitmapCursor : found->second;
}

std::string Resource_Key(LPCSTR name)
{
    if (IS_INTRESOURCE(name))
        return "#" + std::to_string(reinterpret_cast<std::uintptr_t>(name));
    return name;
}

bool Known(HCURSOR cursor)
{
    if (!cursor)
        return false;
    for (const auto& [id, entry] : Standard())
        if (entry.get() == cursor)
            return true;
    for (const auto& [key, entry] : Resources())
        if (entry.get() == cursor)
            return true;
    return false;
}

// The window the cursor shape shows over: the capture window, else the one
// under the point of the message being handled.
QWidget* Cursor_Widget()
{
    HWND window = GetCapture();
    if (!window) {
        const DWORD position = GetMessagePos();
        window = WindowFromPoint(POINT{static_cast<SHORT>(LOWORD(position)), static_cast<SHORT>(HIWORD(position))});
    }
    return Window_Widget(window);
}

} // namespace

HINSTANCE GetModuleHandleA(LPCSTR module_name)
{
    static char program_module;
    if (module_name) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<HINSTANCE>(&program_module);
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name)
{
    if (!name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!instance && IS_INTRESOURCE(name)) {
        const auto id = static_cast<WORD>(reinterpret_cast<std::uintptr_t>(name));
        const Qt::CursorShape shape = Standard_Shape(id);
        if (shape != Qt::BitmapCursor) {
            std::unique_ptr<HCURSOR__>& entry = Standard()[id];
            if (!entry)
                entry.reset(new HCURSOR__{QCursor(shape), {}});
            return entry.get();
        }
    }
    if (instance) {
        auto found = Resources().find(Resource_Key(name));
        if (found != Resources().end())
            return found->second.get();
    }
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
}

void Register_Cursor_Resource(LPCSTR name, const QCursor& cursor)
{
    Register_Cursor_Resource(name, std::function<QCursor()>([cursor] { return cursor; }));
}

void Register_Cursor_Resource(LPCSTR name, std::function<QCursor()> make)
{
    if (!name || !make)
        return;
    std::unique_ptr<HCURSOR__>& entry = Resources()[Resource_Key(name)];
    if (!entry)
        entry = std::make_unique<HCURSOR__>();
    entry->made.reset();
    entry->make = std::move(make);
}

BOOL DestroyCursor(HCURSOR cursor)
{
    if (!Known(cursor)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    HCURSOR old = current;
    current = Known(cursor) ? cursor : nullptr;
    if (QWidget* widget = Cursor_Widget())
        widget->setCursor(current ? current->Shape() : QCursor(Qt::BlankCursor));
    return old;
}

HCURSOR GetCursor() { return current; }

QCursor Cursor_Shape(HCURSOR cursor) { return Known(cursor) ? cursor->Shape() : QCursor(Qt::ArrowCursor); }

BOOL GetCursorPos(POINT* point)
{
    if (!point)
        return FALSE;
    const QPoint position = QCursor::pos();
    *point = POINT{position.x(), position.y()};
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    QCursor::setPos(x, y);
    return TRUE;
}
