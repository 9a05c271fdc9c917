#include "components/controls/SCLCaret.h"

#include <algorithm>

#include "components/foundations/Sclclass.h"
#include "platform/winapi/Caret.h"
#include "platform/winapi/Window.h"

namespace {

// A blink phase the pool can time: the nearest multiple of its tick, at least one tick.
WORD Pool_Interval(WORD Milliseconds)
{
    const int tick = SCLApplication->TimerPool()->MinInterval();
    const int ticks = std::max(1, (Milliseconds + tick / 2) / tick);
    return static_cast<WORD>(std::min(ticks * tick, 65535 / tick * tick));
}

} // namespace

TSCLCaret::TSCLCaret(TWinControl* AOwner) : owner(AOwner), blink_rate(static_cast<WORD>(GetCaretBlinkTime()))
{
    bitmap = std::make_unique<TBitmap>();
}

TSCLCaret::~TSCLCaret()
{
    DestroyCaret();
}

void TSCLCaret::SetPos(int Index, int Value)
{
    Invalidate_Caret();
    (Index == 0 ? pos.x : pos.y) = Value;
    if (created)
        SetCaretPos(Top_Left().x, Top_Left().y);
    Invalidate_Caret();
}

WORD TSCLCaret::GetWord(int Index) const
{
    switch (Index) {
    case 0: return width;
    case 1: return height;
    case 2: return image_index;
    case 3: return list_index;
    case 4: return line_height;
    default: return 0;
    }
}

void TSCLCaret::SetWord(int Index, WORD Value)
{
    WORD* field = nullptr;
    switch (Index) {
    case 0: field = &width; break;
    case 1: field = &height; break;
    case 2: field = &image_index; break;
    case 3: field = &list_index; break;
    case 4: field = &line_height; break;
    default: return;
    }
    if (*field == Value)
        return;
    *field = Value;
    if (Index == 2 || Index == 3)
        GetIMLChange(this);
    Change();
}

void TSCLCaret::SetBlinkRate(WORD Value)
{
    if (Value == 0 || Value == blink_rate)
        return;
    blink_rate = Value;
    if (created)
        SetCaretBlinkTime(blink_rate);
    if (blink_timer)
        SCLApplication->GetTimer(blink_timer)->SetInterval(Pool_Interval(blink_rate));
}

void TSCLCaret::SetStyle(TSCLCaretStyles Value)
{
    if (Value == style)
        return;
    style = Value;
    Change();
}

void TSCLCaret::SetCaretBmpMode(TSCLCaretBitmap Value)
{
    if (Value == bmp_mode)
        return;
    bmp_mode = Value;
    Change();
}

void TSCLCaret::SetBitmap(TBitmap* Value)
{
    if (Value)
        bitmap->Assign(Value);
    else
        bitmap = std::make_unique<TBitmap>();
    Change();
}

void TSCLCaret::SetImageList(TSCLCustomImageList* Value)
{
    image_list = Value;
    GetIMLChange(this);
}

void TSCLCaret::GetIMLChange(TObject*)
{
    if (image_list && image_list->IsValidItem(list_index, image_index))
        image_list->GetBitmapItem(list_index, image_index, bitmap.get());
}

RECT TSCLCaret::CaretRect() const
{
    const Caret_Info* info = owner->HandleAllocated() ? Caret_Of(owner->Handle()) : nullptr;
    const POINT p = Top_Left();
    const int w = info ? info->width : width;
    const int h = info ? info->height : height;
    return RECT{p.x, p.y, p.x + w, p.y + h};
}

// Under and under-block carets sit at the foot of the line, the others at its top.
POINT TSCLCaret::Top_Left() const
{
    switch (style) {
    case csUnder: return POINT{pos.x, pos.y + line_height - 1};
    case csUnderBlock: return POINT{pos.x, pos.y + line_height - height};
    default: return pos;
    }
}

void TSCLCaret::Build_Picture()
{
    caret_bitmap.reset();
    if (style != csBitmap || bitmap->Empty() || bmp_mode == cbBmpSize)
        return;
    caret_bitmap = std::make_unique<TBitmap>();
    caret_bitmap->SetSize(width, height);
    if (bmp_mode == cbStretch) {
        caret_bitmap->Canvas()->StretchDraw(RECT{0, 0, width, height}, bitmap.get());
        return;
    }
    for (int y = 0; y < height; y += bitmap->Height())
        for (int x = 0; x < width; x += bitmap->Width())
            caret_bitmap->Canvas()->Draw(x, y, bitmap.get());
}

void TSCLCaret::BuildCaret()
{
    if (!owner->HandleAllocated())
        return;
    Build_Picture();
    HWND window = owner->Handle();
    switch (style) {
    case csDefault: CreateCaret(window, nullptr, 1, line_height); break;
    case csBlock:
    case csUnderBlock: CreateCaret(window, nullptr, width, height); break;
    case csUnder:
    case csOver: CreateCaret(window, nullptr, width, 1); break;
    case csBitmap:
        if (caret_bitmap)
            CreateCaret(window, caret_bitmap->Handle(), 0, 0);
        else if (!bitmap->Empty())
            CreateCaret(window, bitmap->Handle(), 0, 0);
        else
            CreateCaret(window, nullptr, width, height);
        break;
    }
    created = true;
    SetCaretPos(Top_Left().x, Top_Left().y);
    SetCaretBlinkTime(blink_rate);
}

void TSCLCaret::Enable()
{
    if (owner->ComponentState().Contains(csDesigning) || !owner->HandleAllocated())
        return;
    if (!created)
        BuildCaret();
    if (!shown)
        ShowCaret(owner->Handle());
    shown = true;
    lit = true;
    Start_Blink();
    Invalidate_Caret();
}

void TSCLCaret::Disable()
{
    Stop_Blink();
    if (shown && owner->HandleAllocated())
        HideCaret(owner->Handle());
    Invalidate_Caret();
    shown = false;
}

void TSCLCaret::DestroyCaret()
{
    Disable();
    if (created && owner->HandleAllocated() && Caret_Of(owner->Handle()))
        ::DestroyCaret();
    created = false;
}

void TSCLCaret::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TSCLCaret*>(Source);
    if (!other) {
        TSCLObject::Assign(Source);
        return;
    }
    SetBlinkRate(other->blink_rate);
    width = other->width;
    height = other->height;
    style = other->style;
    Change();
}

void TSCLCaret::Paint(TCanvas* Canvas)
{
    if (!Lit())
        return;
    const RECT r = CaretRect();
    const Caret_Info* info = Caret_Of(owner->Handle());
    if (info && info->bitmap) {
        TBitmap* picture = caret_bitmap ? caret_bitmap.get() : bitmap.get();
        Canvas->Draw(r.left, r.top, picture);
        return;
    }
    PatBlt(Canvas->Handle(), r.left, r.top, r.right - r.left, r.bottom - r.top, DSTINVERT);
}

void TSCLCaret::Start_Blink()
{
    if (blink_timer)
        return;
    blink_timer = SCLApplication->AddTimer(Pool_Interval(blink_rate), [this](TObject* Sender) { Blink(Sender); });
}

void TSCLCaret::Stop_Blink()
{
    if (!blink_timer)
        return;
    SCLApplication->RemoveTimer(blink_timer);
    blink_timer = 0;
}

void TSCLCaret::Blink(TObject*)
{
    lit = !lit;
    Invalidate_Caret();
}

void TSCLCaret::Invalidate_Caret()
{
    if (!owner->HandleAllocated())
        return;
    const RECT r = CaretRect();
    InvalidateRect(owner->Handle(), &r, FALSE);
}
