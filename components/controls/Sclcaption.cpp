#include "components/controls/Sclcaption.h"

#include "components/foundations/Sclutils.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/winapi/Gdi_Text.h"

namespace {

const bool Caption_Registered = [] {
    RegisterClass<TSCLCaption>("TSCLCaption")
        .Property("Alignment", Enum_Type<TSCLAlignment>(TSCLEnumInfo<TSCLAlignment>::Names),
                  &TSCLCaption::Alignment, &TSCLCaption::SetAlignment, agCenter)
        .Property("Caption", String_Type(), &TSCLCaption::Caption, &TSCLCaption::SetCaption, "")
        .Object("Font", &TSCLCaption::Font)
        .Object("FontFX", &TSCLCaption::FontFX)
        .Property("MultiLine", Boolean_Type(), &TSCLCaption::MultiLine, &TSCLCaption::SetMultiLine, false);
    return true;
}();

// The DrawText alignment of each TSCLAlignment.
constexpr int Alignment_Format[] = {
    DT_LEFT | DT_TOP,    DT_CENTER | DT_TOP,     DT_RIGHT | DT_TOP,
    DT_LEFT | DT_VCENTER, DT_CENTER | DT_VCENTER, DT_RIGHT | DT_VCENTER,
    DT_LEFT | DT_BOTTOM, DT_CENTER | DT_BOTTOM,  DT_RIGHT | DT_BOTTOM,
};

RECT Moved_By(const RECT& Rect, int Extra)
{
    if (Extra == 0)
        return Rect;
    const int dx = static_cast<SHORT>(LOWORD(static_cast<DWORD>(Extra)));
    const int dy = static_cast<SHORT>(HIWORD(static_cast<DWORD>(Extra)));
    return RECT{Rect.left + dx, Rect.top + dy, Rect.right + dx, Rect.bottom + dy};
}

} // namespace

TSCLCaption::TSCLCaption() : font(std::make_unique<TFont>()), font_fx(std::make_unique<TSCLFxCaption>())
{
    Wire_Owned_Objects();
}

TSCLCaption::TSCLCaption(const std::string& Caption, const std::string& FontName, int FontSize, TColor FontColor,
                         TNotifyEvent OnChange)
    : TSCLCaption()
{
    caption = Caption;
    if (!FontName.empty())
        font->SetName(FontName);
    if (FontSize > 0)
        font->SetSize(FontSize);
    font->SetColor(FontColor);
    use_own_caption = true;
    this->OnChange = std::move(OnChange);
}

TSCLCaption::~TSCLCaption()
{
    font->OnChange = nullptr;
    font_fx->OnChange = nullptr;
}

void TSCLCaption::Wire_Owned_Objects()
{
    font->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
    font_fx->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
}

void TSCLCaption::SetAlignment(TSCLAlignment Value)
{
    Store(alignment, Value);
}

void TSCLCaption::SetCaption(const std::string& Value)
{
    Store(caption, Value);
}

void TSCLCaption::SetMultiLine(bool Value)
{
    Store(multi_line, Value);
}

void TSCLCaption::SetFont(TFont* Value)
{
    font->Assign(Value);
}

void TSCLCaption::SetFontFx(TSCLFxCaption* Value)
{
    font_fx->Assign(Value);
}

void TSCLCaption::FontChanged(TObject* Sender)
{
    if (font_fx->Angle() != 0 && !SCLIsTrueTypeFont(font.get())) {
        // The repair notifies once, below, not again through its own object.
        if (Sender == font.get()) {
            font_fx->BeginUpdate();
            font_fx->SetAngle(0);
            font_fx->EndUpdate(false);
        } else {
            TNotifyEvent handler = std::move(font->OnChange);
            font->OnChange = nullptr;
            font->SetName("Arial");
            font->OnChange = std::move(handler);
        }
    }
    Change();
}

void TSCLCaption::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TSCLCaption*>(Source);
    if (!other) {
        TSCLObject::Assign(Source);
        return;
    }
    BeginUpdate();
    font->Assign(other->font.get());
    font_fx->Assign(other->font_fx.get());
    alignment = other->alignment;
    caption = other->caption;
    multi_line = other->multi_line;
    EndUpdate(true);
}

std::string TSCLCaption::GetSetStr()
{
    return "{" + caption + "}";
}

int TSCLCaption::Text_Format(TSCLDrawTextStyles Flags, RECT& Rect, const std::string& Text) const
{
    const bool accel = Flags.Contains(dtAccelChar);
    int format = Alignment_Format[alignment] | DT_EXPANDTABS | DT_WORDBREAK;
    if (!accel)
        format |= DT_NOPREFIX;
    bool align_block = false;
    if (font_fx->Angle() != 0) {
        format |= DT_SINGLELINE;
        align_block = alignment != agTopLeft;
    } else if (!multi_line) {
        format |= DT_SINGLELINE;
    } else {
        align_block = alignment >= agCenterLeft;
    }
    if (align_block)
        Rect = SCLAlignTextRect(alignment, Text, font_fx.get(), Rect, font.get(), multi_line, accel, format);
    return format;
}

void TSCLCaption::DrawCaption(TCanvas* Canvas, const std::string& Text, const RECT& Rect, TSCLDrawTextStyles Flags,
                              TColor Color, int Extra)
{
    if (!Canvas)
        return;
    const std::string& text = Text.empty() && use_own_caption ? caption : Text;
    const RECT clip = Moved_By(Rect, Extra);
    RECT rect = Rect;
    const int format = Text_Format(Flags, rect, text);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Brush()->SetColor(Color);
    Canvas->SetFont(font.get());
    SCLDrawTextExt(Canvas, text, font_fx.get(), rect, format, Flags, Flags.Contains(dtClip) ? &clip : nullptr);
}
