#pragma once
// What the panel and control tests share: a borderless white form, a
// pattern bitmap whose every pixel tells where it lies, a transparent
// windowless child that paints the background its parent offers, and a
// stand-in for the form's shape component.

#include <QImage>
#include <QWidget>

#include <memory>

#include "components/controls/SCLCustomControl.h"
#include "components/controls/Sclbasegraphiccontrol.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Graphics_Bitmap.h"
#include "platform/winapi/Window.h"

namespace back_test {

inline void Pump()
{
    for (int i = 0; i < 3; ++i)
        Application->ProcessMessages();
}

// What the screen shows of a form, child windows included.
inline QImage Shown(TCustomForm* form)
{
    Pump();
    return Window_Widget(form->Handle())->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The colour of pixel (x, y) of a pattern bitmap: red = x, green = y.
inline TColor Pattern_Color(int x, int y)
{
    return static_cast<TColor>(RGB(x & 0xFF, y & 0xFF, 0x80));
}

inline QRgb Rgb_Of(TColor color)
{
    const COLORREF rgb = ColorToRGB(color);
    return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

inline std::unique_ptr<TBitmap> Pattern_Bitmap(int width, int height)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap->Canvas()->SetPixels(x, y, Pattern_Color(x, y));
    return bitmap;
}

class Test_Form : public TForm {
public:
    Test_Form() : TForm(nullptr)
    {
        SetBorderStyle(bsNone);
        SetBounds(30, 30, 240, 180);
        SetColor(clWhite);
    }
};

// A transparent windowless control painting what its parent offers under
// it, or its Color when nothing is offered.
class Back_Child : public TSCLBaseGraphicControl {
public:
    Back_Child(TWinControl* parent, RECT bounds, TColor color) : TSCLBaseGraphicControl(parent)
    {
        SetBoundsRect(bounds);
        SetColor(color);
        SetParent(parent);
    }
    int Paints = 0;
    int Changes = 0;

    void GetChange(TObject* Sender) override
    {
        ++Changes;
        TSCLBaseGraphicControl::GetChange(Sender);
    }

protected:
    void Paint() override
    {
        ++Paints;
        TSCLBackProvider* provider = SCLParentBackProvider(this);
        if (CheckOptimized() && provider &&
            provider->BackDrawArea(Canvas(), ClientRect(), POINT{Left(), Top()}, 0))
            return;
        FillControl();
    }
};

// Stands in for the form's shape: a bitmap of the form's client size.
class Fake_Shape : public TComponent, public TSCLFormBackProvider {
public:
    Fake_Shape(TComponent* form, int width, int height) : TComponent(form), bitmap(Pattern_Bitmap(width, height)) {}
    bool Offers = true;

    TBitmap* BackBitmap() override { return Offers ? bitmap.get() : nullptr; }
    bool BackBitmapCheck() override { return Offers; }
    bool BackDrawArea(TCanvas* Canvas, const RECT& Dest, POINT Src, WORD) override
    {
        if (!Offers)
            return false;
        const RECT source{Src.x, Src.y, Src.x + Dest.right - Dest.left, Src.y + Dest.bottom - Dest.top};
        Canvas->CopyRect(Dest, bitmap->Canvas(), source);
        return true;
    }
    POINT BackMapPoint(POINT P) override { return P; }

private:
    std::unique_ptr<TBitmap> bitmap;
};

} // namespace back_test
