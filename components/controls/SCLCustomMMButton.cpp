#include "components/controls/SCLCustomMMButton.h"

#include "components/foundations/Sclutils.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"

namespace {

constexpr int State_Count = 8;
constexpr int Old_State_Count = 7;
constexpr WORD Palette_Flag = 0x1000;

const bool MM_Button_Registered = [] {
    RegisterComponentClass<TSCLCustomMMButton, TSCLBaseGraphicButton>("TSCLCustomMMButton")
        .Property("ButtonFaceStyle", Enum_Type<TSCLBitmapStyle>(TSCLEnumInfo<TSCLBitmapStyle>::Names),
                  &TSCLCustomMMButton::ButtonFaceStyle, &TSCLCustomMMButton::SetButtonFaceStyle, sbNone)
        .Component<TSCLCustomImageList>("ButtonFaceImageList", &TSCLCustomMMButton::ButtonFaceImageList,
                                        &TSCLCustomMMButton::SetButtonFaceImageList)
        .Stored_If([](TSCLCustomMMButton& b) { return !SCLIsGlobalIdent(b.ButtonFaceImageList()); })
        .Property("CaptionDown", Integer_Type(), &TSCLCustomMMButton::CaptionDown,
                  &TSCLCustomMMButton::SetCaptionDown, 1)
        .Property("ForceTransparent", Boolean_Type(), &TSCLCustomMMButton::ForceTransparent,
                  &TSCLCustomMMButton::SetForceTransparent, true)
        .Property("QuickDraw", Boolean_Type(), &TSCLCustomMMButton::QuickDraw, &TSCLCustomMMButton::SetQuickDraw,
                  false)
        .DefineProperties(&TSCLCustomMMButton::DefineProperties);
    return true;
}();

std::int32_t Read_Int(TStream& Stream)
{
    std::uint8_t bytes[4];
    Stream.ReadBuffer(bytes, 4);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[0]) |
                                     (static_cast<std::uint32_t>(bytes[1]) << 8) |
                                     (static_cast<std::uint32_t>(bytes[2]) << 16) |
                                     (static_cast<std::uint32_t>(bytes[3]) << 24));
}

void Write_Int(TStream& Stream, std::int32_t Value)
{
    const auto v = static_cast<std::uint32_t>(Value);
    const std::uint8_t bytes[4]{static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
    Stream.WriteBuffer(bytes, 4);
}

} // namespace

TSCLCustomMMButton::TSCLCustomMMButton(TComponent* AOwner) : TSCLBaseGraphicButton(AOwner)
{
    TControlStyle style = ControlStyle();
    style.Exclude(csClickEvents);
    style.Include(csOpaque);
    style.Include(csReplicatable);
    SetControlStyle(style);
    face_link.OnChange = [this](TObject* Sender) { GetButtonFaceIMLChange(Sender); };
}

TSCLCustomMMButton::~TSCLCustomMMButton()
{
    face_link.OnChange = nullptr;
    if (face_list) {
        face_list->UnRegisterChanges(&face_link);
        face_list->RemoveFreeNotification(this);
    }
    quick_draw = false;
}

void TSCLCustomMMButton::SetButtonFaceImageList(TSCLCustomImageList* List)
{
    if (face_list) {
        face_list->UnRegisterChanges(&face_link);
        face_list->RemoveFreeNotification(this);
    }
    face_list = List;
    if (List) {
        List->RegisterChanges(&face_link);
        List->FreeNotification(this);
    }
    GetChange(nullptr);
}

void TSCLCustomMMButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TSCLBaseGraphicButton::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == face_list)
        face_list = nullptr;
}

void TSCLCustomMMButton::SetButtonFaceIndex(TSCLButtonState AState, TSCLButtonFaceIndex Index)
{
    faces[AState] = Index;
    if (AState == State())
        Invalidate();
}

std::array<std::int32_t, 16> TSCLCustomMMButton::GetButtonFaceIndices() const
{
    std::array<std::int32_t, 16> values{};
    for (int s = 0; s < State_Count; ++s) {
        values[static_cast<std::size_t>(s)] = faces[static_cast<std::size_t>(s)].ImageIndex;
        values[static_cast<std::size_t>(8 + (7 - s))] = faces[static_cast<std::size_t>(s)].ListIndex;
    }
    return values;
}

void TSCLCustomMMButton::SetButtonFaceIndices(const std::array<std::int32_t, 16>& Values)
{
    for (int s = 0; s < State_Count; ++s)
        faces[static_cast<std::size_t>(s)] = TSCLButtonFaceIndex{Values[static_cast<std::size_t>(8 + (7 - s))],
                                                                 Values[static_cast<std::size_t>(s)]};
    Invalidate();
}

bool TSCLCustomMMButton::Valid(TSCLButtonState AState)
{
    const TSCLButtonFaceIndex& face = faces[AState];
    return face_list && face_list->IsValidItem(face.ListIndex, face.ImageIndex);
}

bool TSCLCustomMMButton::ButtonFaceIMLEmpty(TSCLButtonState AState) { return !Valid(AState); }

void TSCLCustomMMButton::SetTransCol()
{
    if (!Valid(bsUp))
        return;
    TColor colour = face_list->TransparentColor(faces[bsUp].ListIndex, faces[bsUp].ImageIndex);
    if (static_cast<std::uint32_t>(colour) >= 0x2000000u)
        colour = static_cast<TColor>(static_cast<std::uint32_t>(colour) - 0x2000000u);
    trans_color = colour;
}

void TSCLCustomMMButton::SetForceTransparent(bool Value)
{
    if (Value == force_transparent)
        return;
    force_transparent = Value;
    Invalidate();
}

void TSCLCustomMMButton::SetQuickDraw(bool Value)
{
    if (Value == quick_draw)
        return;
    quick_draw = Value;
    Invalidate();
}

void TSCLCustomMMButton::SetButtonFaceStyle(TSCLBitmapStyle Value)
{
    if (Value == face_style)
        return;
    face_style = Value;
    Invalidate();
}

HPALETTE TSCLCustomMMButton::GetPalette()
{
    return face_list ? face_list->Palette(faces[State()].ListIndex) : nullptr;
}

bool TSCLCustomMMButton::VerifyTransparency(int X, int Y)
{
    const TSCLButtonState shown = State();
    if (!Valid(shown) || X < face_rect.left || X >= face_rect.right || Y < face_rect.top || Y >= face_rect.bottom)
        return false;
    const TSCLButtonFaceIndex& face = faces[shown];
    const POINT at{X - face_rect.left, Y - face_rect.top};
    const TColor key = face_list->TransparentColor(face.ListIndex, face.ImageIndex);
    return ColorToRGB(face_list->GetColorAtPoint(at, face.ListIndex, face.ImageIndex)) != ColorToRGB(key);
}

// ---- Stored properties -------------------------------------------------------------

void TSCLCustomMMButton::Read_Indices(TStream& Stream)
{
    for (int s = 0; s < Old_State_Count; ++s) {
        faces[static_cast<std::size_t>(s)].ListIndex = Read_Int(Stream);
        faces[static_cast<std::size_t>(s)].ImageIndex = Read_Int(Stream);
    }
}

void TSCLCustomMMButton::Read_Indices_New(TStream& Stream)
{
    for (int s = 0; s < Old_State_Count; ++s)
        faces[static_cast<std::size_t>(s)].ListIndex = Read_Int(Stream);
    for (int s = 0; s < Old_State_Count; ++s)
        faces[static_cast<std::size_t>(s)].ImageIndex = Read_Int(Stream);
}

void TSCLCustomMMButton::Read_Indices_New2(TStream& Stream)
{
    std::array<std::int32_t, 16> values{};
    for (std::int32_t& value : values)
        value = Read_Int(Stream);
    SetButtonFaceIndices(values);
}

void TSCLCustomMMButton::Write_Indices_New2(TStream& Stream)
{
    for (std::int32_t value : GetButtonFaceIndices())
        Write_Int(Stream, value);
}

void TSCLCustomMMButton::DefineProperties(TFiler& Filer)
{
    Filer.DefineProperty(
        "ButtonFace", [this](TReader& Reader) { SetButtonFaceImageList(SCLReadGlobalIdent(Reader)); },
        [this](TWriter& Writer) { SCLWriteGlobalIdent(Writer, face_list); }, SCLIsGlobalIdent(face_list));
    Filer.DefineBinaryProperty("ButtonFaceIndices", [this](TStream& s) { Read_Indices(s); }, nullptr, false);
    Filer.DefineBinaryProperty("ButtonFaceIndicesNew", [this](TStream& s) { Read_Indices_New(s); }, nullptr, false);
    Filer.DefineBinaryProperty("ButtonFaceIndicesNew2", [this](TStream& s) { Read_Indices_New2(s); },
                               [this](TStream& s) { Write_Indices_New2(s); }, true);
    Filer.DefineBinaryProperty("ButtonFaceTransCol", [this](TStream& s) { trans_color = Read_Int(s); }, nullptr,
                               false);
    Filer.DefineBinaryProperty("ButtonFaceTransColNew", [this](TStream& s) { trans_color = Read_Int(s); },
                               [this](TStream& s) { Write_Int(s, trans_color); }, true);
}

// ---- Painting ----------------------------------------------------------------------

TSCLButtonState TSCLCustomMMButton::Face_State()
{
    const TSCLButtonState shown = State();
    if (Valid(shown))
        return shown;
    switch (shown) {
    case bsDisabledUp:
    case bsMouseOver:
    case bsDragOver: return bsUp;
    case bsUp: return bsUp;
    default: return bsDown;
    }
}

WORD TSCLCustomMMButton::Draw_Flags() const
{
    WORD flags = quick_draw ? 0 : Palette_Flag;
    switch (face_style) {
    case sbCenter: flags |= 0x8; break;
    case sbStretch: flags |= 0x10; break;
    case sbTile: flags |= 0x20; break;
    case sbKeepAspRatio: flags |= 0x610; break;
    case sbKeepWidth: flags |= 0x210; break;
    case sbKeepHeight: flags |= 0x410; break;
    default: break;
    }
    return flags;
}

RECT TSCLCustomMMButton::Drawn_Rect(WORD Flags, TSCLButtonFaceIndex Face)
{
    const int w = face_list->Dimensions(Face.ListIndex, 0);
    const int h = face_list->Dimensions(Face.ListIndex, 1);
    if (Flags & (SCLBD_STRETCH | SCLBD_TILE))
        return ClientRect();
    if (Flags & SCLBD_CENTER) {
        const int x = (Width() - w) / 2;
        const int y = (Height() - h) / 2;
        return RECT{x, y, x + w, y + h};
    }
    return RECT{0, 0, w, h};
}

void TSCLCustomMMButton::Paint()
{
    if (Loading())
        return;
    face_rect = RECT{};
    if (GetEmpty()) {
        if (!Transparent())
            FillControl();
        if (Designing())
            DrawDashedFrame();
        return;
    }
    const TSCLButtonState face_state = Face_State();
    const TSCLButtonFaceIndex face = faces[face_state];
    if (face_style == sbAutosize) {
        int w = face_list->Dimensions(face.ListIndex, 0);
        int h = face_list->Dimensions(face.ListIndex, 1);
        w = w == 0 ? 20 : w;
        h = h == 0 ? 20 : h;
        if (w != Width() || h != Height()) {
            SetBounds(Left(), Top(), w, h);
            return;
        }
    }
    TBitmap offscreen;
    offscreen.SetSize(Width(), Height());
    bool filled = false;
    if (!Transparent()) {
        offscreen.Canvas()->Brush()->SetColor(Color());
        offscreen.Canvas()->FillRect(ClientRect());
        filled = true;
    } else if (CheckOptimized()) {
        filled = BackDrawArea(offscreen.Canvas(), ClientRect(), POINT{Left(), Top()}, 0);
    }
    const bool valid = Valid(face_state);
    if (face_state == bsUp && !valid)
        return;
    WORD flags = Draw_Flags();
    TColor key = clWhite;
    if (valid) {
        key = face_list->TransparentColor(face.ListIndex, face.ImageIndex);
        if (Transparent()) {
            if (!filled) {
                offscreen.Canvas()->Brush()->SetColor(key);
                offscreen.Canvas()->FillRect(ClientRect());
            }
            flags |= SCLBD_TRANSPARENT;
        } else if (force_transparent) {
            flags |= SCLBD_TRANSPARENT;
        }
        face_list->DrawExt(offscreen.Canvas(), ClientRect(), flags, face.ListIndex, face.ImageIndex);
        face_rect = Drawn_Rect(flags, face);
    }
    RECT caption = ClientRect();
    if (State() == bsOptionSet || State() == bsDown || State() == bsDropDownOpen)
        caption = RECT{caption.left + caption_down, caption.top + caption_down, caption.right + caption_down,
                       caption.bottom + caption_down};
    offscreen.Canvas()->Brush()->SetStyle(bsClear);
    DrawGlyphAndText(offscreen.Canvas(), caption);
    if (filled) {
        Canvas()->Draw(0, 0, &offscreen);
        return;
    }
    RECT painted{};
    SCLBmpDrawExt(Canvas(), ClientRect(), offscreen.Canvas(), ClientRect(), 0x1040, key,
                  face_list->Palette(face.ListIndex), nullptr, painted);
}
