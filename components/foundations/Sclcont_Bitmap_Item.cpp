// Bitmap list items: one bitmap each, kept in the item record or, when the
// list names a source, loaded from that source on first use.

#include "components/foundations/Sclcont.h"
#include "components/foundations/Sclcont_Internal.h"
#include "components/foundations/Sclstreamutils.h"
#include "platform/classlib/Resources.h"

namespace {

// Where the folder part of Path ends (after its last "/").
std::size_t Folder_End(const std::string& Path)
{
    const std::size_t slash = Path.rfind('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

// The folder of a container's Path source: Path's own for ppFixed, else the
// prefix's folder.
std::string Source_Directory(const TSCLCustomContainer& Container)
{
    if (Container.Prefix() == ppFixed)
        return Container.Path.substr(0, Folder_End(Container.Path));
    return SCLCreatePathPrefix(Container.Prefix(), true);
}

// The resource library: Path itself in the system folders, else Path's file
// name (with its suffix) in the source folder.
std::string Library_Name(const TSCLCustomContainer& Container)
{
    if (Container.Prefix() == ppWindows || Container.Prefix() == ppSystem)
        return Container.Path;
    return Source_Directory(Container) + Container.Path.substr(Folder_End(Container.Path));
}

} // namespace

// ---- TSCLBitmapListItem ---------------------------------------------------------

TSCLBitmapListItem::TSCLBitmapListItem(TComponent* AOwner)
    : TSCLListItem(AOwner), bitmap(std::make_unique<TBitmap>())
{
}

TSCLBitmapListItem::~TSCLBitmapListItem() = default;

TBitmap* TSCLBitmapListItem::GetBitmap()
{
    const TComponentState state = ComponentState();
    if (bitmap->Empty() && !state.Contains(csDesigning) && !state.Contains(csLoading) && Container())
        LoadOnDemand();
    return bitmap.get();
}

void TSCLBitmapListItem::LoadOnDemand()
{
    TSCLCustomContainer* container = Container();
    container->BeginUpdate();
    try {
        const std::string prefix = SCLCreatePathPrefix(container->Prefix(), true);
        if (container->Source() == sdFile) {
            SCLBMLGetItem(prefix + container->Path, Ident, bitmap.get());
        } else if (container->Source() == sdAppResource) {
            // The program's bitmap resource named by the number; none leaves the bitmap empty.
            const std::string name = std::to_string(Ident);
            if (Bitmap_Resource_Exists(name))
                Load_Bitmap_Resource(bitmap.get(), name);
        } else if (container->Source() == sdPath) {
            const std::string path = container->Path;
            bitmap->LoadFromFile(Source_Directory(*container) + SCLExtractFileName(path).substr(0, 3) +
                                 std::to_string(Ident) + SCLICGetItemSuffix(icBitmap, true));
        } else if (container->Source() == sdLibResource) {
            // A library that lacks the bitmap leaves the item empty.
            SCLBmpLoadFromLibrary(Library_Name(*container), std::to_string(Ident), bitmap.get());
        }
    } catch (...) {
        container->EndUpdate(false);
        throw;
    }
    container->EndUpdate(false);
}

void TSCLBitmapListItem::SetBitmap(TBitmap* Value)
{
    bitmap->Assign(Value);
    Change();
}

void TSCLBitmapListItem::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TSCLBitmapListItem*>(Source);
    if (!source) {
        TSCLListItem::Assign(Source);
        return;
    }
    AssignStd(source);
    bitmap->Assign(source->GetBitmap());
    PixelFormat = source->PixelFormat;
    Change();
}

void TSCLBitmapListItem::FreeData() { bitmap = std::make_unique<TBitmap>(); }

BYTE TSCLBitmapListItem::WriteFlag()
{
    BYTE flags = TSCLListItem::WriteFlag() | PixelFormatFlag(PixelFormat);
    if (!bitmap->Empty())
        flags |= Scl_Flag_Payload;
    return flags;
}

void TSCLBitmapListItem::WriteData(TStream& Stream)
{
    TSCLListItem::WriteData(Stream);
    if (!bitmap->Empty())
        stWriteBitmap(Stream, *bitmap, Compressed, SCLPixelFormatColors[PixelFormat]);
}

void TSCLBitmapListItem::ReadData(TStream& Stream)
{
    const BYTE flags = ReadHeader(Stream);
    PixelFormat = FlagPixelFormat(flags);
    auto next = std::make_unique<TBitmap>();
    if (flags & Scl_Flag_Payload)
        stReadBitmap(Stream, *next, Compressed);
    bitmap = std::move(next);
}
