#pragma once
// A control's background effect (BackFX): mirror flips, grey scale,
// inversion, brightness and an alpha blend with a fill. In this library the
// switches and the brightness are held at their neutral values (the setters
// store those whatever they are given), so Draw comes down to the alpha
// blend, which acts only while its fill has a style.

#include <memory>
#include <string>

#include "components/controls/Sclalphaobject.h"
#include "components/foundations/Sclbmp.h"
#include "components/foundations/Sclobject.h"
#include "platform/classlib/Graphics_Bitmap.h"

class TSCLBitmapEffectObject : public TSCLObject {
public:
    TSCLBitmapEffectObject();
    ~TSCLBitmapEffectObject() override;
    TSCLBitmapEffectObject(const TSCLBitmapEffectObject&) = delete;
    TSCLBitmapEffectObject& operator=(const TSCLBitmapEffectObject&) = delete;

    TSCLAlphaObject* AlphaBlend() const { return alpha_blend.get(); }
    bool FlipVertical() const { return flip_vertical; }
    bool FlipHorizontal() const { return flip_horizontal; }
    bool GrayScale() const { return gray_scale; }
    bool Invert() const { return invert; }
    bool Buffered() const { return buffered; }
    TSCLBrightness Brightness() const { return brightness; }

    // Always false: controls never route their background through it.
    bool Enabled() const { return false; }

    // 0 FlipVertical, 1 FlipHorizontal, 2 GrayScale, 3 Invert, 4 Buffered,
    // 5 unused: each stays false (notified when it was not); Buffered also
    // drops the buffer.
    void SetBoolean(int Index, bool Value);
    // Brightness stays 0.
    void SetBrightness(TSCLBrightness Value);
    void SetAlphaObject(TSCLAlphaObject* Value);

    // Notifies, then drops the buffer.
    void GetChange(TObject* Sender) override;
    // Marks the buffer stale; controls call it when their background changes.
    void DestroyBuffer();
    bool BufferValid() const { return buffer_valid; }

    // Applies the effect to Bitmap: the alpha blend.
    void Draw(TBitmap* Bitmap);
    // Source (or a rectangle of it) copied into Target, then drawn on.
    void DrawCopy(TBitmap* Source, TBitmap* Target);
    void DrawCopyFromRect(TBitmap* Source, const RECT& SourceRect, TBitmap* Target);
    // SourceRect of Source drawn on, then copied onto TargetRect of Target.
    void DrawCutRect(TBitmap* Source, const RECT& SourceRect, TBitmap* Target, const RECT& TargetRect);
    // Source drawn on, then its part at TargetRect copied onto Target there.
    void DrawCopyRect(TBitmap* Source, TBitmap* Target, const RECT& TargetRect);
    void DrawCutRect2(TBitmap* Source, const RECT& SourceRect, TCanvas* Target, const RECT& TargetRect);

    void Assign(TPersistent* Source) override;
    // The effects that apply, "{alpha,FV,GS}", or "{Disabled}".
    std::string GetSetStr() override;

private:
    std::unique_ptr<TSCLAlphaObject> alpha_blend;
    bool buffer_valid = false;
    bool invert = false;
    bool buffered = false;
    bool gray_scale = false;
    bool flip_vertical = false;
    bool flip_horizontal = false;
    bool unused_flag = false;
    std::unique_ptr<TBitmap> buffer;
    TSCLBrightness brightness = 0;
};
