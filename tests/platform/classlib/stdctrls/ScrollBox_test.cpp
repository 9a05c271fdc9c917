#include "platform/classlib/ExtCtrls_Controls.h"
#include "platform/classlib/Forms_ScrollBox.h"

#include <QScrollBar>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

class Scroll_Form : public TForm {
public:
    Scroll_Form() : TForm(nullptr)
    {
        SetBounds(10, 10, 300, 200);
        Box = new TScrollBox(this);
        Box->SetParent(this);
        Box->SetBorderStyle(bsNone);
        Box->SetBounds(0, 0, 200, 100);
        Low = new TPanel(this);
        Low->SetParent(Box);
        Low->SetBounds(10, 250, 50, 40); // reaches 290, below the box
    }

    TScrollBox* Box;
    TPanel* Low;
};

QScrollBar* Shown_Bar(TScrollBox* box, Qt::Orientation orientation)
{
    for (QScrollBar* bar : Window_Widget(box->Handle())->findChildren<QScrollBar*>())
        if (bar->orientation() == orientation && bar->isVisibleTo(bar->parentWidget()))
            return bar;
    return nullptr;
}

} // namespace

TEST(ScrollBox, ChildrenBeyondTheBoxGiveAVerticalBarOnly)
{
    Scroll_Form form;
    form.Show();
    TScrollBox* box = form.Box;
    EXPECT_EQ(box->VertScrollBar()->Range(), 290);
    EXPECT_TRUE(box->VertScrollBar()->IsScrollBarVisible());
    EXPECT_FALSE(box->HorzScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(box->ClientWidth(), 200 - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(box->ClientHeight(), 100);
    QScrollBar* bar = Shown_Bar(box, Qt::Vertical);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->maximum(), 190);
    EXPECT_EQ(Shown_Bar(box, Qt::Horizontal), nullptr);
}

TEST(ScrollBox, ScrollMessagesMoveTheChildrenWithinTheRange)
{
    Scroll_Form form;
    form.Show();
    TScrollBox* box = form.Box;
    struct Step {
        WPARAM w_param;
        int position;
    };
    const std::vector<Step> steps = {
        {SB_LINEDOWN, 8},  {SB_PAGEDOWN, 108}, {MAKEWPARAM(SB_THUMBTRACK, 150), 150},
        {SB_BOTTOM, 190},  {SB_LINEDOWN, 190}, {SB_LINEUP, 182},
        {SB_TOP, 0},       {SB_LINEUP, 0},     {SB_ENDSCROLL, 0},
    };
    for (const Step& step : steps) {
        box->Perform(WM_VSCROLL, step.w_param, 0);
        EXPECT_EQ(box->VertScrollBar()->Position(), step.position) << step.w_param;
        EXPECT_EQ(form.Low->Top(), 250 - step.position);
        EXPECT_EQ(Shown_Bar(box, Qt::Vertical)->value(), step.position);
    }
}

TEST(ScrollBox, MovingTheQtBarSendsTheScrollMessage)
{
    Scroll_Form form;
    form.Show();
    std::vector<WORD> codes;
    form.Box->WindowProc = [&, box = form.Box](TMessage& Message) {
        if (Message.Msg == WM_VSCROLL)
            codes.push_back(LOWORD(static_cast<DWORD>(Message.WParam)));
        box->WndProc(Message);
    };
    Shown_Bar(form.Box, Qt::Vertical)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(codes, (std::vector<WORD>{SB_LINEDOWN, SB_ENDSCROLL}));
    EXPECT_EQ(form.Low->Top(), 250 - 8);
}

TEST(ScrollBox, ScrollInViewAndAShrinkingRangeBringChildrenBack)
{
    Scroll_Form form;
    form.Show();
    form.Box->ScrollInView(form.Low);
    EXPECT_EQ(form.Box->VertScrollBar()->Position(), 190);
    EXPECT_EQ(form.Low->Top(), 60);
    form.Low->SetTop(-150); // 40 from the scrolled top: all of it fits in the box
    form.Box->Realign();
    EXPECT_EQ(form.Box->VertScrollBar()->Range(), 80);
    EXPECT_FALSE(form.Box->VertScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(form.Box->VertScrollBar()->Position(), 0);
    EXPECT_EQ(form.Low->Top(), 40);
    EXPECT_EQ(form.Box->ClientWidth(), 200);
}
