#include "platform/classlib/Resources.h"

#include <QCursor>
#include <QFile>
#include <QImage>
#include <QPixmap>

#include <cstring>

#include "platform/winapi/Cursor.h"

namespace {

struct Cursor_Resource {
    const char* name; // the picture's name, and the resource's unless numbered
    WORD number;      // a numbered resource's number, else 0
    int hot_x;
    int hot_y;
};

// The grab hand is held at its palm; the component library's hand points
// with its fingertip.
constexpr Cursor_Resource cursor_resources[] = {{"GRABCURSOR", 0, 16, 16}, {"SCLHANDCURSOR", 16548, 5, 0}};

QString Resource_Key(const std::string& name) { return QString::fromStdString(name).toUpper(); }

// The resource file holding a bitmap, or an empty string.
QString Bitmap_Path(const std::string& name)
{
    for (const char* extension : {".bmp", ".png"}) {
        const QString path = QStringLiteral(":/bitmaps/") + Resource_Key(name) + QLatin1String(extension);
        if (QFile::exists(path))
            return path;
    }
    return {};
}

} // namespace

void Image_To_Bitmap(const QImage& Image, TBitmap* Bitmap)
{
    const QImage pixels = Image.convertToFormat(QImage::Format_RGB32);
    Bitmap->SetPixelFormat(pf32bit);
    Bitmap->SetSize(pixels.width(), pixels.height());
    for (int row = 0; row < pixels.height(); ++row)
        std::memcpy(Bitmap->ScanLine(row), pixels.constScanLine(row), static_cast<std::size_t>(pixels.width()) * 4);
}

bool Bitmap_Resource_Exists(const std::string& Name) { return !Bitmap_Path(Name).isEmpty(); }

void Load_Bitmap_Resource(TBitmap* Bitmap, const std::string& Name)
{
    const QString path = Bitmap_Path(Name);
    if (path.isEmpty())
        throw EResNotFound("Resource " + Name + " not found");
    QImage image(path);
    if (image.isNull())
        throw EInvalidGraphic("Bitmap resource " + Name + " is not a valid picture");
    Image_To_Bitmap(image, Bitmap);
}

void Register_Cursor_Resources()
{
    for (const Cursor_Resource& resource : cursor_resources) {
        const LPCSTR name = resource.number ? MAKEINTRESOURCEA(resource.number) : resource.name;
        Register_Cursor_Resource(name, std::function<QCursor()>([resource] {
            const QPixmap picture(QStringLiteral(":/cursors/") + QLatin1String(resource.name) + QStringLiteral(".png"));
            return picture.isNull() ? QCursor(Qt::ArrowCursor) : QCursor(picture, resource.hot_x, resource.hot_y);
        }));
    }
}
