#include "components/foundations/Sclcontainercomponent.h"

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
    if (image_list) {
        image_list->UnRegisterChanges(&link);
        image_list->RemoveFreeNotification(this);
    }
    image_list = List;
    if (image_list) {
        image_list->RegisterChanges(&link);
        image_list->FreeNotification(this);
    }
    GetIMLChange(nullptr);
}

void TSCLContainerComponent::SetIndex(int Index, std::int32_t Value)
{
    std::int32_t& field = Index == 0 ? image_index : list_index;
    if (Value == field || Value < 0)
        return;
    field = Value;
    if (image_list)
        GetIMLChange(nullptr);
}

void TSCLContainerComponent::GetIMLChange(TObject*) {}

void TSCLContainerComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    TSCLCustomComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == image_list) {
        // A list being freed has already let its links go.
        if (link.Sender == image_list)
            image_list->UnRegisterChanges(&link);
        image_list = nullptr;
        GetIMLChange(nullptr);
    }
}
