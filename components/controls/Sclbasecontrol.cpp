#include "components/controls/Sclbasecontrol.h"

#include "components/controls/SCLCustomControl.h"
#include "components/foundations/Sclgraph.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"

namespace {

const bool Base_Control_Registered = [] {
    RegisterClass<TSCLBaseControl, TSCLControl>("TSCLBaseControl")
        .Component<TSCLCustomImageList>("ImageList", &TSCLBaseControl::ImageList, &TSCLBaseControl::SetImageList)
        .Stored_If(&TSCLBaseControl::HasControl)
        .Property("ImageIndex", Integer_Type(), &TSCLBaseControl::ImageIndex, &TSCLBaseControl::SetIndexedImageIndex,
                  0)
        .Property("ListIndex", Integer_Type(), &TSCLBaseControl::ListIndex, &TSCLBaseControl::SetListIndex, 0)
        .Object("BackFX", &TSCLBaseControl::BackFX)
        .DefineProperties(&TSCLBaseControl::DefineProperties);
    return true;
}();

} // namespace

TSCLBaseControl::TSCLBaseControl(TComponent* AOwner) : TSCLControl(AOwner), back_fx(new TSCLBitmapEffectObject)
{
    link.OnChange = [this](TObject* Sender) { GetIMLChange(Sender); };
    back_fx->OnChange = [this](TObject* Sender) { GetChange(Sender); };
}

TSCLBaseControl::~TSCLBaseControl()
{
    link.OnChange = nullptr;
    back_fx->OnChange = nullptr;
    delete back_fx;
    SCLMoveImageListLink(image_list, nullptr, link, this);
}

void TSCLBaseControl::SetImageList(TSCLCustomImageList* Value)
{
    SCLMoveImageListLink(image_list, Value, link, this);
    GetIMLChange(nullptr);
}

void TSCLBaseControl::SetIndex(int Index, std::int32_t Value)
{
    if (SCLStoreImageListIndex(Index == 0 ? image_index : list_index, Value) && image_list)
        GetIMLChange(nullptr);
}

void TSCLBaseControl::SetImageIndex(std::int32_t Value)
{
    if (Value >= 0)
        image_index = Value;
}

bool TSCLBaseControl::IMLEmpty()
{
    return !image_list || !image_list->IsValidItem(list_index, image_index);
}

bool TSCLBaseControl::HasControl() const
{
    return image_list && image_list->Owner() != SCLContainer;
}

void TSCLBaseControl::DefineProperties(TFiler& Filer)
{
    Filer.DefineProperty(
        "Internal", [this](TReader& Reader) { SetImageList(SCLReadGlobalIdent(Reader)); },
        [this](TWriter& Writer) { SCLWriteGlobalIdent(Writer, image_list); }, SCLIsGlobalIdent(image_list));
}

RECT TSCLBaseControl::GetScreenRect(const RECT& Rect)
{
    const POINT top_left = ClientToScreen(POINT{Rect.left, Rect.top});
    const POINT bottom_right = ClientToScreen(POINT{Rect.right, Rect.bottom});
    return RECT{top_left.x, top_left.y, bottom_right.x, bottom_right.y};
}

POINT TSCLBaseControl::BackMapPoint(int X, int Y)
{
    // The control's own point, carried through the ancestors that hold the
    // bitmap; the parent's position alone would miss the control's place.
    POINT point{Left() + X, Top() + Y};
    if (auto* parent = dynamic_cast<TSCLBackProvider*>(Parent()))
        point = parent->BackMapPoint(point);
    point.x += (Width() - ClientWidth()) / 2;
    point.y += (Height() - ClientHeight()) / 2;
    return point;
}

void TSCLBaseControl::Loaded()
{
    TSCLControl::Loaded();
    if (SCLIsCollectionImageList(image_list))
        GetIMLChange(nullptr);
}

void TSCLBaseControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TSCLControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == image_list) {
        SCLForgetImageList(image_list, link);
        GetIMLChange(nullptr);
    }
    TSCLAlphaObject* alpha = back_fx->AlphaBlend();
    if (!ComponentState().Contains(csDestroying) && alpha->ImageList() && AComponent == alpha->ImageList())
        alpha->SetImageList(nullptr);
}

void TSCLBaseControl::Dispatch(TMessage& Message)
{
    if (Message.Msg != CM_SCLPARENTBACKCHANGED) {
        TSCLControl::Dispatch(Message);
        return;
    }
    if (!Loading() && CheckOptimized())
        GetChange(nullptr);
    back_fx->DestroyBuffer();
}
