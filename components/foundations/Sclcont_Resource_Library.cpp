// Bitmaps read from a bitmap file or from a resource library.

#include "components/foundations/Sclcont.h"

#include <dlfcn.h>

#include "platform/classlib/SysUtils.h"

namespace {

constexpr const char* Resource_Lookup = "SCLBitmapResource";
using Resource_Lookup_Function = const unsigned char* (*)(const char*, unsigned int*);

bool Is_Bitmap_File(const std::string& FileName)
{
    TFileStream file(FileName, fmOpenRead);
    char magic[2] = {};
    return file.Read(magic, 2) == 2 && magic[0] == 'B' && magic[1] == 'M';
}

// Bitmap takes the bitmap file in Bytes; damaged bytes leave it unchanged.
bool Load_Bitmap_Bytes(const unsigned char* Bytes, unsigned int Size, TBitmap* Bitmap)
{
    TMemoryStream stream;
    stream.WriteBuffer(Bytes, static_cast<int>(Size));
    stream.SetPosition(0);
    TBitmap read;
    read.LoadFromStream(stream);
    Bitmap->Assign(&read);
    return true;
}

} // namespace

bool SCLBmpLoadFromLibrary(const std::string& FileName, const std::string& Name, TBitmap* Bitmap)
{
    void* library = dlopen(FileName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return false;
    bool loaded = false;
    try {
        const auto lookup = reinterpret_cast<Resource_Lookup_Function>(dlsym(library, Resource_Lookup));
        unsigned int size = 0;
        const unsigned char* bytes = lookup ? lookup(Name.c_str(), &size) : nullptr;
        loaded = bytes && size > 0 && Load_Bitmap_Bytes(bytes, size, Bitmap);
    } catch (const Exception&) {
        loaded = false;
    }
    dlclose(library);
    return loaded;
}

bool SCLBmpLoadFromFile(const std::string& FileName, WORD Ident, TBitmap* Bitmap)
{
    try {
        if (!Is_Bitmap_File(FileName))
            return SCLBmpLoadFromLibrary(FileName, std::to_string(Ident), Bitmap);
        TBitmap read;
        read.LoadFromFile(FileName);
        Bitmap->Assign(&read);
        return true;
    } catch (const Exception&) {
        return false;
    }
}
