#pragma once
// The form-resource reader: builds a component tree from the text form
// format. Components are created by class name through the class
// registry, owned by the root, placed under the block they are read in,
// and given their published properties by name; references to other
// components are resolved once the whole tree is read; then the root's
// fields are filled from its form table and every component read gets
// Loaded, root first, in reading order.
//
// A form loads its resource, named after its class, as the first step of
// its constructor's body (so that the rest of the constructor finds its
// components):
//
//   TForm_Main::TForm_Main(TComponent* AOwner) : TForm(AOwner)
//   {
//       InitInheritedComponent(this, Form_Table());
//       ...
//   }
//
// Any fault (an unknown class or property, a value of the wrong type, a
// handler or component that does not exist) raises EReadError naming the
// form, the component and the property.

#include <functional>
#include <string>
#include <vector>

#include "platform/classlib/Class_Registry.h"

class EResNotFound : public Exception {
    using Exception::Exception;
};

class TReader : public TFiler {
public:
    // Root: the component the resource's root object describes;
    // Table: Root's fields and handlers; Source names the resource.
    TReader(TComponent* Root, const TForm_Table& Table, std::string Source);

    // Reads the tree into Root.
    void Read_Root(const TFormObject& Object);
    TComponent* Root() const { return root; }

    // The values of a pseudo-property, for the ReadData of DefineProperty;
    // each raises EPropertyError for a value of another kind.
    std::int64_t ReadInteger();
    std::string ReadString();
    std::string ReadIdent();
    bool ReadBoolean();
    double ReadFloat();
    void ReadListBegin();
    bool EndOfList();
    void ReadListEnd();

    void DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                              bool HasData) override;

    // For the property tables.
    void Add_Fixup(const std::string& Name, std::function<void(TComponent*)> Apply);
    std::any Handler(const std::string& Name, std::type_index Event_Type);
    void Read_Properties(const TClassInfo& Info, void* Instance, const std::vector<TFormProperty>& Properties);

private:
    struct TFixup {
        std::string Component;
        std::string Property;
        std::string Name;
        std::function<void(TComponent*)> Apply;
    };

    std::string Unique_Root_Name(const std::string& Name) const;
    void Read_Object(const TFormObject& Object, TComponent* Component);
    TComponent* Read_Child(const TFormObject& Object, TComponent* Parent);
    void Read_Property(const TClassInfo& Info, void* Instance, const std::string& Path, const TFormValue& Value);
    bool Read_Defined(const TClassInfo& Info, void* Instance, const std::string& Name, const TFormValue& Value);
    const TFormValue& Next_Value();
    void Resolve_Fixups();
    void Bind_Fields();
    [[noreturn]] void Fault(const std::string& Property, const std::string& What) const;

    TComponent* root;
    const TForm_Table& table;
    std::string source;
    std::string form_name;
    std::string component_name;
    std::string property_name;
    std::vector<TComponent*> loaded;
    std::vector<TFixup> fixups;

    // The pseudo-property being read.
    std::string defined_name;
    const TFormValue* defined_value = nullptr;
    bool defined_found = false;
    bool value_taken = false;
    std::vector<std::pair<const std::vector<TFormValue>*, std::size_t>> lists;
};

// The text of the form resource Name (":/forms/<Name>", any case); raises
// EResNotFound when the program has none.
std::string Form_Resource_Text(const std::string& Name);
// Reads the resource named after Form's class into Form.
void InitInheritedComponent(TComponent* Form, const TForm_Table& Table);
// Reads a form text into Root; Source names it in messages.
void ReadComponentText(const std::string& Text, const std::string& Source, TComponent* Root,
                       const TForm_Table& Table);
// Creates the text's root component by its class name, owned by Owner,
// and reads the text into it.
TComponent* CreateComponentFromText(const std::string& Text, const std::string& Source, TComponent* Owner);
