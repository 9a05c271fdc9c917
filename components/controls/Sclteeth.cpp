#include "components/controls/Sclteeth.h"

#include "platform/classlib/Class_Registry.h"

namespace {

const bool Teeth_Registered = [] {
    const auto flag = [](int index) {
        return [index](TSCLTeeth& teeth, bool value) { teeth.SetBoolean(index, value); };
    };
    const auto size = [](int index) {
        return [index](TSCLTeeth& teeth, int value) { teeth.SetInteger(index, value); };
    };
    RegisterClass<TSCLTeeth>("TSCLTeeth")
        .Property("Count", Integer_Type(0, 50), &TSCLTeeth::Count,
                  [](TSCLTeeth& teeth, int value) { teeth.SetCount(static_cast<BYTE>(value)); }, 10)
        .Property("Direction", Enum_Type<TSCLDirection>(TSCLEnumInfo<TSCLDirection>::Names), &TSCLTeeth::Direction,
                  &TSCLTeeth::SetDirection, tdRight)
        .Property("Height", Integer_Type(), &TSCLTeeth::Height, size(1), 0)
        .Property("Offset", Boolean_Type(), &TSCLTeeth::Offset, flag(0), true)
        .Property("SetPerCount", Boolean_Type(), &TSCLTeeth::SetPerCount, flag(1), true)
        .Property("Width", Integer_Type(), &TSCLTeeth::Width, size(0), 10);
    return true;
}();

} // namespace

void TSCLTeeth::SetCount(BYTE Value)
{
    Store(count, Value);
}

void TSCLTeeth::SetDirection(TSCLDirection Value)
{
    Store(direction, Value);
}

void TSCLTeeth::SetBoolean(int Index, bool Value)
{
    if (Index == 0)
        Store(offset, Value);
    else if (Index == 1)
        Store(set_per_count, Value);
}

void TSCLTeeth::SetInteger(int Index, int Value)
{
    if (Index == 0)
        Store(width, Value);
    else if (Index == 1)
        Store(height, Value);
}

void TSCLTeeth::Assign(TPersistent* Source)
{
    auto* teeth = dynamic_cast<TSCLTeeth*>(Source);
    if (!teeth) {
        TSCLObject::Assign(Source);
        return;
    }
    count = teeth->count;
    direction = teeth->direction;
    offset = teeth->offset;
    set_per_count = teeth->set_per_count;
    width = teeth->width;
    height = teeth->height;
    Change();
}
