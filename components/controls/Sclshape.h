#pragma once
// The shape description of a shape button: shape type, square, corner
// rounding, brush, outline bevel and shadow.

#include <memory>

#include "components/controls/SCLShadow.h"
#include "components/controls/Sclgrapa.h"
#include "components/controls/Sclsimplebevel.h"
#include "components/foundations/Sclobject.h"
#include "platform/classlib/Graphics.h"

// 0..100.
using TSCLPercent = BYTE;

class TSCLShape : public TSCLObject {
public:
    TSCLShape();
    ~TSCLShape() override;
    TSCLShape(const TSCLShape&) = delete;
    TSCLShape& operator=(const TSCLShape&) = delete;

    TSCLSimpleBevel* Bevel() const { return bevel.get(); }
    TBrush* Brush() const { return brush.get(); }
    TSCLPercent RoundPercent() const { return round_percent; }
    TSCLShadow* Shadow() const { return shadow.get(); }
    TSCLShapeType Shape() const { return shape; }
    bool Square() const { return square; }

    // Assign into the owned objects.
    void SetBevel(TSCLSimpleBevel* Value);
    void SetBrush(TBrush* Value);
    void SetShadow(TSCLShadow* Value);
    void SetRoundPercent(TSCLPercent Value);
    void SetShape(TSCLShapeType Value);
    void SetSquare(bool Value);

    // Every setting and sub-object, one notification.
    void Assign(TPersistent* Source) override;

private:
    std::unique_ptr<TSCLSimpleBevel> bevel;
    std::unique_ptr<TBrush> brush;
    TSCLPercent round_percent = 33;
    std::unique_ptr<TSCLShadow> shadow;
    TSCLShapeType shape = stRectangle;
    bool square = false;
};
