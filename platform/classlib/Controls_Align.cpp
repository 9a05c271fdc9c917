// Alignment of a windowed control's children (alTop, alBottom, alLeft,
// alRight, alClient).

#include "platform/classlib/Controls.h"

#include <algorithm>

#include "platform/classlib/Forms.h"

// ---- TControl --------------------------------------------------------------------

void TControl::SetAlign(TAlign Value)
{
    if (Value == align)
        return;
    align = Value;
    RequestAlign();
}

void TControl::RequestAlign()
{
    if (parent)
        parent->Realign();
}

// ---- TWinControl: alignment ------------------------------------------------------

void TWinControl::EnableAlign()
{
    if (align_level > 0 && --align_level == 0 && control_state.Contains(csAlignmentNeeded))
        Realign();
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    if (control_state.Contains(csAlignmentNeeded))
        Realign();
}

void TWinControl::Realign()
{
    if (align_level > 0 || ComponentState().Contains(csLoading)) {
        control_state.Include(csAlignmentNeeded);
        return;
    }
    control_state.Exclude(csAlignmentNeeded);
    RECT rect = ClientRect();
    AdjustClientRect(rect);
    DisableAlign();
    AlignControls(nullptr, rect);
    --align_level; // no second pass for what the children asked meanwhile
    control_state.Exclude(csAlignmentNeeded);
}

void TWinControl::AdjustClientRect(RECT&) {}

void TWinControl::AlignOne(TControl* control, RECT& rect)
{
    const int w = control->Width();
    const int h = control->Height();
    switch (control->Align()) {
    case alTop:
        control->SetBounds(rect.left, rect.top, rect.right - rect.left, h);
        rect.top += h;
        break;
    case alBottom:
        control->SetBounds(rect.left, rect.bottom - h, rect.right - rect.left, h);
        rect.bottom -= h;
        break;
    case alLeft:
        control->SetBounds(rect.left, rect.top, w, rect.bottom - rect.top);
        rect.left += w;
        break;
    case alRight:
        control->SetBounds(rect.right - w, rect.top, w, rect.bottom - rect.top);
        rect.right -= w;
        break;
    case alClient:
        control->SetBounds(rect.left, rect.top, std::max<int>(rect.right - rect.left, 0),
                           std::max<int>(rect.bottom - rect.top, 0));
        break;
    case alNone:
        break;
    }
}

void TWinControl::AlignControls(TControl*, RECT& Rect)
{
    // Edges first in the order top, bottom, left, right, then the client;
    // controls of one edge stack from the edge inwards in the order of
    // their positions.
    for (TAlign edge : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> aligned;
        for (int i = 0; i < ControlCount(); ++i)
            if (Controls(i)->Align() == edge && Controls(i)->Visible())
                aligned.push_back(Controls(i));
        auto key = [edge](TControl* c) {
            switch (edge) {
            case alTop: return c->Top();
            case alBottom: return -(c->Top() + c->Height());
            case alLeft: return c->Left();
            case alRight: return -(c->Left() + c->Width());
            default: return 0;
            }
        };
        std::stable_sort(aligned.begin(), aligned.end(), [&](TControl* a, TControl* b) { return key(a) < key(b); });
        for (TControl* control : aligned)
            AlignOne(control, Rect);
    }
}
