#include "components/foundations/Sclcustomcomponent.h"

void TSCLCustomComponent::GetChange(TObject* /*Sender*/)
{
    Change();
}

void TSCLCustomComponent::Change()
{
    if (update_count == 0 && OnChange)
        OnChange(this);
}

void TSCLCustomComponent::BeginUpdate()
{
    ++update_count;
}

void TSCLCustomComponent::EndUpdate(bool DoChange)
{
    if (update_count > 0)
        --update_count;
    if (DoChange)
        Change();
}
