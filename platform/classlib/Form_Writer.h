#pragma once
// The form-resource writer: a component and the components inside it
// (controls on a control, owned components at the root) in the text form
// format, with each published property that differs from its class's
// default, sub-object properties as Font.Name, pseudo-properties from
// DefineProperties, and events whose handler the form table names.

#include <optional>
#include <string>
#include <vector>

#include "platform/classlib/Class_Registry.h"

class TWriter : public TFiler {
public:
    // Root: the component written as the root object; Table names its handlers.
    TWriter(TComponent* Root, const TForm_Table& Table);

    TFormObject Write_Root();
    TComponent* Root() const { return root; }

    // The value of a pseudo-property, for the WriteData of DefineProperty.
    void WriteInteger(std::int64_t Value);
    void WriteString(const std::string& Value);
    void WriteIdent(const std::string& Value);
    void WriteBoolean(bool Value);
    void WriteFloat(double Value);
    void WriteListBegin();
    void WriteListEnd();

    void DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                              bool HasData) override;

    // For the property tables.
    std::vector<TFormProperty> Write_Properties(const TClassInfo& Info, void* Instance);
    std::optional<std::string> Handler_Name(const void* Event, std::type_index Event_Type) const;

private:
    TFormObject Write_Object(TComponent* Component);
    void Write_Into(const TClassInfo& Info, void* Instance, const std::string& Prefix, std::vector<TFormProperty>& Out);
    void Put(TFormValue Value);
    void Add_Defined(const std::string& Name, TFormValue Value);
    std::vector<TComponent*> Children(TComponent* Component) const;

    TComponent* root;
    const TForm_Table& table;
    std::vector<TComponent*> written;

    // The pseudo-properties being written.
    std::vector<TFormProperty>* defined_out = nullptr;
    std::string defined_prefix;
    std::vector<TFormValue> values;
    std::vector<TFormValue> lists;
};

// The text of an object tree.
std::string Form_Text(const TFormObject& Object);
// The text of Component and the components inside it.
std::string WriteComponentText(TComponent* Component);
std::string WriteComponentText(TComponent* Component, const TForm_Table& Table);
