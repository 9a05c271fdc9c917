#include "platform/classlib/Graphics_Bitmap_Published.h"

#include <cstdint>

#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Graphics_Bitmap.h"

void Register_Bitmap_Data()
{
    // Not through Find_Class_Info: the class library's own registration,
    // which that look-up runs first, calls this too.
    static const bool registered = [] {
        RegisterClass<TBitmap>("TBitmap").DefineProperties([](TBitmap& bitmap, TFiler& filer) {
            filer.DefineBinaryProperty(
                "Data", [&bitmap](TStream& stream) { Read_Bitmap_Data(bitmap, stream); },
                [&bitmap](TStream& stream) { Write_Bitmap_Data(bitmap, stream); }, !bitmap.Empty());
        });
        return true;
    }();
    (void)registered;
}

void Read_Bitmap_Data(TBitmap& Bitmap, TStream& Stream)
{
    std::uint32_t size = 0;
    Stream.ReadBuffer(&size, 4);
    if (size > Stream.Size() - Stream.Position())
        throw EReadError("Bitmap data: a length of " + std::to_string(size) + " beyond the data");
    TBitmap read;
    if (size > 0) {
        TMemoryStream file;
        file.CopyFrom(Stream, size);
        file.SetPosition(0);
        read.LoadFromStream(file);
    }
    Bitmap.Assign(&read);
}

void Write_Bitmap_Data(TBitmap& Bitmap, TStream& Stream)
{
    TMemoryStream file;
    if (!Bitmap.Empty())
        Bitmap.SaveToStream(file);
    const auto size = static_cast<std::uint32_t>(file.Size());
    Stream.WriteBuffer(&size, 4);
    if (size > 0)
        Stream.WriteBuffer(file.Memory(), static_cast<int>(size));
}
