#include "components/foundations/Sclcontainercomponent.h"

#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Form_Reader.h"

namespace {

// Forms name one of the global lists by its identifier in "Internal".
const bool Container_Component_Registered = [] {
    RegisterClass<TSCLContainerComponent, TComponent>("TSCLContainerComponent")
        .DefineProperties([](TSCLContainerComponent& component, TFiler& filer) {
            filer.DefineProperty(
                "Internal", [&component](TReader& reader) { component.SetImageList(SCLReadGlobalIdent(reader)); },
                [&component](TWriter& writer) { SCLWriteGlobalIdent(writer, component.ImageList()); },
                SCLIsGlobalIdent(component.ImageList()));
        });
    return true;
}();

} // namespace

TSCLContainerComponent::TSCLContainerComponent(TComponent* AOwner) : TSCLCustomComponent(AOwner)
{
    link.OnChange = [this](TObject* Sender) { GetIMLChange(Sender); };
}

TSCLContainerComponent::~TSCLContainerComponent()
{
    if (image_list)
        image_list->RemoveFreeNotification(this);
}

void TSCLContainerComponent::SetImageList(TSCLCustomImageList* List)
{
    SCLMoveImageListLink(image_list, List, link, this);
    GetIMLChange(nullptr);
}

void TSCLContainerComponent::SetIndex(int Index, std::int32_t Value)
{
    if (SCLStoreImageListIndex(Index == 0 ? image_index : list_index, Value) && image_list)
        GetIMLChange(nullptr);
}

void TSCLContainerComponent::GetIMLChange(TObject*) {}

void TSCLContainerComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    TSCLCustomComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == image_list) {
        SCLForgetImageList(image_list, link);
        GetIMLChange(nullptr);
    }
}
