#pragma once
// The scroll box: a windowed container whose children scroll under two
// scroll bars. The bars are Qt's scroll bars laid over the right and
// bottom edges of the window; the client area is what they leave free.
// Moving a bar sends the box WM_HSCROLL or WM_VSCROLL with the SB_ code of
// the move, and the box scrolls as those messages say, so that a
// descendant can watch them; SB_ENDSCROLL follows every move.

#include <memory>

#include "platform/classlib/Forms.h"

class QScrollBar;

constexpr WORD SB_LINEUP = 0;
constexpr WORD SB_LINELEFT = 0;
constexpr WORD SB_LINEDOWN = 1;
constexpr WORD SB_LINERIGHT = 1;
constexpr WORD SB_PAGEUP = 2;
constexpr WORD SB_PAGELEFT = 2;
constexpr WORD SB_PAGEDOWN = 3;
constexpr WORD SB_PAGERIGHT = 3;
constexpr WORD SB_THUMBPOSITION = 4;
constexpr WORD SB_THUMBTRACK = 5;
constexpr WORD SB_TOP = 6;
constexpr WORD SB_LEFT = 6;
constexpr WORD SB_BOTTOM = 7;
constexpr WORD SB_RIGHT = 7;
constexpr WORD SB_ENDSCROLL = 8;

enum TScrollBarKind { sbHorizontal, sbVertical };

class TScrollingWinControl;

class TControlScrollBar : public TPersistent {
public:
    TControlScrollBar(TScrollingWinControl* Control, TScrollBarKind Kind);

    TScrollBarKind Kind() const { return kind; }
    // 0 .. Range less the client extent; moving it scrolls the children.
    int Position() const { return position; }
    void SetPosition(int Value);
    // The extent scrolled over; AutoScroll sets it from the children.
    int Range() const { return range; }
    void SetRange(int Value);
    bool Visible() const { return visible; }
    void SetVisible(bool Value);
    // What a line step moves.
    int Increment() const { return increment; }
    void SetIncrement(int Value) { increment = Value > 0 ? Value : 1; }
    // Shown now: visible, and the range exceeds the client extent.
    bool IsScrollBarVisible() const;

private:
    friend class TScrollingWinControl;

    int Client_Extent() const;
    void Store_Range(int Value);

    TScrollingWinControl* control;
    TScrollBarKind kind;
    int position = 0;
    int range = 0;
    bool visible = true;
    int increment = 8;
};

class TScrollingWinControl : public TWinControl {
public:
    explicit TScrollingWinControl(TComponent* AOwner);
    ~TScrollingWinControl() override;

    TControlScrollBar* HorzScrollBar() const { return horz_scroll_bar.get(); }
    TControlScrollBar* VertScrollBar() const { return vert_scroll_bar.get(); }
    // The ranges follow the children's extent.
    bool AutoScroll() const { return auto_scroll; }
    void SetAutoScroll(bool Value);
    // Scrolls so that the control (a descendant) is wholly in view, if it fits.
    void ScrollInView(TControl* AControl);

    // The window's client area less the scroll bars shown.
    RECT ClientRect() override;
    void Dispatch(TMessage& Message) override;
    void WndProc(TMessage& Message) override;

protected:
    void AlignControls(TControl* AControl, RECT& Rect) override;
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    friend class TControlScrollBar;

    RECT Window_Client();
    void Scroll_Message(TControlScrollBar* Bar, WPARAM WParam);
    void Scroll_By(int DeltaX, int DeltaY);
    void Calc_Auto_Range();
    // Shows, places and sets the Qt bars from the scroll bars' state.
    void Update_Scroll_Bars();
    void Place_Bar(QScrollBar* Widget, TControlScrollBar* Bar, const RECT& Area);
    QScrollBar* Make_Bar(TControlScrollBar* Bar);

    std::unique_ptr<TControlScrollBar> horz_scroll_bar;
    std::unique_ptr<TControlScrollBar> vert_scroll_bar;
    bool auto_scroll = true;
    bool updating = false;
    QScrollBar* horz_widget = nullptr;
    QScrollBar* vert_widget = nullptr;
};

class TScrollBox : public TScrollingWinControl {
public:
    explicit TScrollBox(TComponent* AOwner);

    // bsSingle: a sunken edge round the box.
    TBorderStyle BorderStyle() const { return border_style; }
    void SetBorderStyle(TBorderStyle Value);

protected:
    void CreateParams(TCreateParams& Params) override;

private:
    TBorderStyle border_style = bsSingle;
};
