#pragma once
// Pictures: the graphic base, the bitmap with its canvas, scan lines and BMP
// file format, and the icon.

#include <memory>
#include <string>
#include <vector>

#include "platform/classlib/Classes_Streams.h"
#include "platform/classlib/Graphics.h"

class TGraphic : public TPersistent {
public:
    TNotifyEvent OnChange;

    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int value) = 0;
    virtual void SetHeight(int value) = 0;
    virtual bool Transparent() const { return transparent; }
    virtual void SetTransparent(bool value);

    // Draws the whole picture stretched over rect of canvas.
    virtual void Draw(TCanvas* canvas, const RECT& rect) = 0;
    // A corrupt or unsupported picture raises EInvalidGraphic and leaves
    // the graphic as it was.
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) = 0;
    // Raises EFOpenError when the file cannot be opened.
    void LoadFromFile(const std::string& file_name);
    // A new file renamed over the old one once complete.
    void SaveToFile(const std::string& file_name);

protected:
    void Changed();

private:
    bool transparent = false;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

// The pixels live in a GDI bitmap that the canvas draws into: a DIB section
// for pf24bit and pf32bit (so scan lines are the bitmap's own memory: BGR
// triplets or BGRA quads, rows padded to 4 bytes, top row first), a
// monochrome bitmap for black-and-white pf1bit, and 32-bit pixels with a
// colour table for the other indexed formats, which are reduced to their
// table when saved.
class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;

    bool Empty() const override { return storage.width == 0 || storage.height == 0; }
    int Width() const override { return storage.width; }
    int Height() const override { return storage.height; }
    // Resizing keeps the pixels that stay inside; new pixels are white.
    void SetWidth(int value) override { SetSize(value, storage.height); }
    void SetHeight(int value) override { SetSize(storage.width, value); }
    void SetSize(int new_width, int new_height);

    TPixelFormat PixelFormat() const { return storage.format; }
    // Converts the pixels: to pf1bit the nearer of black and white, to
    // pf4bit and pf8bit the nearest colour of a standard table.
    void SetPixelFormat(TPixelFormat value);
    // Row `row` of a pf24bit or pf32bit bitmap; raises EInvalidGraphic for
    // another format or a row outside the bitmap. The pointer reaches that
    // row only, and holds until the canvas next draws or reads: fetch each
    // row again after drawing.
    void* ScanLine(int row);

    TCanvas* Canvas();

    // tmAuto: the colour of the bottom-left pixel; tmFixed: the colour set.
    TColor TransparentColor();
    void SetTransparentColor(TColor value); // switches to tmFixed
    TTransparentMode TransparentMode() const { return transparent_mode; }
    void SetTransparentMode(TTransparentMode value);

    bool Monochrome() const { return storage.mono; }
    // Turning monochrome keeps white pixels white and blackens every other.
    void SetMonochrome(bool value);
    // The bitmap becomes a monochrome mask: white where it had color, black elsewhere.
    void Mask(TColor color);

    HBITMAP Handle();
    // Takes over a bitmap handle (nullptr empties the bitmap).
    void SetHandle(HBITMAP value);
    // Hands the handle to the caller, who deletes it; the bitmap is left empty.
    HBITMAP ReleaseHandle();
    // A palette of the colour table (nullptr without one); owned by the bitmap.
    HPALETTE Palette();

    // From another bitmap (nullptr empties); other sources raise EConvertError.
    void Assign(TPersistent* Source) override;
    void Draw(TCanvas* canvas, const RECT& rect) override;
    // The BMP file format: 1, 4, 8, 24 and 32 bits, BI_RGB.
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    // The pixels stay in memory; nothing to release.
    void Dormant() {}
    void FreeImage() {}

private:
    friend class TBitmapCanvas;
    struct Storage {
        int width = 0;
        int height = 0;
        TPixelFormat format = pfDevice;
        bool mono = false;
        HBITMAP handle = nullptr;
        bool scan_lines = false; // pf24bit or pf32bit over a top-down DIB section
    };

    // Pixels as 0x00RRGGBB, top row first.
    using Pixels = std::vector<std::uint32_t>;
    static Storage Make_Storage(int new_width, int new_height, TPixelFormat new_format, bool mono);
    void Replace(const Storage& next, const Pixels& pixels);
    void Free_Context();
    Pixels Read_Pixels() const;

    Storage storage;
    std::vector<RGBQUAD> color_table;
    HPALETTE palette = nullptr;
    TColor transparent_color = clDefault;
    TTransparentMode transparent_mode = tmAuto;
    std::unique_ptr<TCanvas> canvas;
};

// An icon: a 32-bit picture with alpha, read from and written to the ICO
// file format, drawn blended over the canvas.
class TIcon : public TGraphic {
public:
    TIcon();
    ~TIcon() override;

    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    // An icon's size comes from its file.
    void SetWidth(int value) override;
    void SetHeight(int value) override;

    void Assign(TPersistent* Source) override;
    void Draw(TCanvas* canvas, const RECT& rect) override;
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;

private:
    struct Picture;
    std::unique_ptr<Picture> picture;
};
