#pragma once
// The multimedia button: a graphic button whose whole face is a picture of
// an image list, one picture per button state, drawn off-screen, optionally
// see-through on the picture's transparent colour, with the caption pushed
// down while pressed. Clicks on transparent pixels fall through.

#include <array>
#include <cstdint>

#include "components/controls/Sclbasegraphicbutton.h"
#include "components/controls/Sclbtn.h"

class TSCLCustomMMButton : public TSCLBaseGraphicButton {
public:
    explicit TSCLCustomMMButton(TComponent* AOwner);
    ~TSCLCustomMMButton() override;

    TSCLCustomImageList* ButtonFaceImageList() const { return face_list; }
    void SetButtonFaceImageList(TSCLCustomImageList* List);
    TSCLButtonFaceIndex GetButtonFaceIndex(TSCLButtonState AState) const { return faces[AState]; }
    // Repaints when AState is the state shown.
    void SetButtonFaceIndex(TSCLButtonState AState, TSCLButtonFaceIndex Index);
    // All 16 values: image indexes of states 0-7, then list indexes of 7 down to 0.
    std::array<std::int32_t, 16> GetButtonFaceIndices() const;
    void SetButtonFaceIndices(const std::array<std::int32_t, 16>& Values);
    bool ButtonFaceIMLEmpty(TSCLButtonState AState);

    int CaptionDown() const { return caption_down; }
    void SetCaptionDown(int Value) { caption_down = Value; }
    TColor TransColor() const { return trans_color; }
    // The list's transparent colour of the bsUp picture.
    void SetTransCol();
    bool ForceTransparent() const { return force_transparent; }
    void SetForceTransparent(bool Value);
    bool QuickDraw() const { return quick_draw; }
    void SetQuickDraw(bool Value);
    TSCLBitmapStyle ButtonFaceStyle() const { return face_style; }
    void SetButtonFaceStyle(TSCLBitmapStyle Value);
    RECT FaceRect() const { return face_rect; }

    bool GetEmpty() override { return face_list == nullptr; }
    bool VerifyTransparency(int X, int Y) override;
    HPALETTE GetPalette();
    void GetButtonFaceIMLChange(TObject* Sender) { GetChange(Sender); }
    void DefineProperties(TFiler& Filer);

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    bool HoverRepaints() override { return true; }

private:
    bool Valid(TSCLButtonState AState);
    TSCLButtonState Face_State();
    WORD Draw_Flags() const;
    RECT Drawn_Rect(WORD Flags, TSCLButtonFaceIndex Face);
    void Read_Indices(TStream& Stream);
    void Read_Indices_New(TStream& Stream);
    void Read_Indices_New2(TStream& Stream);
    void Write_Indices_New2(TStream& Stream);

    TSCLCustomImageList* face_list = nullptr;
    TSCLChangeLink face_link;
    std::array<TSCLButtonFaceIndex, 8> faces{};
    int caption_down = 1;
    TColor trans_color = clWhite;
    bool force_transparent = true;
    bool quick_draw = false;
    TSCLBitmapStyle face_style = sbNone;
    RECT face_rect{};
};
