// The process-wide container, the form component that fills its lists, and
// the identifiers that name its lists in stored forms.

#include "components/foundations/Sclcont.h"

#include <algorithm>
#include <array>

#include "components/foundations/Sclclass.h"
#include "components/foundations/Sclcont_Internal.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"
#include "platform/classlib/SysUtils.h"

TSCLContainer* SCLContainer = new TSCLContainer(nullptr);

namespace {

constexpr std::array<const char*, 4> List_Names = {"BitmapList", "ImageList", "WaveList", "StringList"};
constexpr BYTE Refused_Selector = 255;

// Forms store the lists as binary properties named after them.
const bool Container_Ctrl_Registered = [] {
    RegisterComponentClass<TSCLContainerCtrl, TComponent>("TSCLContainerCtrl")
        .DefineProperties([](TSCLContainerCtrl& control, TFiler& filer) {
            for (const char* name : List_Names)
                filer.DefineBinaryProperty(
                    name, [&control, name](TStream& stream) { control.ReadList(name, stream); },
                    [&control, name](TStream& stream) { control.WriteList(name, stream); }, control.HasList(name));
        });
    return true;
}();

} // namespace

// ---- The global container --------------------------------------------------------

TSCLContainer::TSCLContainer(TComponent* AOwner)
    : TSCLBaseContainer(AOwner), bitmap_list(new TSCLBitmapList(this)), image_list(new TSCLImageList(this)),
      wave_list(nullptr), string_list(new TSCLStringList(this))
{
    // Made in this order, though the fields keep the wave list before the strings.
    wave_list = new TSCLWaveList(this);
    for (TSCLCustomContainer* list : Lists())
        list->OnChange = [this](TObject* Sender) { GetChange(Sender); };
}

TSCLContainer::~TSCLContainer()
{
    for (TSCLCustomContainer* list : Lists())
        list->OnChange = nullptr;
}

void TSCLContainer::GetChange(TObject* Sender)
{
    if (ComponentState().Contains(csDesigning) && this != SCLContainer && SCLContainer) {
        if (Sender == bitmap_list)
            SCLContainer->BitmapList()->Assign(bitmap_list);
        else if (Sender == image_list)
            SCLContainer->ImageList()->Assign(image_list);
        else if (Sender == wave_list)
            SCLContainer->WaveList()->Assign(wave_list);
        else if (Sender == string_list)
            SCLContainer->StringList()->Assign(string_list);
    }
    TSCLBaseContainer::GetChange(Sender);
}

// ---- TSCLContainerCtrl -----------------------------------------------------------

TSCLContainerCtrl::TSCLContainerCtrl(TComponent* AOwner) : TSCLCustomComponent(AOwner)
{
    if (!ComponentState().Contains(csDesigning)) {
        container = SCLContainer;
        return;
    }
    if (SCLCheckForSameClass<TSCLContainerCtrl>(AOwner)) {
        selector = Refused_Selector;
        throw SCLEOneInstError(ClassName(), 0);
    }
    container = new TSCLContainer(this);
}

TSCLContainerCtrl::~TSCLContainerCtrl()
{
    if (container != SCLContainer)
        delete container;
}

TSCLCustomContainer* TSCLContainerCtrl::SelectList(const std::string& Name)
{
    auto found = std::find_if(List_Names.begin(), List_Names.end(), [&](const char* n) { return Name == n; });
    const auto index = static_cast<std::size_t>(found - List_Names.begin());
    if (found == List_Names.end())
        throw EReadError(Format("%s: no list named %s", ClassName(), Name));
    selector = static_cast<BYTE>(index + 1);
    const std::array<TSCLCustomContainer*, 4> lists = {container->BitmapList(), container->ImageList(),
                                                       container->WaveList(), container->StringList()};
    return lists[index];
}

void TSCLContainerCtrl::ReadList(const std::string& Name, TStream& Stream) { SelectList(Name)->LoadFromStream(Stream); }

void TSCLContainerCtrl::WriteList(const std::string& Name, TStream& Stream) { SelectList(Name)->SaveToStream(Stream); }

bool TSCLContainerCtrl::HasList(const std::string& Name) { return !SelectList(Name)->Empty(); }

void TSCLContainerCtrl::Notification(TComponent* AComponent, TOperation Operation)
{
    TSCLCustomComponent::Notification(AComponent, Operation);
    if (ComponentState().Contains(csDesigning) && Operation == opRemove && AComponent == this &&
        selector < Refused_Selector) {
        for (TSCLCustomContainer* list : SCLContainer->Lists())
            list->Clear();
    }
}

// ---- Global identifiers ----------------------------------------------------------

TSCLCustomImageList* SCLGlobalList(const std::string& Ident)
{
    if (!SCLContainer)
        return nullptr;
    if (Ident == Scl_List_Idents[icBitmap])
        return SCLContainer->BitmapList();
    if (Ident == Scl_List_Idents[icImageList])
        return SCLContainer->ImageList();
    return nullptr;
}

std::string SCLGlobalIdent(const TSCLCustomImageList* List)
{
    if (!List || !SCLContainer)
        return {};
    if (List == SCLContainer->BitmapList())
        return Scl_List_Idents[icBitmap];
    if (List == SCLContainer->ImageList())
        return Scl_List_Idents[icImageList];
    return {};
}

TSCLCustomImageList* SCLReadGlobalIdent(TReader& Reader) { return SCLGlobalList(Reader.ReadString()); }

void SCLWriteGlobalIdent(TWriter& Writer, const TSCLCustomImageList* List)
{
    const std::string ident = SCLGlobalIdent(List);
    if (!ident.empty())
        Writer.WriteString(ident);
}

bool SCLIsGlobalIdent(const TSCLCustomImageList* List) { return !SCLGlobalIdent(List).empty(); }
