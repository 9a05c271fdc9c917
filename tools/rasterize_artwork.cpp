// rasterize_artwork: renders the artwork's SVG files at their exact pixel
// sizes into BMP files and writes the manifest that make_container reads.
//
//   rasterize_artwork MANIFEST OUTPUT_FOLDER
//
// MANIFEST is in make_container's format and names SVG files (relative to
// its folder). OUTPUT_FOLDER receives one BMP per SVG (same base name):
// strips in 32 bits, bitmaps in 24, and a manifest naming them.
//
// The root element of each SVG tells how it is rendered:
//   width, height         its size in pixels (a strip: all frames side by side)
//   data-key="#rrggbb"    drawn with a key colour: rendered onto transparency,
//                         a pixel keeps its own (un-premultiplied) colour
//                         when its alpha is half or more, every other pixel
//                         takes the key. The key lies in each frame's
//                         bottom-left pixel (a figure covering it is refused)
//                         and nowhere in a figure (such a pixel is nudged by
//                         one blue step).
//   data-background="#rrggbb"  always drawn opaque: the figure laid onto that
//                         colour.
//   data-picture="file.svg"    the drawing comes from that file, scaled to
//                         this size, so that one drawing serves several sizes
//                         and renderings.
//   data-tone="grey"      the figure in light greys (an unreachable device).
// Text is drawn as paths: no font takes part, and the result is the same on
// every machine.

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/classlib/Classes_Streams.h"
#include "platform/classlib/Graphics_Bmp.h"

namespace {

class Artwork_Error : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Entry {
    std::string kind;
    std::string ident;
    std::string name;
    std::string file;
    std::string size;
    int frame_width = 0;
    int frame_height = 0;
    int frames = 1;
    std::string option;
};

struct Svg_Settings {
    std::filesystem::path drawing;
    int width = 0;
    int height = 0;
    bool keyed = false;
    QRgb colour = 0; // the key, or the background
    bool grey = false;
};

Entry Parse_Entry(const std::string& text)
{
    std::istringstream line(text);
    Entry entry;
    line >> entry.kind >> entry.ident >> std::quoted(entry.name) >> entry.file;
    if (!line || (entry.kind != "bitmap" && entry.kind != "strip"))
        throw Artwork_Error("expected: bitmap|strip <ident> \"<name>\" <file> ...");
    if (entry.kind == "bitmap")
        return entry;
    char by = 0;
    line >> entry.size >> entry.frames >> entry.option;
    std::istringstream size(entry.size);
    size >> entry.frame_width >> by >> entry.frame_height;
    if (!size || by != 'x' || entry.frame_width < 1 || entry.frame_height < 1 || entry.frames < 1)
        throw Artwork_Error("a strip needs <width>x<height> and a frame count of at least 1");
    return entry;
}

QRgb Parse_Colour(const QString& text)
{
    bool ok = text.size() == 7 && text[0] == '#';
    const unsigned value = ok ? text.mid(1).toUInt(&ok, 16) : 0;
    if (!ok)
        throw Artwork_Error("a colour is written #rrggbb, not \"" + text.toStdString() + "\"");
    return qRgb((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

int Parse_Pixels(const QXmlStreamAttributes& attributes, const char* name)
{
    bool ok = false;
    const int value = attributes.value(name).toInt(&ok);
    if (!ok || value < 1)
        throw Artwork_Error(std::string("the root element needs a whole ") + name + " in pixels");
    return value;
}

Svg_Settings Read_Settings(const std::filesystem::path& svg)
{
    QFile file(QString::fromStdString(svg.string()));
    if (!file.open(QIODevice::ReadOnly))
        throw Artwork_Error("cannot open " + svg.string());
    QXmlStreamReader reader(&file);
    while (!reader.atEnd() && !reader.isStartElement())
        reader.readNext();
    if (!reader.isStartElement() || reader.name() != QLatin1String("svg"))
        throw Artwork_Error(svg.string() + " is not an SVG file");
    const QXmlStreamAttributes attributes = reader.attributes();
    Svg_Settings settings;
    settings.width = Parse_Pixels(attributes, "width");
    settings.height = Parse_Pixels(attributes, "height");
    const bool keyed = attributes.hasAttribute("data-key");
    if (keyed == attributes.hasAttribute("data-background"))
        throw Artwork_Error(svg.string() + " needs exactly one of data-key and data-background");
    settings.keyed = keyed;
    settings.colour = Parse_Colour(attributes.value(keyed ? "data-key" : "data-background").toString());
    settings.grey = attributes.value("data-tone") == QLatin1String("grey");
    const QString picture = attributes.value("data-picture").toString();
    settings.drawing = picture.isEmpty() ? svg : svg.parent_path() / picture.toStdString();
    return settings;
}

QImage Render(const Svg_Settings& settings)
{
    QSvgRenderer renderer(QString::fromStdString(settings.drawing.string()));
    if (!renderer.isValid())
        throw Artwork_Error("cannot render " + settings.drawing.string());
    QImage image(settings.width, settings.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, settings.width, settings.height));
    return image;
}

QRgb Grey_Tone(QRgb colour)
{
    const int luminance = (qRed(colour) * 299 + qGreen(colour) * 587 + qBlue(colour) * 114) / 1000;
    const int grey = 112 + luminance / 2;
    return qRgb(grey, grey, grey);
}

// The figure's own colour of a rendered pixel of alpha above 0.
QRgb Figure_Colour(QRgb premultiplied, const Svg_Settings& settings)
{
    const QRgb colour = qUnpremultiply(premultiplied) | 0xFF000000;
    return settings.grey ? Grey_Tone(colour) : colour;
}

// Mostly transparent pixels take the key; the figure never does.
QRgb Keyed_Pixel(QRgb premultiplied, const Svg_Settings& settings)
{
    if (qAlpha(premultiplied) < 128)
        return settings.colour;
    const QRgb colour = Figure_Colour(premultiplied, settings);
    return (colour & 0xFFFFFF) == (settings.colour & 0xFFFFFF) ? colour ^ 1 : colour;
}

// The figure laid over the background, its edges blended.
QRgb Opaque_Pixel(QRgb premultiplied, const Svg_Settings& settings)
{
    const int alpha = qAlpha(premultiplied);
    if (alpha == 0)
        return settings.colour;
    const QRgb figure = Figure_Colour(premultiplied, settings);
    const auto mix = [alpha](int over, int under) { return (over * alpha + under * (255 - alpha) + 127) / 255; };
    return qRgb(mix(qRed(figure), qRed(settings.colour)), mix(qGreen(figure), qGreen(settings.colour)),
                mix(qBlue(figure), qBlue(settings.colour)));
}

Bmp_Picture To_Picture(const QImage& image, const Svg_Settings& settings, int bits)
{
    Bmp_Picture picture;
    picture.width = image.width();
    picture.height = image.height();
    picture.bits_per_pixel = bits;
    picture.pixels.reserve(static_cast<std::size_t>(picture.width) * picture.height);
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = settings.keyed ? Keyed_Pixel(row[x], settings) : Opaque_Pixel(row[x], settings);
            picture.pixels.push_back(pixel & 0xFFFFFF);
        }
    }
    return picture;
}

void Check_Frame_Corners(const QImage& image, int frame_width)
{
    for (int x = 0; x < image.width(); x += frame_width) {
        if (qAlpha(image.pixel(x, image.height() - 1)) >= 128)
            throw Artwork_Error("the figure covers the bottom-left pixel of frame " +
                                std::to_string(x / frame_width) + ", where the key colour belongs");
    }
}

void Check_Size(const Entry& entry, const Svg_Settings& settings)
{
    if (entry.kind != "strip")
        return;
    if (settings.width != entry.frame_width * entry.frames || settings.height != entry.frame_height)
        throw Artwork_Error("the SVG is " + std::to_string(settings.width) + "x" + std::to_string(settings.height) +
                            ", not " + std::to_string(entry.frames) + " frames of " + entry.size);
}

void Rasterize(const Entry& entry, const std::filesystem::path& svg, const std::filesystem::path& bmp)
{
    const Svg_Settings settings = Read_Settings(svg);
    Check_Size(entry, settings);
    const QImage image = Render(settings);
    if (settings.keyed)
        Check_Frame_Corners(image, entry.kind == "strip" ? entry.frame_width : image.width());
    TMemoryStream stream;
    Write_Bmp(stream, To_Picture(image, settings, entry.kind == "strip" ? 32 : 24));
    stream.SaveToFile(bmp.string());
}

std::string Output_Line(const Entry& entry, const std::string& bmp_name)
{
    std::ostringstream line;
    line << entry.kind << ' ' << entry.ident << ' ' << std::quoted(entry.name) << ' ' << bmp_name;
    if (entry.kind == "strip")
        line << ' ' << entry.size << ' ' << entry.frames << (entry.option.empty() ? "" : " ") << entry.option;
    return line.str();
}

void Rasterize_Manifest(const std::filesystem::path& manifest, const std::filesystem::path& folder)
{
    std::ifstream file(manifest);
    if (!file)
        throw Artwork_Error("cannot open " + manifest.string());
    std::filesystem::create_directories(folder);
    std::ostringstream output;
    std::string text;
    for (int number = 1; std::getline(file, text); ++number) {
        if (text.find_first_not_of(" \t\r") == std::string::npos || text[0] == '#')
            continue;
        try {
            const Entry entry = Parse_Entry(text);
            const std::string bmp_name = std::filesystem::path(entry.file).stem().string() + ".bmp";
            Rasterize(entry, manifest.parent_path() / entry.file, folder / bmp_name);
            output << Output_Line(entry, bmp_name) << '\n';
        } catch (const std::exception& e) {
            throw Artwork_Error(manifest.string() + ":" + std::to_string(number) + ": " + e.what());
        }
    }
    // Written last, so that a failure leaves no manifest for make_container.
    std::ofstream(folder / "manifest") << output.str();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: rasterize_artwork MANIFEST OUTPUT_FOLDER\n";
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[2];
        std::filesystem::remove(folder / "manifest");
        Rasterize_Manifest(argv[1], folder);
    } catch (const std::exception& e) {
        std::cerr << "rasterize_artwork: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
