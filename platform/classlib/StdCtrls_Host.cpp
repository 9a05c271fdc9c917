#include "platform/classlib/StdCtrls_Host.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPalette>

#include "platform/winapi/Gdi_Objects.h"
#include "platform/winapi/Gdi_Text.h"

QString Qt_Text(const std::string& Text) { return QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size())); }

QFont Qt_Font(TFont* Font)
{
    // The text layer makes a font's Qt face when it first measures with it.
    HFONT handle = Font->Handle();
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, handle);
    SIZE extent{};
    GetTextExtentPoint32A(dc, "x", 1, &extent);
    SelectObject(dc, old);
    DeleteDC(dc);
    const Gdi_Font* font = Gdi_Find<Gdi_Font>(handle);
    return font && font->qt_font_ready ? font->qt_font : QApplication::font();
}

namespace {

QColor Qt_Color(TColor color)
{
    const COLORREF rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

bool Is_Mouse(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease || type == QEvent::MouseMove ||
           type == QEvent::MouseButtonDblClick;
}

bool Is_Key(QEvent::Type type) { return type == QEvent::KeyPress || type == QEvent::KeyRelease; }

// A window takes input while it and its parents up to its top-level window
// are enabled (a modal form disables the other forms).
bool Takes_Input(HWND window)
{
    for (; window; window = GetParent(window)) {
        if (!IsWindowEnabled(window))
            return false;
        if (!(GetWindowLongA(window, GWL_STYLE) & static_cast<LONG>(WS_CHILD)))
            return true;
    }
    return true;
}

bool Is_Tab(const QKeyEvent* event)
{
    return (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) &&
           !(event->modifiers() & Qt::ControlModifier);
}

} // namespace

// Passes the widget's input on to the window, and drops the key events the
// widget left unhandled when Qt hands them on to the window's widget, which
// has had them already.
class Content_Input_Filter : public QObject {
public:
    Content_Input_Filter(TWidget_Control* owner, QWidget* window_widget)
        : QObject(owner->Content()), control(owner), window(window_widget)
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window)
            return Window_Event(event);
        const QEvent::Type type = event->type();
        const bool input = Is_Mouse(type) || Is_Key(type) || type == QEvent::Wheel;
        if (input && !Takes_Input(control->Handle()))
            return true;
        if (type == QEvent::ContextMenu)
            return true; // the right button's messages pop up the control's own menu
        if (type == QEvent::FocusIn && control->HandleAllocated() && GetFocus() != control->Handle())
            SetFocus(control->Handle());
        if (Is_Mouse(type) || Is_Key(type)) {
            forwarded = nullptr; // a new event, though it may sit where the last one did
            QCoreApplication::sendEvent(window, event);
        }
        if (Is_Key(type)) {
            // Tab is the form's, to move the focus, unless the control takes tabs.
            if (Is_Tab(static_cast<QKeyEvent*>(event)) && !(control->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB))
                return true;
            forwarded = event;
        }
        return false;
    }

private:
    bool Window_Event(QEvent* event)
    {
        if (event != forwarded)
            return false;
        forwarded = nullptr;
        return true;
    }

    TWidget_Control* control;
    QWidget* window;
    const QEvent* forwarded = nullptr;
};

TWidget_Control::TWidget_Control(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

TWidget_Control::~TWidget_Control() { delete content.data(); }

void TWidget_Control::CreateWnd()
{
    TWinControl::CreateWnd();
    QWidget* window = Window_Widget(Handle());
    content = Create_Content(window);
    auto* filter = new Content_Input_Filter(this, window);
    // Each mouse event reaches the window once, from the part it hit.
    content->setAttribute(Qt::WA_NoMousePropagation);
    content->installEventFilter(filter);
    for (QWidget* part : content->findChildren<QWidget*>()) {
        part->setAttribute(Qt::WA_NoMousePropagation);
        part->installEventFilter(filter);
    }
    window->installEventFilter(filter);
    window->setFocusProxy(content);
    content->setEnabled(Enabled());
    Style_Content();
    Place_Content();
    content->show();
}

void TWidget_Control::DestroyWnd()
{
    if (content) {
        Save_Content();
        if (QWidget* window = content->parentWidget())
            window->setFocusProxy(nullptr);
        delete content.data();
    }
    TWinControl::DestroyWnd();
}

void TWidget_Control::Style_Content()
{
    content->setFont(Qt_Font(Font()));
    QPalette palette = content->palette();
    palette.setColor(QPalette::Base, Qt_Color(Color()));
    palette.setColor(QPalette::Text, Qt_Color(Font()->Color()));
    palette.setColor(QPalette::WindowText, Qt_Color(Font()->Color()));
    palette.setColor(QPalette::ButtonText, Qt_Color(Font()->Color()));
    content->setPalette(palette);
}

void TWidget_Control::WndProc(TMessage& Message)
{
    TWinControl::WndProc(Message);
    if (!content)
        return;
    switch (Message.Msg) {
    case WM_SIZE: Place_Content(); break;
    case CM_FONTCHANGED:
    case CM_COLORCHANGED: Style_Content(); break;
    case CM_ENABLEDCHANGED: content->setEnabled(Enabled()); break;
    default: break;
    }
}

void TWidget_Control::Place_Content()
{
    RECT window_rect;
    RECT client;
    POINT origin{0, 0};
    GetWindowRect(Handle(), &window_rect);
    GetClientRect(Handle(), &client);
    ::ClientToScreen(Handle(), &origin);
    content->setGeometry(origin.x - window_rect.left, origin.y - window_rect.top, client.right, client.bottom);
}
