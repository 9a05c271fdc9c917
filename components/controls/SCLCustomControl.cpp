#include "components/controls/SCLCustomControl.h"

#include "components/foundations/Sclgraph.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"
#include "platform/winapi/Gdi.h"
#include "platform/winapi/Message.h"
#include "platform/winapi/Sys_Colors.h"
#include "platform/winapi/Window.h"

// ---- Who supplies a background -------------------------------------------------

int SCLCheckForFormComponent(const TComponent* Component, const TSCLClassTest& IsOfClass)
{
    if (!Component || !IsOfClass || !dynamic_cast<const TCustomForm*>(Component))
        return -1;
    for (int i = 0; i < Component->ComponentCount(); ++i)
        if (IsOfClass(Component->Components(i)))
            return i;
    return -1;
}

TSCLFormBackProvider* SCLFormBackProvider(TControl* Form)
{
    auto* form = dynamic_cast<TCustomForm*>(Form);
    if (!form || !form->HandleAllocated())
        return nullptr;
    const int index = SCLCheckForFormComponent<TSCLFormBackProvider>(form);
    return index < 0 ? nullptr : dynamic_cast<TSCLFormBackProvider*>(form->Components(index));
}

TSCLBackProvider* SCLParentBackProvider(const TControl* Control)
{
    TWinControl* parent = Control ? Control->Parent() : nullptr;
    if (!parent)
        return nullptr;
    if (auto* provider = dynamic_cast<TSCLBackProvider*>(parent))
        return parent->HandleAllocated() ? provider : nullptr;
    return SCLFormBackProvider(parent);
}

// ---- TSCLCustomControl ---------------------------------------------------------

namespace {

const bool Custom_Control_Registered = [] {
    RegisterClass<TSCLCustomControl, TCustomControl>("TSCLCustomControl")
        .Property("About", String_Type(), [](TSCLCustomControl& c) { return c.About; },
                  [](TSCLCustomControl& c, const std::string& value) { c.About = value; }, "")
        .Component<TSCLCustomImageList>("ImageList", &TSCLCustomControl::ImageList, &TSCLCustomControl::SetImageList)
        .Stored_If(&TSCLCustomControl::HasControl)
        .Property("ImageIndex", Integer_Type(), &TSCLCustomControl::ImageIndex, &TSCLCustomControl::SetImageIndex, 0)
        .Property("ListIndex", Integer_Type(), &TSCLCustomControl::ListIndex, &TSCLCustomControl::SetListIndex, 0)
        .Property("Transparent", Boolean_Type(), &TSCLCustomControl::Transparent, &TSCLCustomControl::SetTransparent,
                  false)
        .Object("BackFX", &TSCLCustomControl::BackFX)
        .DefineProperties(&TSCLCustomControl::DefineProperties);
    return true;
}();

} // namespace

TSCLCustomControl::TSCLCustomControl(TComponent* AOwner)
    : TCustomControl(AOwner), back_fx(new TSCLBitmapEffectObject)
{
    SetBounds(Left(), Top(), 100, 40);
    SetTabStop(false);
    link.OnChange = [this](TObject* Sender) { GetIMLChange(Sender); };
    back_fx->OnChange = [this](TObject* Sender) { GetChange(Sender); };
}

TSCLCustomControl::~TSCLCustomControl()
{
    back_fx->OnChange = nullptr;
    delete back_fx;
    link.OnChange = nullptr;
    SCLMoveImageListLink(image_list, nullptr, link, this);
}

void TSCLCustomControl::SetFlat(bool Value)
{
    if (flat == Value)
        return;
    flat = Value;
    DoFlatChanged();
    if (flat)
        RestoreBorderBack();
    else
        RestoreBorderFront();
}

void TSCLCustomControl::SetTransparent(bool Value)
{
    if (transparent == Value)
        return;
    transparent = Value;
    TControlStyle style = ControlStyle();
    if (transparent)
        style.Exclude(csOpaque);
    else
        style.Include(csOpaque);
    SetControlStyle(style);
    RecreateWnd();
}

void TSCLCustomControl::SetBoolean(bool Value)
{
    if (entered == Value)
        return;
    entered = Value;
    if (!entered && flat)
        RestoreBorderBack();
}

void TSCLCustomControl::SetImageList(TSCLCustomImageList* Value)
{
    SCLMoveImageListLink(image_list, Value, link, this);
    GetIMLChange(nullptr);
}

void TSCLCustomControl::SetIndex(int Index, std::int32_t Value)
{
    if (SCLStoreImageListIndex(Index == 0 ? image_index : list_index, Value) && image_list)
        GetIMLChange(nullptr);
}

bool TSCLCustomControl::IMLEmpty()
{
    return !image_list || !image_list->IsValidItem(list_index, image_index);
}

bool TSCLCustomControl::HasControl() const
{
    return image_list && image_list->Owner() != SCLContainer;
}

bool TSCLCustomControl::CheckCont() const
{
    return SCLIsGlobalIdent(image_list);
}

void TSCLCustomControl::DefineProperties(TFiler& Filer)
{
    Filer.DefineProperty(
        "Internal", [this](TReader& Reader) { SetImageList(SCLReadGlobalIdent(Reader)); },
        [this](TWriter& Writer) { SCLWriteGlobalIdent(Writer, image_list); }, CheckCont());
}

void TSCLCustomControl::SetBackFXObject(TSCLBitmapEffectObject* Value)
{
    back_fx->Assign(Value);
}

bool TSCLCustomControl::CheckOptimized()
{
    return transparent && BackBitmapCheck();
}

void TSCLCustomControl::FillControl()
{
    RepBack(ClientRect());
}

void TSCLCustomControl::RepBack(const RECT& R)
{
    if (CheckOptimized() && BackDrawArea(Canvas(), R, POINT{0, 0}, 0))
        return;
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(R);
}

void TSCLCustomControl::GetChange(TObject* /*Sender*/)
{
    if (repaint_on_change)
        Invalidate();
}

void TSCLCustomControl::MouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(this);
    SetMouseAbove();
}

void TSCLCustomControl::MouseExit()
{
    mouse_above = false;
    if (!entered)
        RestoreBorderBack();
    if (OnMouseExit)
        OnMouseExit(this);
}

HPALETTE TSCLCustomControl::BackBitmapPalette()
{
    if (BackBitmapCheck())
        return nullptr;
    auto* parent = dynamic_cast<TSCLCustomControl*>(Parent());
    TBitmap* bitmap = parent ? parent->BackBitmap() : nullptr;
    return bitmap ? bitmap->Palette() : nullptr;
}

// ---- Flat borders, drawn over the window's edge ----------------------------------

namespace {

void Frame_With_Color(HDC dc, const RECT& rect, int color_index)
{
    HBRUSH brush = CreateSolidBrush(GetSysColor(color_index));
    FrameRect(dc, &rect, brush);
    DeleteObject(brush);
}

} // namespace

void TSCLCustomControl::Paint_Flat_Frame(bool Front)
{
    if (!HandleAllocated())
        return;
    HDC dc = GetWindowDC(Handle());
    if (!dc)
        return;
    RECT rect{0, 0, Width(), Height()};
    if (Front && Ctl3D()) {
        Frame_With_Color(dc, RECT{1, 1, rect.right, rect.bottom}, COLOR_WINDOWFRAME);
        Frame_With_Color(dc, RECT{0, 0, rect.right - 1, rect.bottom - 1}, COLOR_BTNFACE);
        DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    } else if (Front) {
        Frame_With_Color(dc, rect, COLOR_WINDOWFRAME);
    } else {
        Frame_With_Color(dc, rect, COLOR_BTNFACE);
        if (Ctl3D())
            Frame_With_Color(dc, RECT{1, 1, rect.right - 1, rect.bottom - 1}, COLOR_BTNFACE);
    }
    ReleaseDC(Handle(), dc);
}

void TSCLCustomControl::RestoreBorderFront()
{
    Paint_Flat_Frame(true);
}

void TSCLCustomControl::RestoreBorderBack()
{
    if (!Focused() && flat && !mouse_above)
        Paint_Flat_Frame(false);
}

void TSCLCustomControl::InvalidateFrame()
{
    if (!Parent() || !Parent()->HandleAllocated())
        return;
    const RECT bounds = BoundsRect();
    InvalidateRect(Parent()->Handle(), &bounds, TRUE);
}

RECT TSCLCustomControl::GetScreenRect(const RECT& R)
{
    const POINT top_left = ClientToScreen(POINT{R.left, R.top});
    const POINT bottom_right = ClientToScreen(POINT{R.right, R.bottom});
    return RECT{top_left.x, top_left.y, bottom_right.x, bottom_right.y};
}

void TSCLCustomControl::DrawDashedFrame()
{
    TCanvas* canvas = Canvas();
    canvas->Pen()->SetColor(clBlack);
    canvas->Pen()->SetStyle(psDash);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Rectangle(0, 0, Width(), Height());
}

void TSCLCustomControl::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
    Params.WindowClass.style &= ~(CS_VREDRAW | CS_HREDRAW);
}

void TSCLCustomControl::Paint()
{
    if (!Loading())
        FillControl();
    if (!Designing())
        RestoreBorderBack();
    else if (GetEmpty())
        DrawDashedFrame();
}

void TSCLCustomControl::DoEnter()
{
    TCustomControl::DoEnter();
    entered = true;
    if (flat)
        RestoreBorderFront();
}

void TSCLCustomControl::DoExit()
{
    entered = false;
    RestoreBorderBack();
    TCustomControl::DoExit();
}

void TSCLCustomControl::Loaded()
{
    TCustomControl::Loaded();
    if (SCLIsCollectionImageList(image_list))
        GetIMLChange(nullptr);
}

void TSCLCustomControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == image_list) {
        SCLForgetImageList(image_list, link);
        GetIMLChange(nullptr);
    }
    TSCLAlphaObject* alpha = back_fx->AlphaBlend();
    if (!Destroying_State() && alpha->ImageList() && AComponent == alpha->ImageList())
        alpha->SetImageList(nullptr);
}

// ---- Messages ---------------------------------------------------------------------

void TSCLCustomControl::Notify_Back_Changed()
{
    Notify_Controls(CM_SCLPARENTBACKCHANGED);
}

bool TSCLCustomControl::Dispatch_Library_Message(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        if (!CheckOptimized())
            return false;
        Message.Result = 1;
        return true;
    case CM_SCLPARENTBACKCHANGED: Back_Changed(); return true;
    case CM_SCLFOCUSGAINED:
        if (OnAfterEnter)
            OnAfterEnter(this);
        return true;
    case CM_SCLFOCUSLOST:
        if (OnAfterExit)
            OnAfterExit(this);
        return true;
    case CM_SCLSCROLLBOXSCROLLED:
        if (CheckOptimized())
            Notify_Back_Changed();
        return true;
    default: return false;
    }
}

void TSCLCustomControl::Dispatch(TMessage& Message)
{
    if (Dispatch_Library_Message(Message))
        return;
    if (Message.Msg == WM_SIZE) {
        WMSize(Message);
        return;
    }
    TCustomControl::Dispatch(Message);
    switch (Message.Msg) {
    case WM_MOVE: Moved(); break;
    case WM_SETFOCUS: PostMessageA(Handle(), CM_SCLFOCUSGAINED, 0, 0); break;
    case WM_KILLFOCUS: PostMessageA(Handle(), CM_SCLFOCUSLOST, 0, 0); break;
    case CM_MOUSEENTER: MouseEnter(); break;
    case CM_MOUSELEAVE: MouseExit(); break;
    case CM_SYSCOLORCHANGE:
        if (!transparent)
            Invalidate();
        break;
    default: break;
    }
}

void TSCLCustomControl::WMSize(TMessage& Message)
{
    TCustomControl::Dispatch(Message);
    back_fx->DestroyBuffer();
    if (CheckOptimized()) {
        Repaint();
        Notify_Back_Changed();
    } else {
        Invalidate();
    }
}

void TSCLCustomControl::Moved()
{
    if (!CheckOptimized())
        return;
    back_fx->DestroyBuffer();
    Repaint();
    PaintControls(Canvas()->Handle(), nullptr);
}

void TSCLCustomControl::Back_Changed()
{
    if (Loading() || Destroying_State())
        return;
    back_fx->DestroyBuffer();
    if (CheckOptimized()) {
        Repaint();
        Notify_Back_Changed();
    } else {
        Invalidate();
    }
}
