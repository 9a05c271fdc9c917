#pragma once
// The base of non-visual components that show a list picture (dialogs): a
// list, an item number and an image number, and a change link that calls
// GetIMLChange whenever the list changes.

#include <cstdint>

#include "components/foundations/Sclcont.h"
#include "components/foundations/Sclcustomcomponent.h"

class TSCLContainerComponent : public TSCLCustomComponent {
public:
    explicit TSCLContainerComponent(TComponent* AOwner);
    ~TSCLContainerComponent() override;

    TSCLCustomImageList* ImageList() const { return image_list; }
    // Moves the link to List (nullptr detaches), then GetIMLChange.
    void SetImageList(TSCLCustomImageList* List);
    std::int32_t ImageIndex() const { return image_index; }
    std::int32_t ListIndex() const { return list_index; }
    void SetImageIndex(std::int32_t Value) { SetIndex(0, Value); }
    void SetListIndex(std::int32_t Value) { SetIndex(1, Value); }
    // Index 0 ImageIndex, 1 ListIndex; a negative or unchanged value is ignored.
    void SetIndex(int Index, std::int32_t Value);

    // Descendants repaint or refresh here.
    virtual void GetIMLChange(TObject* Sender);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TSCLCustomImageList* image_list = nullptr;
    std::int32_t image_index = 0;
    std::int32_t list_index = 0;
    TSCLChangeLink link;
};
