// make_container: writes the stored data of a form's container control
// from image files and a manifest, through the library's own lists, so that
// the program loads it with the same reader.
//
//   make_container MANIFEST OUTPUT_FOLDER
//
// Manifest, one entry a line (blank lines and lines starting with '#'
// ignored; files relative to the manifest's folder):
//   bitmap <ident> "<name>" <file>
//   strip  <ident> "<name>" <file> <frame width>x<frame height> <frames> [masked]
// Bitmaps fill the bitmap list and strips the image list, in manifest
// order. The output folder receives MainContainer.txt, the container
// control's object in the text form format (its lists as binary
// properties), and BitmapList.dat and ImageList.dat, each the list data the
// control stores under that name.

#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>

#include "components/foundations/Sclcont.h"
#include "platform/classlib/Form_Writer.h"

namespace {

class Manifest_Error : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Entry {
    std::string kind;
    int ident = 0;
    std::string name;
    std::filesystem::path file;
    int frame_width = 0;
    int frame_height = 0;
    int frames = 0;
    bool masked = false;
};

void Parse_Frames(std::istringstream& line, Entry& entry)
{
    std::string size;
    std::string option;
    char by = 0;
    line >> size >> entry.frames >> option;
    std::istringstream size_text(size);
    size_text >> entry.frame_width >> by >> entry.frame_height;
    if (!size_text || by != 'x' || entry.frame_width < 1 || entry.frame_height < 1 || entry.frames < 1)
        throw Manifest_Error("a strip needs <width>x<height> and a frame count of at least 1");
    if (!option.empty() && option != "masked")
        throw Manifest_Error("unknown option \"" + option + "\"");
    entry.masked = option == "masked";
}

Entry Parse_Entry(const std::string& text, const std::filesystem::path& folder)
{
    std::istringstream line(text);
    Entry entry;
    std::string file;
    line >> entry.kind >> entry.ident >> std::quoted(entry.name) >> file;
    if (!line || (entry.kind != "bitmap" && entry.kind != "strip"))
        throw Manifest_Error("expected: bitmap|strip <ident> \"<name>\" <file> ...");
    if (entry.ident < 0 || entry.ident > 0xFFFF)
        throw Manifest_Error("an ident is 0 to 65535");
    entry.file = folder / file;
    if (entry.kind == "strip")
        Parse_Frames(line, entry);
    return entry;
}

void Add_Bitmap(const Entry& entry, TBitmap& picture)
{
    TSCLBitmapList* list = SCLContainer->BitmapList();
    auto* item = list->Items(list->Add());
    item->SetBitmap(&picture);
    item->Description = entry.name;
    item->Ident = static_cast<WORD>(entry.ident);
}

void Add_Strip(const Entry& entry, TBitmap& picture)
{
    if (picture.Width() != entry.frame_width * entry.frames || picture.Height() != entry.frame_height)
        throw Manifest_Error(entry.file.string() + " is " + std::to_string(picture.Width()) + "x" +
                             std::to_string(picture.Height()) + ", not " + std::to_string(entry.frames) +
                             " frames of " + std::to_string(entry.frame_width) + "x" +
                             std::to_string(entry.frame_height));
    TSCLImageList* list = SCLContainer->ImageList();
    auto* item = list->Items(list->Add());
    item->ConvertBmpToIML(&picture, entry.frames, entry.masked);
    item->Description = entry.name;
    item->Ident = static_cast<WORD>(entry.ident);
}

void Read_Manifest(const std::filesystem::path& manifest)
{
    std::ifstream file(manifest);
    if (!file)
        throw Manifest_Error("cannot open " + manifest.string());
    std::string text;
    for (int number = 1; std::getline(file, text); ++number) {
        if (text.find_first_not_of(" \t\r") == std::string::npos || text[0] == '#')
            continue;
        try {
            const Entry entry = Parse_Entry(text, manifest.parent_path());
            TBitmap picture;
            picture.LoadFromFile(entry.file.string());
            if (entry.kind == "bitmap")
                Add_Bitmap(entry, picture);
            else
                Add_Strip(entry, picture);
        } catch (const std::exception& e) {
            throw Manifest_Error(manifest.string() + ":" + std::to_string(number) + ": " + e.what());
        }
    }
}

void Write_List(TSCLContainerCtrl& control, const std::string& name, const std::filesystem::path& folder)
{
    TMemoryStream data;
    control.WriteList(name, data);
    data.SaveToFile((folder / (name + ".dat")).string());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_container MANIFEST OUTPUT_FOLDER\n";
        return 2;
    }
    try {
        Read_Manifest(argv[1]);
        const std::filesystem::path folder = argv[2];
        std::filesystem::create_directories(folder);
        TSCLContainerCtrl control(nullptr);
        control.SetName("MainContainer");
        Write_List(control, "BitmapList", folder);
        Write_List(control, "ImageList", folder);
        TMemoryStream text;
        const std::string form = WriteComponentText(&control);
        text.WriteBuffer(form.data(), static_cast<int>(form.size()));
        text.SaveToFile((folder / "MainContainer.txt").string());
    } catch (const std::exception& e) {
        std::cerr << "make_container: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
