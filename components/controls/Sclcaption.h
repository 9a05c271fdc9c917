#pragma once
// A caption text with its font, effect caption, alignment and line mode,
// and its drawing. Controls own one as a sub-object and repaint on its
// change notification.

#include <memory>
#include <string>

#include "components/foundations/Sclfxcaption.h"
#include "components/foundations/Sclgraph.h"
#include "components/foundations/Sclobject.h"
#include "platform/classlib/Graphics.h"

class TSCLCaption : public TSCLObject {
public:
    TSCLCaption();
    // A caption that draws its own text when the caller gives none; a font
    // name is taken when not empty, a size when above 0.
    TSCLCaption(const std::string& Caption, const std::string& FontName, int FontSize, TColor FontColor,
                TNotifyEvent OnChange);
    ~TSCLCaption() override;
    TSCLCaption(const TSCLCaption&) = delete;
    TSCLCaption& operator=(const TSCLCaption&) = delete;

    TSCLAlignment Alignment() const { return alignment; }
    const std::string& Caption() const { return caption; }
    TFont* Font() const { return font.get(); }
    TSCLFxCaption* FontFX() const { return font_fx.get(); }
    bool MultiLine() const { return multi_line; }
    bool UseOwnCaption() const { return use_own_caption; }

    void SetAlignment(TSCLAlignment Value);
    void SetCaption(const std::string& Value);
    void SetMultiLine(bool Value);
    // Assign into the owned objects.
    void SetFont(TFont* Value);
    void SetFontFx(TSCLFxCaption* Value);

    // A rotated text needs a TrueType font: a new non-TrueType font resets
    // the angle, a new angle on such a font switches it to "Arial". Then
    // one change notification.
    void FontChanged(TObject* Sender);

    // From another caption: font, effect caption, alignment, text and line
    // mode, one notification.
    void Assign(TPersistent* Source) override;
    // The caption in braces.
    std::string GetSetStr() override;

    // Draws Text (or, when empty and the caption draws its own, Caption) in
    // Rect with Flags over TSCLDrawTextStyle bits; Color is the brush
    // colour. With dtClip the text is clipped to Rect, moved by (low word,
    // high word) of Extra when Extra is not 0.
    void DrawCaption(TCanvas* Canvas, const std::string& Text, const RECT& Rect, TSCLDrawTextStyles Flags,
                     TColor Color, int Extra);

private:
    void Wire_Owned_Objects();
    int Text_Format(TSCLDrawTextStyles Flags, RECT& Rect, const std::string& Text) const;

    std::unique_ptr<TFont> font;
    std::unique_ptr<TSCLFxCaption> font_fx;
    TSCLAlignment alignment = agCenter;
    std::string caption;
    bool multi_line = false;
    bool use_own_caption = false;
};
