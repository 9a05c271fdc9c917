#include "platform/classlib/Forms_ScrollBox.h"

#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

// ---- Scroll bars -----------------------------------------------------------

TControlScrollBar::TControlScrollBar(TScrollingWinControl* Control, TScrollBarKind Kind)
    : control(Control), kind(Kind)
{
}

int TControlScrollBar::Client_Extent() const
{
    const RECT client = control->Window_Client();
    const TControlScrollBar* other =
        kind == sbHorizontal ? control->VertScrollBar() : control->HorzScrollBar();
    const int other_extent = other->kind == sbHorizontal ? client.right : client.bottom;
    const bool other_shown = other->visible && other->range > other_extent;
    if (kind == sbHorizontal)
        return client.right - (other_shown ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    return client.bottom - (other_shown ? GetSystemMetrics(SM_CYHSCROLL) : 0);
}

bool TControlScrollBar::IsScrollBarVisible() const { return visible && range > Client_Extent(); }

void TControlScrollBar::SetPosition(int Value)
{
    const int last = IsScrollBarVisible() ? range - Client_Extent() : 0;
    const int next = std::clamp(Value, 0, std::max(0, last));
    if (next == position)
        return;
    const int delta = position - next;
    position = next;
    control->Scroll_By(kind == sbHorizontal ? delta : 0, kind == sbVertical ? delta : 0);
    control->Update_Scroll_Bars();
}

void TControlScrollBar::Store_Range(int Value) { range = std::max(0, Value); }

void TControlScrollBar::SetRange(int Value)
{
    control->auto_scroll = false;
    Store_Range(Value);
    control->Update_Scroll_Bars();
}

void TControlScrollBar::SetVisible(bool Value)
{
    visible = Value;
    control->Update_Scroll_Bars();
}

// ---- Scrolling control -----------------------------------------------------

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner)
    : TWinControl(AOwner),
      horz_scroll_bar(std::make_unique<TControlScrollBar>(this, sbHorizontal)),
      vert_scroll_bar(std::make_unique<TControlScrollBar>(this, sbVertical))
{
}

TScrollingWinControl::~TScrollingWinControl()
{
    // The bars call back into this control while they live.
    delete horz_widget;
    delete vert_widget;
}

void TScrollingWinControl::SetAutoScroll(bool Value)
{
    auto_scroll = Value;
    Calc_Auto_Range();
    Update_Scroll_Bars();
}

RECT TScrollingWinControl::Window_Client() { return TWinControl::ClientRect(); }

RECT TScrollingWinControl::ClientRect()
{
    RECT rect = Window_Client();
    if (vert_scroll_bar->IsScrollBarVisible())
        rect.right = std::max<LONG>(0, rect.right - GetSystemMetrics(SM_CXVSCROLL));
    if (horz_scroll_bar->IsScrollBarVisible())
        rect.bottom = std::max<LONG>(0, rect.bottom - GetSystemMetrics(SM_CYHSCROLL));
    return rect;
}

void TScrollingWinControl::AlignControls(TControl* AControl, RECT& Rect)
{
    // Aligned children fill the whole scrolled extent, moved by the positions.
    const RECT client = ClientRect();
    Rect = RECT{-horz_scroll_bar->position, -vert_scroll_bar->position,
                std::max<LONG>(horz_scroll_bar->range, client.right) - horz_scroll_bar->position,
                std::max<LONG>(vert_scroll_bar->range, client.bottom) - vert_scroll_bar->position};
    TWinControl::AlignControls(AControl, Rect);
    Calc_Auto_Range();
    Update_Scroll_Bars();
}

void TScrollingWinControl::Calc_Auto_Range()
{
    if (!auto_scroll)
        return;
    int right = 0;
    int bottom = 0;
    for (int index = 0; index < ControlCount(); ++index) {
        TControl* child = Controls(index);
        if (!child->Visible())
            continue;
        const TAlign align = child->Align();
        if (align == alNone || align == alLeft || align == alRight)
            right = std::max(right, child->Left() + child->Width() + horz_scroll_bar->position);
        if (align == alNone || align == alTop || align == alBottom)
            bottom = std::max(bottom, child->Top() + child->Height() + vert_scroll_bar->position);
    }
    horz_scroll_bar->Store_Range(right);
    vert_scroll_bar->Store_Range(bottom);
}

void TScrollingWinControl::Scroll_By(int DeltaX, int DeltaY)
{
    DisableAlign();
    for (int index = 0; index < ControlCount(); ++index) {
        TControl* child = Controls(index);
        if (child->Align() == alNone)
            child->SetBounds(child->Left() + DeltaX, child->Top() + DeltaY, child->Width(), child->Height());
    }
    EnableAlign();
    Invalidate();
}

void TScrollingWinControl::ScrollInView(TControl* AControl)
{
    if (!AControl)
        return;
    POINT origin = ScreenToClient(AControl->ClientOrigin());
    const RECT client = ClientRect();
    auto bring = [](TControlScrollBar* bar, LONG start, int size, LONG extent) {
        if (start < 0)
            bar->SetPosition(bar->Position() + start);
        else if (start + size > extent && size <= extent)
            bar->SetPosition(bar->Position() + start + size - extent);
    };
    bring(horz_scroll_bar.get(), origin.x, AControl->Width(), client.right);
    origin = ScreenToClient(AControl->ClientOrigin());
    bring(vert_scroll_bar.get(), origin.y, AControl->Height(), client.bottom);
}

void TScrollingWinControl::Scroll_Message(TControlScrollBar* Bar, WPARAM WParam)
{
    const int page = Bar->Client_Extent();
    switch (LOWORD(static_cast<DWORD>(WParam))) {
    case SB_LINEUP: Bar->SetPosition(Bar->position - Bar->increment); break;
    case SB_LINEDOWN: Bar->SetPosition(Bar->position + Bar->increment); break;
    case SB_PAGEUP: Bar->SetPosition(Bar->position - page); break;
    case SB_PAGEDOWN: Bar->SetPosition(Bar->position + page); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: Bar->SetPosition(HIWORD(static_cast<DWORD>(WParam))); break;
    case SB_TOP: Bar->SetPosition(0); break;
    case SB_BOTTOM: Bar->SetPosition(Bar->range); break;
    default: break;
    }
}

void TScrollingWinControl::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_HSCROLL || Message.Msg == WM_VSCROLL) {
        Scroll_Message(Message.Msg == WM_HSCROLL ? horz_scroll_bar.get() : vert_scroll_bar.get(), Message.WParam);
        Message.Result = 0;
        return;
    }
    TWinControl::Dispatch(Message);
}

void TScrollingWinControl::WndProc(TMessage& Message)
{
    TWinControl::WndProc(Message);
    if (Message.Msg == WM_SIZE) {
        Calc_Auto_Range();
        Update_Scroll_Bars();
    }
}

QScrollBar* TScrollingWinControl::Make_Bar(TControlScrollBar* Bar)
{
    const Qt::Orientation orientation = Bar->kind == sbHorizontal ? Qt::Horizontal : Qt::Vertical;
    auto* widget = new QScrollBar(orientation, Window_Widget(Handle()));
    const UINT message = Bar->kind == sbHorizontal ? WM_HSCROLL : WM_VSCROLL;
    QObject::connect(widget, &QAbstractSlider::actionTriggered, widget, [this, widget, message](int action) {
        static const WORD codes[] = {0, SB_LINEDOWN, SB_LINEUP, SB_PAGEDOWN, SB_PAGEUP, SB_TOP, SB_BOTTOM,
                                     SB_THUMBTRACK};
        if (action <= QAbstractSlider::SliderNoAction || action > QAbstractSlider::SliderMove)
            return;
        const auto position = static_cast<WORD>(widget->sliderPosition());
        Perform(message, MAKEWPARAM(codes[action], position), 0);
        if (action != QAbstractSlider::SliderMove)
            Perform(message, SB_ENDSCROLL, 0);
    });
    QObject::connect(widget, &QAbstractSlider::sliderReleased, widget, [this, widget, message] {
        Perform(message, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(widget->sliderPosition())), 0);
        Perform(message, SB_ENDSCROLL, 0);
    });
    return widget;
}

void TScrollingWinControl::CreateWnd()
{
    TWinControl::CreateWnd();
    horz_widget = Make_Bar(horz_scroll_bar.get());
    vert_widget = Make_Bar(vert_scroll_bar.get());
    Calc_Auto_Range();
    Update_Scroll_Bars();
}

void TScrollingWinControl::DestroyWnd()
{
    delete horz_widget;
    delete vert_widget;
    horz_widget = nullptr;
    vert_widget = nullptr;
    TWinControl::DestroyWnd();
}

void TScrollingWinControl::Place_Bar(QScrollBar* Widget, TControlScrollBar* Bar, const RECT& Area)
{
    const bool shown = Bar->IsScrollBarVisible();
    Widget->setVisible(shown);
    if (!shown)
        return;
    RECT window_rect;
    POINT origin{0, 0};
    GetWindowRect(Handle(), &window_rect);
    ::ClientToScreen(Handle(), &origin);
    const int x = origin.x - window_rect.left;
    const int y = origin.y - window_rect.top;
    if (Bar->kind == sbHorizontal)
        Widget->setGeometry(x, y + Area.bottom, Area.right, GetSystemMetrics(SM_CYHSCROLL));
    else
        Widget->setGeometry(x + Area.right, y, GetSystemMetrics(SM_CXVSCROLL), Area.bottom);
    const int extent = Bar->Client_Extent();
    const QSignalBlocker blocker(Widget);
    Widget->setRange(0, std::max(0, Bar->range - extent));
    Widget->setPageStep(std::max(1, extent));
    Widget->setSingleStep(Bar->increment);
    Widget->setValue(Bar->position);
    Widget->raise();
}

void TScrollingWinControl::Update_Scroll_Bars()
{
    if (updating)
        return;
    updating = true;
    // A bar that no longer scrolls as far brings the children back.
    for (TControlScrollBar* bar : {horz_scroll_bar.get(), vert_scroll_bar.get()})
        bar->SetPosition(bar->position);
    if (horz_widget && vert_widget) {
        const RECT area = ClientRect();
        Place_Bar(horz_widget, horz_scroll_bar.get(), area);
        Place_Bar(vert_widget, vert_scroll_bar.get(), area);
    }
    updating = false;
}

// ---- Scroll box ------------------------------------------------------------

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner)
{
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetBounds(0, 0, 185, 41);
}

void TScrollBox::SetBorderStyle(TBorderStyle Value)
{
    border_style = Value == bsSingle ? bsSingle : bsNone;
    RecreateWnd();
}

void TScrollBox::CreateParams(TCreateParams& Params)
{
    TScrollingWinControl::CreateParams(Params);
    if (border_style == bsSingle)
        Params.ExStyle |= WS_EX_CLIENTEDGE;
}
