#include "components/foundations/Sclobject.h"

void TSCLObject::GetChange(TObject* /*Sender*/)
{
    Change();
}

void TSCLObject::Change()
{
    if (update_count == 0 && OnChange)
        OnChange(this);
}

std::string TSCLObject::GetSetStr()
{
    return {};
}

void TSCLObject::BeginUpdate()
{
    ++update_count;
}

void TSCLObject::EndUpdate(bool DoChange)
{
    if (update_count > 0)
        --update_count;
    if (DoChange)
        Change();
}
