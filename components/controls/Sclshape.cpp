#include "components/controls/Sclshape.h"

#include "components/controls/Sclsettings_Internal.h"

namespace {

const bool Shape_Registered = [] {
    SCLRegisterBrushClass();
    RegisterClass<TSCLShape>("TSCLShape")
        .Object("Bevel", &TSCLShape::Bevel)
        .Object("Brush", &TSCLShape::Brush)
        .Property("RoundPercent", Integer_Type(0, 100), &TSCLShape::RoundPercent,
                  [](TSCLShape& shape, int value) { shape.SetRoundPercent(static_cast<TSCLPercent>(value)); }, 33)
        .Object("Shadow", &TSCLShape::Shadow)
        .Property("Shape", Enum_Type<TSCLShapeType>(TSCLEnumInfo<TSCLShapeType>::Names), &TSCLShape::Shape,
                  &TSCLShape::SetShape, stRectangle)
        .Property("Square", Boolean_Type(), &TSCLShape::Square, &TSCLShape::SetSquare, false);
    return true;
}();

} // namespace

TSCLShape::TSCLShape()
    : bevel(std::make_unique<TSCLSimpleBevel>()), brush(std::make_unique<TBrush>()),
      shadow(std::make_unique<TSCLShadow>())
{
    bevel->OnChange = [this](TObject* Sender) { GetChange(Sender); };
    brush->OnChange = [this](TObject* Sender) { GetChange(Sender); };
    shadow->OnChange = [this](TObject* Sender) { GetChange(Sender); };
}

TSCLShape::~TSCLShape()
{
    bevel->OnChange = nullptr;
    brush->OnChange = nullptr;
    shadow->OnChange = nullptr;
}

void TSCLShape::SetBevel(TSCLSimpleBevel* Value)
{
    bevel->Assign(Value);
}

void TSCLShape::SetBrush(TBrush* Value)
{
    brush->Assign(Value);
}

void TSCLShape::SetShadow(TSCLShadow* Value)
{
    shadow->Assign(Value);
}

void TSCLShape::SetRoundPercent(TSCLPercent Value)
{
    Store(round_percent, Value);
}

void TSCLShape::SetShape(TSCLShapeType Value)
{
    Store(shape, Value);
}

void TSCLShape::SetSquare(bool Value)
{
    Store(square, Value);
}

void TSCLShape::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TSCLShape*>(Source);
    if (!other) {
        TSCLObject::Assign(Source);
        return;
    }
    BeginUpdate();
    bevel->Assign(other->bevel.get());
    brush->Assign(other->brush.get());
    shadow->Assign(other->shadow.get());
    round_percent = other->round_percent;
    shape = other->shape;
    square = other->square;
    EndUpdate(true);
}
