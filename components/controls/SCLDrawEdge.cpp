#include "components/controls/SCLDrawEdge.h"

#include "components/foundations/Sclutils.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/winapi/Gdi.h"

namespace {

const bool Draw_Edge_Registered = [] {
    RegisterComponentClass<TSCLDrawEdge, TSCLControl>("TSCLDrawEdge")
        .Property("About", String_Type(), [](const TSCLDrawEdge& edge) { return edge.About; },
                  [](TSCLDrawEdge& edge, const std::string& value) { edge.About = value; }, std::string())
        .Property("DiagonalStyle", Enum_Type<TSCLDiagonalStyle>(TSCLEnumInfo<TSCLDiagonalStyle>::Names),
                  &TSCLDrawEdge::DiagonalStyle, &TSCLDrawEdge::SetDiagonalStyle, dsEndBottomLeft)
        .Property("EdgeStyle", Enum_Type<TSCLEdgeStyle>(TSCLEnumInfo<TSCLEdgeStyle>::Names), &TSCLDrawEdge::EdgeStyle,
                  &TSCLDrawEdge::SetEdgeStyle, etEtched)
        .Property("Filled", Boolean_Type(), &TSCLDrawEdge::Filled, &TSCLDrawEdge::SetFilled, false)
        .Property("FrameSides", Set_Type<TSCLFrameSide>(TSCLEnumInfo<TSCLFrameSide>::Names), &TSCLDrawEdge::FrameSides,
                  &TSCLDrawEdge::SetFrameSides, TSCLFrameSides{fsBottom, fsLeft, fsRight, fsTop})
        .Property("StandardStyle", Enum_Type<TSCLBorderStyle>(TSCLEnumInfo<TSCLBorderStyle>::Names),
                  &TSCLDrawEdge::StandardStyle, &TSCLDrawEdge::SetStandardStyle, lsSingleLowered)
        .Property("Soft", Boolean_Type(), &TSCLDrawEdge::Soft, &TSCLDrawEdge::SetSoft, false)
        .Property("Style", Enum_Type<TSCLDrawEdgeStyle>(TSCLEnumInfo<TSCLDrawEdgeStyle>::Names), &TSCLDrawEdge::Style,
                  &TSCLDrawEdge::SetStyle, esEdge);
    return true;
}();

// By TSCLEdgeStyle ordinal.
constexpr UINT Edge_Types[] = {BDR_RAISEDINNER, BDR_RAISEDOUTER, BDR_SUNKENINNER, BDR_SUNKENOUTER,
                               EDGE_BUMP,       EDGE_ETCHED,     EDGE_RAISED,     EDGE_SUNKEN};
// By TSCLDiagonalStyle ordinal: BF_DIAGONAL with the corner the line ends in.
constexpr UINT Diagonal_Flags[] = {BF_DIAGONAL_ENDBOTTOMLEFT, BF_DIAGONAL_ENDBOTTOMRIGHT, BF_DIAGONAL_ENDTOPLEFT,
                                   BF_DIAGONAL_ENDTOPRIGHT};

} // namespace

TSCLDrawEdge::TSCLDrawEdge(TComponent* AOwner) : TSCLControl(AOwner)
{
    TControlStyle control_style = ControlStyle();
    control_style.Include(csReplicatable);
    SetControlStyle(control_style);
    SetBounds(Left(), Top(), 40, 40);
}

void TSCLDrawEdge::SetDiagonalStyle(TSCLDiagonalStyle Value)
{
    if (diagonal_style == Value)
        return;
    diagonal_style = Value;
    Invalidate();
}

void TSCLDrawEdge::SetEdgeStyle(TSCLEdgeStyle Value)
{
    if (edge_style == Value)
        return;
    edge_style = Value;
    Invalidate();
}

void TSCLDrawEdge::SetBool(int Index, bool Value)
{
    bool& field = Index == 0 ? filled : soft;
    if (field == Value)
        return;
    field = Value;
    Invalidate();
}

void TSCLDrawEdge::SetFrameSides(TSCLFrameSides Value)
{
    if (frame_sides == Value)
        return;
    frame_sides = Value;
    Invalidate();
}

void TSCLDrawEdge::SetStandardStyle(TSCLBorderStyle Value)
{
    if (standard_style == Value)
        return;
    standard_style = Value;
    Invalidate();
}

void TSCLDrawEdge::SetStyle(TSCLDrawEdgeStyle Value)
{
    if (style == Value)
        return;
    style = Value;
    Invalidate();
}

UINT TSCLDrawEdge::EdgeType() const
{
    return Edge_Types[static_cast<std::size_t>(edge_style)];
}

UINT TSCLDrawEdge::EdgeFlags() const
{
    UINT flags = (soft ? BF_SOFT : 0) | (filled ? BF_MIDDLE : 0);
    if (style == esDiagonal)
        return flags | Diagonal_Flags[static_cast<std::size_t>(diagonal_style)];
    if (frame_sides.Contains(fsBottom))
        flags |= BF_BOTTOM;
    if (frame_sides.Contains(fsTop))
        flags |= BF_TOP;
    if (frame_sides.Contains(fsRight))
        flags |= BF_RIGHT;
    if (frame_sides.Contains(fsLeft))
        flags |= BF_LEFT;
    return flags;
}

void TSCLDrawEdge::Paint()
{
    RECT rect = ClientRect();
    if (style == esStandard) {
        const UINT flags = (soft ? BF_SOFT : 0) | (filled ? BF_MIDDLE : 0);
        SCLDrawStdFrame(Canvas(), rect, standard_style, static_cast<WORD>(flags));
        return;
    }
    DrawEdge(Canvas()->Handle(), &rect, EdgeType(), EdgeFlags());
}
