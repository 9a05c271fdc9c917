#include "components/controls/SCLCustomFormFill.h"

#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"
#include "platform/winapi/Window.h"

namespace {

const bool Form_Fill_Registered = [] {
    RegisterClass<TSCLCustomFormFill, TComponent>("TSCLCustomFormFill")
        .Property("About", String_Type(), [](TSCLCustomFormFill& f) { return f.About; },
                  [](TSCLCustomFormFill& f, const std::string& value) { f.About = value; }, "")
        .Property("DefaultFill", Boolean_Type(), [](TSCLCustomFormFill& f) { return f.DefaultFill; },
                  [](TSCLCustomFormFill& f, bool value) { f.DefaultFill = value; }, true)
        .Property("Enabled", Boolean_Type(), &TSCLCustomFormFill::Enabled, &TSCLCustomFormFill::SetEnabled, true)
        .Component<TSCLCustomImageList>("ImageList", &TSCLCustomFormFill::ImageList,
                                        &TSCLCustomFormFill::SetImageList)
        .Stored_If(&TSCLCustomFormFill::HasControl)
        .Property("ImageIndex", Integer_Type(), &TSCLCustomFormFill::ImageIndex, &TSCLCustomFormFill::SetImageIndex,
                  0)
        .Property("ListIndex", Integer_Type(), &TSCLCustomFormFill::ListIndex, &TSCLCustomFormFill::SetListIndex, 0)
        .Property("PaintMode", Enum_Type<TSCLPaintMode>(TSCLEnumInfo<TSCLPaintMode>::Names),
                  &TSCLCustomFormFill::PaintMode, &TSCLCustomFormFill::SetPaintMode, pcControl)
        .Event("OnPaint", &TSCLCustomFormFill::OnPaint)
        .DefineProperties(&TSCLCustomFormFill::DefineProperties);
    return true;
}();

} // namespace

TSCLCustomFormFill::TSCLCustomFormFill(TComponent* AOwner) : TSCLWndProcComponent(AOwner)
{
    link.OnChange = [this](TObject* Sender) { GetIMLChange(Sender); };
}

TSCLCustomFormFill::~TSCLCustomFormFill()
{
    link.OnChange = nullptr;
    SCLMoveImageListLink(image_list, nullptr, link, this);
}

void TSCLCustomFormFill::SetImageList(TSCLCustomImageList* Value)
{
    SCLMoveImageListLink(image_list, Value, link, this);
    GetIMLChange(nullptr);
}

void TSCLCustomFormFill::SetIndex(int Index, std::int32_t Value)
{
    if (SCLStoreImageListIndex(Index == 0 ? image_index : list_index, Value) && image_list)
        GetIMLChange(nullptr);
}

bool TSCLCustomFormFill::IMLEmpty()
{
    return !image_list || !image_list->IsValidItem(list_index, image_index);
}

bool TSCLCustomFormFill::HasControl() const
{
    return image_list && image_list->Owner() != SCLContainer;
}

bool TSCLCustomFormFill::CheckCont() const
{
    return SCLIsGlobalIdent(image_list);
}

void TSCLCustomFormFill::DefineProperties(TFiler& Filer)
{
    Filer.DefineProperty(
        "Internal", [this](TReader& Reader) { SetImageList(SCLReadGlobalIdent(Reader)); },
        [this](TWriter& Writer) { SCLWriteGlobalIdent(Writer, image_list); }, CheckCont());
}

void TSCLCustomFormFill::Notification(TComponent* AComponent, TOperation Operation)
{
    TSCLWndProcComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == image_list) {
        SCLForgetImageList(image_list, link);
        GetIMLChange(nullptr);
    }
}

void TSCLCustomFormFill::SetPaintMode(TSCLPaintMode Value)
{
    if (paint_mode == Value)
        return;
    paint_mode = Value;
    GetChange(nullptr);
}

void TSCLCustomFormFill::GetIMLChange(TObject* /*Sender*/)
{
    Invalidate();
}

void TSCLCustomFormFill::Invalidate()
{
    TCustomForm* form = GetOwnerForm();
    if (form && form->HandleAllocated())
        InvalidateRect(form->Handle(), nullptr, TRUE);
}

void TSCLCustomFormFill::Invalidate_Unerased()
{
    TCustomForm* form = GetOwnerForm();
    if (form && form->HandleAllocated())
        InvalidateRect(form->Handle(), nullptr, FALSE);
}

RECT TSCLCustomFormFill::Owner_Client_Rect() const
{
    TCustomForm* form = GetOwnerForm();
    return form ? RECT{0, 0, form->ClientWidth(), form->ClientHeight()} : RECT{0, 0, 0, 0};
}

void TSCLCustomFormFill::GetChange(TObject* /*Sender*/)
{
    if (!Enabled() || ComponentState().Contains(csDesigning))
        return;
    resized = true;
    Invalidate();
}

void TSCLCustomFormFill::Init()
{
    if (!Enabled())
        return;
    TSCLWndProcComponent::Init();
    if (!ComponentState().Contains(csLoading))
        Invalidate();
}

void TSCLCustomFormFill::RestoreState()
{
    if (!ComponentState().Contains(csDestroying))
        Invalidate();
}

bool TSCLCustomFormFill::PaintClientArea(HDC DC)
{
    if (ComponentState().Contains(csLoading) || paint_mode != pcOwnerDraw || !OnPaint)
        return false;
    TCanvas canvas;
    canvas.SetHandle(DC);
    const RECT client = Owner_Client_Rect();
    if (DefaultFill) {
        canvas.Brush()->SetColor(GetOwnerForm()->Color());
        canvas.FillRect(client);
    }
    OnPaint(this, &canvas, client);
    canvas.SetHandle(nullptr);
    return true;
}

void TSCLCustomFormFill::WndProc(TMessage& Message)
{
    if (Enabled()) {
        switch (Message.Msg) {
        case WM_SIZE:
            resized = true;
            Invalidate_Unerased();
            break;
        case WM_ERASEBKGND:
            if (PaintClientArea(reinterpret_cast<HDC>(Message.WParam))) {
                Message.Result = 1;
                return;
            }
            break;
        case WM_HSCROLL:
        case WM_VSCROLL: Invalidate_Unerased(); break;
        case WM_PALETTECHANGED: Invalidate(); break;
        default: break;
        }
    }
    TSCLWndProcComponent::WndProc(Message);
}
