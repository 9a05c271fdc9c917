#pragma once
// A windowless control that draws a 3D edge along chosen sides of its
// bounds, a diagonal edge line, or one of the library's standard frames.

#include <array>

#include "components/controls/Sclcontrol.h"
#include "components/foundations/Sclgraph.h"
#include "platform/winapi/WinTypes.h"

enum TSCLDiagonalStyle { dsEndBottomLeft, dsEndBottomRight, dsEndTopLeft, dsEndTopRight };
template <>
struct TSCLEnumInfo<TSCLDiagonalStyle> {
    static constexpr const char* TypeName = "TSCLDiagonalStyle";
    static constexpr std::array<const char*, 4> Names{"dsEndBottomLeft", "dsEndBottomRight", "dsEndTopLeft",
                                                      "dsEndTopRight"};
};

enum TSCLDrawEdgeStyle { esEdge, esDiagonal, esStandard };
template <>
struct TSCLEnumInfo<TSCLDrawEdgeStyle> {
    static constexpr const char* TypeName = "TSCLDrawEdgeStyle";
    static constexpr std::array<const char*, 3> Names{"esEdge", "esDiagonal", "esStandard"};
};

class TSCLDrawEdge : public TSCLControl {
public:
    explicit TSCLDrawEdge(TComponent* AOwner);

    TSCLDiagonalStyle DiagonalStyle() const { return diagonal_style; }
    TSCLEdgeStyle EdgeStyle() const { return edge_style; }
    bool Filled() const { return filled; }
    TSCLFrameSides FrameSides() const { return frame_sides; }
    TSCLBorderStyle StandardStyle() const { return standard_style; }
    bool Soft() const { return soft; }
    TSCLDrawEdgeStyle Style() const { return style; }

    void SetDiagonalStyle(TSCLDiagonalStyle Value);
    void SetEdgeStyle(TSCLEdgeStyle Value);
    // 0 Filled, 1 Soft.
    void SetBool(int Index, bool Value);
    void SetFilled(bool Value) { SetBool(0, Value); }
    void SetSoft(bool Value) { SetBool(1, Value); }
    void SetFrameSides(TSCLFrameSides Value);
    void SetStandardStyle(TSCLBorderStyle Value);
    void SetStyle(TSCLDrawEdgeStyle Value);

    // The platform's edge type (BDR_ or EDGE_) of EdgeStyle.
    UINT EdgeType() const;
    // The platform's BF_ flags of the edge or diagonal drawing.
    UINT EdgeFlags() const;

protected:
    void Paint() override;

private:
    TSCLDiagonalStyle diagonal_style = dsEndBottomLeft;
    TSCLEdgeStyle edge_style = etEtched;
    bool filled = false;
    TSCLFrameSides frame_sides{fsBottom, fsLeft, fsRight, fsTop};
    TSCLBorderStyle standard_style = lsSingleLowered;
    bool soft = false;
    TSCLDrawEdgeStyle style = esEdge;
};
