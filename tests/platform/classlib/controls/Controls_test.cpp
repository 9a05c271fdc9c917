#include "platform/classlib/Controls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"

#include <QCoreApplication>
#include <QImage>
#include <QMenu>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

QRgb Rgb_Of(TColor color)
{
    const COLORREF rgb = ColorToRGB(color);
    return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

void Pump()
{
    for (int i = 0; i < 3; ++i)
        Application->ProcessMessages();
}

// What the screen shows of a form: its window with the child windows on top.
QImage Shown(TCustomForm* form)
{
    Pump();
    return Window_Widget(form->Handle())->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A windowless control that paints a colour well past its own bounds (the
// clip must hold it in) and records what reaches it.
class Probe : public TGraphicControl {
public:
    Probe(TWinControl* parent, RECT bounds, TColor fill, std::vector<std::string>* log = nullptr)
        : Probe(parent, parent, bounds, fill, log)
    {
    }
    Probe(TComponent* owner, TWinControl* parent, RECT bounds, TColor fill, std::vector<std::string>* log = nullptr)
        : TGraphicControl(owner), Fill(fill), Log(log)
    {
        SetBoundsRect(bounds);
        SetParent(parent);
    }

    TColor Fill;
    std::vector<std::string>* Log;
    std::vector<POINT> Downs;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect(RECT{-50, -50, Width() + 50, Height() + 50});
    }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override
    {
        Downs.push_back(POINT{X, Y});
        TGraphicControl::MouseDown(Button, Shift, X, Y);
    }
    void Dispatch(TMessage& Message) override
    {
        if (Log && Message.Msg == CM_MOUSEENTER)
            Log->push_back("enter " + Name());
        if (Log && Message.Msg == CM_MOUSELEAVE)
            Log->push_back("leave " + Name());
        if (Message.Msg == CM_DIALOGCHAR && IsAccel(static_cast<WORD>(Message.WParam), Caption())) {
            if (Log)
                Log->push_back("accel " + Name());
            Message.Result = 1;
            return;
        }
        TGraphicControl::Dispatch(Message);
    }
};

class Painted_Window : public TCustomControl {
public:
    Painted_Window(TWinControl* parent, RECT bounds, TColor fill) : TCustomControl(parent), Fill(fill)
    {
        SetBoundsRect(bounds);
        SetParent(parent);
    }
    TColor Fill;
    bool Wants_Chars = false;
    std::string Pressed;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect(ClientRect());
    }
    void KeyPress(char& Key) override { Pressed += Key; }
    void Dispatch(TMessage& Message) override
    {
        if (Message.Msg == WM_GETDLGCODE && Wants_Chars) {
            Message.Result = DLGC_WANTCHARS;
            return;
        }
        TCustomControl::Dispatch(Message);
    }
};

class Test_Form : public TForm {
public:
    Test_Form() : TForm(nullptr)
    {
        SetBorderStyle(bsNone);
        SetBounds(40, 40, 200, 120);
        SetColor(clWhite);
    }
};

} // namespace

TEST(Controls, WindowlessChildrenPaintInOrderClippedAndUnderWindowedSiblings)
{
    Test_Form form;
    auto* window = new Painted_Window(&form, RECT{100, 10, 140, 50}, clBlue);
    auto* lower = new Probe(&form, RECT{10, 10, 60, 60}, clRed);
    auto* upper = new Probe(&form, RECT{40, 20, 120, 40}, clLime); // under the windowed one too
    form.Show();
    const QImage image = Shown(&form);

    EXPECT_EQ(image.pixel(20, 20), Rgb_Of(clRed));
    EXPECT_EQ(image.pixel(50, 30), Rgb_Of(clLime)) << "later in Controls order paints on top";
    EXPECT_EQ(image.pixel(110, 30), Rgb_Of(clBlue)) << "a windowed sibling stays above windowless ones";
    EXPECT_EQ(image.pixel(5, 5), Rgb_Of(clWhite)) << "a windowless child's clip holds its painting in";
    EXPECT_EQ(image.pixel(20, 65), Rgb_Of(clWhite));
    EXPECT_EQ(image.pixel(130, 45), Rgb_Of(clBlue));

    upper->SendToBack();
    EXPECT_EQ(Shown(&form).pixel(50, 30), Rgb_Of(clRed));
    (void)lower;
    (void)window;
}

TEST(Controls, PostedAndSentMouseMessagesReachTheWindowlessControlUnderThePoint)
{
    Test_Form form;
    auto* left = new Probe(&form, RECT{10, 10, 60, 60}, clRed);
    auto* right = new Probe(&form, RECT{70, 10, 120, 60}, clLime);
    int left_clicks = 0;
    int right_clicks = 0;
    left->OnClick = [&](TObject*) { ++left_clicks; };
    right->OnClick = [&](TObject*) { ++right_clicks; };
    form.Show();
    Pump();

    PostMessageA(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(75, 20));
    PostMessageA(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(76, 21));
    Pump();
    EXPECT_EQ(right_clicks, 1);
    EXPECT_EQ(left_clicks, 0);
    ASSERT_EQ(right->Downs.size(), 1u);
    EXPECT_EQ(right->Downs[0], (POINT{5, 10})) << "coordinates are the control's own";

    SendMessageA(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15));
    EXPECT_TRUE(left->MouseCapture()) << "a pressed control captures the mouse through its parent";
    SendMessageA(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(90, 20)); // released over the other control
    EXPECT_EQ(left_clicks, 0) << "released outside: no click";
    EXPECT_EQ(right_clicks, 1);
    EXPECT_FALSE(left->MouseCapture());
}

TEST(Controls, MouseEnterAndLeaveFollowTheControlUnderTheMouseAlsoDuringCapture)
{
    std::vector<std::string> log;
    Test_Form form;
    auto* a = new Probe(&form, RECT{10, 10, 60, 60}, clRed, &log);
    auto* b = new Probe(&form, RECT{70, 10, 120, 60}, clLime, &log);
    a->SetName("A");
    b->SetName("B");
    form.Show();
    Pump();
    auto move = [&](int x, int y, WPARAM keys) { SendMessageA(form.Handle(), WM_MOUSEMOVE, keys, MAKELPARAM(x, y)); };

    move(20, 20, 0);
    move(25, 25, 0);
    move(80, 20, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"enter A", "leave A", "enter B"}));

    log.clear();
    SendMessageA(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(80, 20));
    ASSERT_TRUE(b->MouseCapture());
    move(20, 20, MK_LBUTTON);
    move(150, 100, MK_LBUTTON);
    SendMessageA(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(150, 100));
    EXPECT_EQ(log, (std::vector<std::string>{"leave B", "enter A", "leave A"}));
}

TEST(Controls, AcceleratorsReachTheControlWhoseCaptionHasThem)
{
    std::vector<std::string> log;
    Test_Form form;
    auto* panel = new Painted_Window(&form, RECT{0, 0, 100, 100}, clSilver);
    auto* alpha = new Probe(&form, RECT{110, 0, 150, 20}, clRed, &log);
    auto* beta = new Probe(panel, RECT{10, 10, 50, 30}, clLime, &log); // one level down
    auto* focus = new Painted_Window(&form, RECT{110, 30, 150, 60}, clBlue);
    alpha->SetName("Alpha");
    alpha->SetCaption("&Alpha");
    beta->SetName("Beta");
    beta->SetCaption("Bet&a && &Co"); // the first single '&' marks 'a'
    form.Show();
    Pump();

    // Windowless controls of a parent are asked before its windowed ones,
    // so Alpha (on the form) answers 'a' before the panel holding Beta.
    SendMessageA(focus->Handle(), WM_SYSCHAR, 'A', KF_ALTDOWN_BIT);
    EXPECT_EQ(log, (std::vector<std::string>{"accel Alpha"}));
    log.clear();
    alpha->SetCaption("Alpha");
    SendMessageA(focus->Handle(), WM_SYSCHAR, 'a', KF_ALTDOWN_BIT);
    EXPECT_EQ(log, (std::vector<std::string>{"accel Beta"}));
    log.clear();

    SendMessageA(focus->Handle(), WM_CHAR, 'a', 0);
    EXPECT_EQ(log, (std::vector<std::string>{"accel Beta"})) << "a plain key is offered too";
    EXPECT_EQ(focus->Pressed, "");
    log.clear();
    focus->Wants_Chars = true;
    SendMessageA(focus->Handle(), WM_CHAR, 'a', 0);
    EXPECT_TRUE(log.empty()) << "a control that takes characters keeps them";
    EXPECT_EQ(focus->Pressed, "a");
    SendMessageA(focus->Handle(), WM_SYSCHAR, 'z', KF_ALTDOWN_BIT);
    EXPECT_TRUE(log.empty());
}

TEST(Controls, FreeingAParentFreesItsControlsAndTellsTheirOwner)
{
    class Watching_Form : public TForm {
    public:
        using TForm::TForm;
        std::vector<TComponent*> Removed;

    protected:
        void Notification(TComponent* AComponent, TOperation Operation) override
        {
            TForm::Notification(AComponent, Operation);
            if (Operation == opRemove)
                Removed.push_back(AComponent);
        }
    };
    Watching_Form form(nullptr);
    auto* panel = new Painted_Window(&form, RECT{0, 0, 50, 50}, clSilver);
    auto* child = new Probe(&form, panel, RECT{0, 0, 10, 10}, clRed);
    ASSERT_EQ(form.ComponentCount(), 2);
    ASSERT_EQ(panel->ControlCount(), 1);
    EXPECT_EQ(panel->Controls(0), child);
    EXPECT_EQ(child->Parent(), panel);

    const std::vector<TComponent*> removal_order{child, panel};
    delete panel;
    EXPECT_EQ(form.ControlCount(), 0);
    EXPECT_EQ(form.ComponentCount(), 0) << "the child went with its parent";
    EXPECT_EQ(form.Removed, removal_order);
}

TEST(Controls, FocusBringsEnterAndExitAndKeyPreviewLetsTheFormSeeKeysFirst)
{
    std::vector<std::string> log;
    Test_Form form;
    auto* first = new Painted_Window(&form, RECT{0, 0, 50, 50}, clRed);
    auto* second = new Painted_Window(&form, RECT{60, 0, 110, 50}, clBlue);
    first->OnEnter = [&](TObject*) { log.push_back("enter first"); };
    first->OnExit = [&](TObject*) { log.push_back("exit first"); };
    second->OnEnter = [&](TObject*) { log.push_back("enter second"); };
    form.OnActivate = [&](TObject*) { log.push_back("activate"); };
    form.Show();
    Pump();
    EXPECT_TRUE(form.Active());
    EXPECT_EQ(Screen->ActiveForm(), &form);
    EXPECT_EQ(log, (std::vector<std::string>{"activate"}));
    log.clear();

    first->SetFocus();
    second->SetFocus();
    EXPECT_EQ(log, (std::vector<std::string>{"enter first", "exit first", "enter second"}));
    EXPECT_EQ(form.ActiveControl(), second);
    EXPECT_TRUE(second->Focused());

    log.clear();
    form.SetKeyPreview(true);
    form.OnKeyDown = [&](TObject*, WORD& Key, TShiftState) {
        log.push_back("form " + std::to_string(Key));
        if (Key == VK_ESCAPE)
            Key = 0; // taken by the form
    };
    second->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) { log.push_back("second " + std::to_string(Key)); };
    SendMessageA(second->Handle(), WM_KEYDOWN, 'X', 0);
    SendMessageA(second->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"form 88", "second 88", "form 27"}));

    first->Hide();
    EXPECT_FALSE(first->CanFocus());
    EXPECT_THROW(first->SetFocus(), EInvalidOperation);
}

// A focused window hidden and shown again keeps the system's focus but is
// no longer the form's focused control; focusing it again makes it that
// once more, though the system sends it no WM_SETFOCUS. A control and a
// form hosted as a page (focused through its own SetFocus) alike.
TEST(Controls, AWindowHiddenAndShownWithTheFocusIsTheFocusedControlAgainWhenFocused)
{
    Test_Form form;
    auto* control = new Painted_Window(&form, RECT{0, 0, 50, 50}, clRed);
    auto* page = new TForm(&form);
    page->SetParent(&form);
    page->SetBorderStyle(bsNone);
    page->SetBounds(60, 0, 50, 50);
    page->Show();
    form.Show();
    Pump();
    for (TWinControl* window : std::initializer_list<TWinControl*>{control, page}) {
        window->SetFocus();
        ASSERT_EQ(Screen->ActiveControl(), window) << window->ClassName();
        window->Hide();
        EXPECT_EQ(Screen->ActiveControl(), nullptr) << window->ClassName();
        ASSERT_EQ(GetFocus(), window->Handle()) << "the system keeps the focus on the hidden window";
        window->Show();
        window->SetFocus();
        EXPECT_EQ(Screen->ActiveControl(), window) << window->ClassName();
        EXPECT_EQ(form.ActiveControl(), window) << window->ClassName();
    }
}

TEST(Controls, AlignmentFillsTheEdgesInOrderThenTheClient)
{
    Test_Form form;
    form.SetBounds(0, 0, 200, 100);
    auto aligned = [&](TAlign align, RECT bounds) {
        auto* control = new Probe(&form, bounds, clRed);
        control->SetAlign(align);
        return control;
    };
    TControl* client = aligned(alClient, RECT{0, 0, 5, 5});
    TControl* top = aligned(alTop, RECT{0, 0, 10, 20});
    TControl* bottom = aligned(alBottom, RECT{0, 0, 10, 10});
    TControl* left = aligned(alLeft, RECT{0, 0, 30, 10});
    TControl* right = aligned(alRight, RECT{0, 0, 40, 10});

    EXPECT_EQ(top->BoundsRect(), (RECT{0, 0, 200, 20}));
    EXPECT_EQ(bottom->BoundsRect(), (RECT{0, 90, 200, 100}));
    EXPECT_EQ(left->BoundsRect(), (RECT{0, 20, 30, 90}));
    EXPECT_EQ(right->BoundsRect(), (RECT{160, 20, 200, 90}));
    EXPECT_EQ(client->BoundsRect(), (RECT{30, 20, 160, 90}));

    form.SetWidth(300);
    EXPECT_EQ(client->BoundsRect(), (RECT{30, 20, 260, 90})) << "a new size realigns";
    top->Hide();
    EXPECT_EQ(client->BoundsRect(), (RECT{30, 0, 260, 90})) << "a hidden control gives its room back";
}

TEST(Controls, RecreatedWindowsComeBackWithTheirChildrenAndPaint)
{
    Test_Form form;
    auto* panel = new Painted_Window(&form, RECT{10, 10, 110, 110}, clSilver);
    auto* inner = new Painted_Window(panel, RECT{10, 10, 40, 40}, clBlue);
    form.Show();
    Pump();
    panel->RecreateWnd();
    ASSERT_TRUE(panel->HandleAllocated());
    ASSERT_TRUE(inner->HandleAllocated());
    EXPECT_EQ(FindControl(inner->Handle()), inner);
    EXPECT_TRUE(IsWindowVisible(inner->Handle()));
    const QImage image = Shown(&form);
    EXPECT_EQ(image.pixel(25, 25), Rgb_Of(clBlue));
    EXPECT_EQ(image.pixel(100, 100), Rgb_Of(clSilver));
}

TEST(Controls, AnExceptionInAWindowProcedureGoesToTheApplication)
{
    class Failing : public TCustomControl {
    public:
        using TCustomControl::TCustomControl;

    protected:
        void Dispatch(TMessage& Message) override
        {
            if (Message.Msg == WM_USER)
                throw EConvertError("bad value");
            TCustomControl::Dispatch(Message);
        }
    };
    Test_Form form;
    auto* failing = new Failing(&form);
    failing->SetParent(&form);
    std::string caught;
    TObject* sender = nullptr;
    Application->OnException = [&](TObject* Sender, Exception* E) {
        sender = Sender;
        caught = E->Message;
    };
    form.Show();
    SendMessageA(failing->Handle(), WM_USER, 0, 0);
    Application->OnException = nullptr;
    EXPECT_EQ(caught, "bad value");
    EXPECT_EQ(sender, failing);
}

TEST(Controls, ClicksAndDoubleClicksFollowTheControlStyle)
{
    struct Case {
        bool double_clicks;
        int clicks;
        int double_clicked;
        std::vector<bool> downs_double;
    };
    const Case cases[] = {
        {true, 1, 1, {false, true}},
        {false, 2, 0, {false, false}}, // the second press is a plain press
    };
    for (const Case& c : cases) {
        Test_Form form;
        auto* probe = new Probe(&form, RECT{10, 10, 60, 60}, clRed);
        TControlStyle style = probe->ControlStyle();
        probe->SetControlStyle(c.double_clicks ? style.Include(csDoubleClicks) : style.Exclude(csDoubleClicks));
        int clicks = 0;
        int double_clicked = 0;
        std::vector<bool> downs_double;
        probe->OnClick = [&](TObject*) { ++clicks; };
        probe->OnDblClick = [&](TObject*) { ++double_clicked; };
        probe->OnMouseDown = [&](TObject*, TMouseButton, TShiftState Shift, int, int) {
            downs_double.push_back(Shift.Contains(ssDouble));
        };
        form.Show();
        for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
            SendMessageA(form.Handle(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(20, 20));
        EXPECT_EQ(clicks, c.clicks) << "double clicks " << c.double_clicks;
        EXPECT_EQ(double_clicked, c.double_clicked) << "double clicks " << c.double_clicks;
        EXPECT_EQ(downs_double, c.downs_double) << "double clicks " << c.double_clicks;
    }
}

TEST(Controls, AWindowlessControlsCanvasOutsidePaintingDrawsAtItsPlaceOnly)
{
    Test_Form form;
    auto* probe = new Probe(&form, RECT{30, 20, 70, 50}, clRed);
    form.Show();
    Pump();
    probe->Canvas()->Brush()->SetColor(clBlue);
    probe->Canvas()->FillRect(RECT{-30, -30, 100, 100});
    FreeDeviceContexts();
    const QImage image = Shown(&form);
    EXPECT_EQ(image.pixel(30, 20), Rgb_Of(clBlue));
    EXPECT_EQ(image.pixel(69, 49), Rgb_Of(clBlue));
    EXPECT_EQ(image.pixel(29, 20), Rgb_Of(clWhite));
    EXPECT_EQ(image.pixel(70, 49), Rgb_Of(clWhite));

    probe->Canvas()->FillRect(RECT{0, 0, 5, 5}); // takes a DC at the control's place
    probe->SetLeft(100);
    probe->Canvas()->FillRect(RECT{0, 0, 5, 5}); // the next drawing follows the control
    HDC dc = GetDCEx(form.Handle(), nullptr, 0);
    EXPECT_EQ(GetPixel(dc, 100, 20), ColorToRGB(clBlue));
    ReleaseDC(form.Handle(), dc);
    FreeDeviceContexts();
}

TEST(Controls, ColourFontAndHintFollowTheParentUntilTheControlSetsItsOwn)
{
    Test_Form form;
    auto* panel = new Painted_Window(&form, RECT{0, 0, 100, 100}, clSilver);
    auto* child = new Probe(panel, RECT{0, 0, 10, 10}, clRed);
    panel->SetColor(clTeal);
    panel->Font()->SetSize(14);
    panel->SetShowHint(true);
    EXPECT_EQ(child->Color(), clTeal);
    EXPECT_EQ(child->Font()->Size(), 14);
    EXPECT_TRUE(child->ShowHint());
    EXPECT_TRUE(child->ParentColor());
    EXPECT_TRUE(child->ParentFont());

    child->SetColor(clNavy);
    child->Font()->SetSize(9);
    panel->SetColor(clMaroon);
    panel->Font()->SetSize(20);
    EXPECT_EQ(child->Color(), clNavy) << "a colour of its own stops the following";
    EXPECT_EQ(child->Font()->Size(), 9);
    EXPECT_FALSE(child->ParentColor());
    EXPECT_FALSE(child->ParentFont());

    child->SetParentColor(true);
    child->SetParentFont(true);
    EXPECT_EQ(child->Color(), clMaroon);
    EXPECT_EQ(child->Font()->Size(), 20);
    auto* late = new Probe(panel, RECT{0, 0, 10, 10}, clRed);
    EXPECT_EQ(late->Color(), clMaroon) << "a control takes its parent's values when it joins";
}

TEST(Controls, TheCursorIsTheScreensOrElseThatOfTheControlUnderTheMouse)
{
    Test_Form form;
    auto* probe = new Probe(&form, RECT{10, 10, 60, 60}, clRed);
    probe->SetCursor(crHandPoint);
    form.Show();
    Pump();
    auto cursor_at = [&](int x, int y) {
        const POINT screen = form.ClientToScreen(POINT{x, y});
        SetCursorPos(screen.x, screen.y);
        SendMessageA(form.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form.Handle()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    EXPECT_EQ(cursor_at(20, 20), Screen->Cursors(crHandPoint));
    EXPECT_EQ(cursor_at(100, 80), LoadCursorA(nullptr, IDC_ARROW));
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(cursor_at(20, 20), Screen->Cursors(crHourGlass));
    Screen->SetCursor(crDefault);
    EXPECT_EQ(cursor_at(20, 20), Screen->Cursors(crHandPoint));
}

TEST(Controls, TabMovesTheFocusInTabOrderAmongTabStops)
{
    Test_Form form;
    auto* a = new Painted_Window(&form, RECT{0, 0, 20, 20}, clRed);
    auto* b = new Painted_Window(&form, RECT{30, 0, 50, 20}, clRed);
    auto* c = new Painted_Window(&form, RECT{60, 0, 80, 20}, clRed);
    auto* skipped = new Painted_Window(&form, RECT{90, 0, 110, 20}, clRed);
    for (TWinControl* control : {a, b, c})
        control->SetTabStop(true);
    c->SetTabOrder(0); // order now c, a, b, skipped
    EXPECT_EQ(a->TabOrder(), 1);
    EXPECT_EQ(skipped->TabOrder(), 3);
    form.Show();
    Pump();

    c->SetFocus();
    std::vector<TWinControl*> visited;
    for (int i = 0; i < 4; ++i) {
        SendMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        visited.push_back(form.ActiveControl());
    }
    EXPECT_EQ(visited, (std::vector<TWinControl*>{a, b, c, a})) << "no stop at a control without TabStop; wraps";
}

TEST(Controls, AFormPaintsItselfBeforeItsWindowlessControls)
{
    Test_Form form;
    new Probe(&form, RECT{10, 10, 30, 30}, clRed);
    form.OnPaint = [&](TObject*) {
        form.Canvas()->Brush()->SetColor(clYellow);
        form.Canvas()->FillRect(form.ClientRect());
    };
    form.Show();
    const QImage image = Shown(&form);
    EXPECT_EQ(image.pixel(5, 5), Rgb_Of(clYellow));
    EXPECT_EQ(image.pixel(15, 15), Rgb_Of(clRed));
}

TEST(Controls, ARightClickPopsUpTheNearestPopupMenuUpTheParents)
{
    Test_Form form;
    auto* panel = new Painted_Window(&form, RECT{0, 0, 100, 100}, clSilver);
    auto* probe = new Probe(panel, RECT{10, 10, 40, 40}, clRed);
    auto* menu = new TPopupMenu(&form);
    auto* item = new TMenuItem(menu);
    item->SetCaption("Camera 1");
    menu->Items()->Add(item); // an empty menu would not show
    panel->SetPopupMenu(menu);
    std::vector<TComponent*> popped_for;
    menu->OnPopup = [&](TObject*) {
        popped_for.push_back(menu->PopupComponent());
        // Dismissed from inside the menu's own loop.
        QMetaObject::invokeMethod(QCoreApplication::instance(), [menu] {
            if (menu->Menu_Widget())
                menu->Menu_Widget()->close();
        }, Qt::QueuedConnection);
    };
    form.Show();
    Pump();
    for (int x : {20, 60}) { // over the windowless probe, then over the panel itself
        SendMessageA(panel->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, 20));
        SendMessageA(panel->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(x, 20));
    }
    EXPECT_EQ(popped_for, (std::vector<TComponent*>{panel, panel}));
    menu->SetAutoPopup(false);
    SendMessageA(panel->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(60, 20));
    EXPECT_EQ(popped_for.size(), 2u);
    Pump();
    (void)probe;
}

TEST(Controls, OnCanResizeMayAdjustOrRefuseANewSizeFromTheProgramOrTheWindow)
{
    Test_Form form;
    form.SetBounds(0, 0, 200, 100);
    form.OnCanResize = [](TObject*, int& NewWidth, int& NewHeight, bool& Resize) {
        Resize = NewWidth >= 150; // as a window with a least width
        NewHeight = std::max(NewHeight, 80);
    };
    form.Show();
    Pump();
    form.SetBounds(0, 0, 160, 50);
    EXPECT_EQ(form.Width(), 160);
    EXPECT_EQ(form.Height(), 80) << "adjusted by the handler";
    form.SetBounds(0, 0, 100, 100);
    EXPECT_EQ(form.Width(), 160) << "refused";
    SetWindowPos(form.Handle(), nullptr, 0, 0, 120, 90, SWP_NOZORDER | SWP_NOMOVE); // from outside
    RECT rect;
    GetWindowRect(form.Handle(), &rect);
    EXPECT_EQ(rect.right - rect.left, 160);
    EXPECT_EQ(form.Width(), 160);
}
