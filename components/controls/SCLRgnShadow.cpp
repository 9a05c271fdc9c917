#include "components/controls/SCLRgnShadow.h"

#include "platform/classlib/Class_Registry.h"

namespace {

const bool Rgn_Shadow_Registered = [] {
    RegisterClass<TSCLRgnShadow, TSCLShadow>("TSCLRgnShadow")
        .Property("Style", Enum_Type<TSCLShadowStyle>(TSCLEnumInfo<TSCLShadowStyle>::Names), &TSCLRgnShadow::Style,
                  &TSCLRgnShadow::SetStyle, hssNone);
    return true;
}();

} // namespace

TSCLRgnShadow::TSCLRgnShadow()
{
    Init_Style(hssNone);
}
