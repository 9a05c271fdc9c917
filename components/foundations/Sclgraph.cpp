#include "components/foundations/Sclgraph.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::array Enum_Tables{
    SCLEnumTable<TSCLAlignment>(),
    SCLEnumTable<TSCLArrowPosition>(),
    SCLEnumTable<TSCLBevelMode>(),
    SCLEnumTable<TSCLBevelStyle>(),
    SCLEnumTable<TSCLBitmapStyle>(),
    SCLEnumTable<TSCLBorderStyle>(),
    SCLEnumTable<TSCLButtonState>(),
    SCLEnumTable<TSCLDirection>(),
    SCLEnumTable<TSCLDisabledStyle>(),
    SCLEnumTable<TSCLDrawTextStyle>(),
    SCLEnumTable<TSCLEdgeStyle>(),
    SCLEnumTable<TSCLFillStyle>(),
    SCLEnumTable<TSCLFrameSide>(),
    SCLEnumTable<TSCLGlyphTextFocusStyle>(),
    SCLEnumTable<TSCLGradientStyle>(),
    SCLEnumTable<TSCLMeterDirection>(),
    SCLEnumTable<TSCLMeterTextOptions>(),
    SCLEnumTable<TSCLNormalButtonStyle>(),
    SCLEnumTable<TSCLOrientation>(),
    SCLEnumTable<TSCLShadowStyle>(),
    SCLEnumTable<TSCLTextArrange>(),
    SCLEnumTable<TSCLThreeDOrientation>(),
    SCLEnumTable<TSCLThreeDStyle>(),
    SCLEnumTable<TSCLTileMode>(),
    SCLEnumTable<TSCLTransparentMode>(),
    SCLEnumTable<TSCLUserButtonStyle>()};

bool Same_Text(std::string_view A, std::string_view B)
{
    return std::ranges::equal(A, B, [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

} // namespace

const TSCLEnumTable* SCLFindEnumTable(std::string_view TypeName)
{
    const auto found = std::ranges::find_if(
        Enum_Tables, [&](const TSCLEnumTable& table) { return Same_Text(table.TypeName, TypeName); });
    return found != Enum_Tables.end() ? &*found : nullptr;
}

int SCLEnumOrdinal(const TSCLEnumTable& Table, std::string_view Name)
{
    const auto found = std::ranges::find_if(Table.Names, [&](const char* name) { return Same_Text(name, Name); });
    return found != Table.Names.end() ? static_cast<int>(found - Table.Names.begin()) : -1;
}

TSCLDrawTextStyles SCLConvertFocusStyle(TSCLGlyphTextFocusStyle Style)
{
    switch (Style) {
    case fcText: return {dtRectText};
    case fcGlyph: return {dtRectGlyph};
    case fcGlyphText: return {dtRectGlyphText};
    case fcControl:
    case fcNone: break;
    }
    return {};
}
