#include "platform/classlib/Form_Reader.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <typeinfo>

namespace {

const char* const forms_folder = ":/forms";

const TForm_Table& Empty_Table()
{
    static const TForm_Table table;
    return table;
}

} // namespace

// ---- Services for the property tables ---------------------------------------

void Add_Reference_Fixup(TReader& Reader, const std::string& Name, std::function<void(TComponent*)> Apply)
{
    Reader.Add_Fixup(Name, std::move(Apply));
}

std::any Find_Handler(TReader& Reader, const std::string& Name, std::type_index Event_Type)
{
    return Reader.Handler(Name, Event_Type);
}

void Read_Object_Properties(TReader& Reader, const TClassInfo& Info, void* Instance,
                            const std::vector<TFormProperty>& Properties)
{
    Reader.Read_Properties(Info, Instance, Properties);
}

// ---- TReader -------------------------------------------------------------------

TReader::TReader(TComponent* Root, const TForm_Table& Table, std::string Source)
    : root(Root), table(Table), source(std::move(Source))
{
}

void TReader::Fault(const std::string& Property, const std::string& What) const
{
    std::string message = "Error reading " + source + ": form " + form_name;
    if (!component_name.empty())
        message += ", component " + component_name;
    if (!Property.empty())
        message += ", property " + Property;
    throw EReadError(message + ": " + What);
}

void TReader::Read_Root(const TFormObject& Object)
{
    form_name = Object.Name.empty() ? Object.Class_Name : Object.Name;
    component_name = form_name;
    if (!Same_Ident(Object.Class_Name, root->ClassName()))
        Fault("", "the resource describes a " + Object.Class_Name + ", not a " + root->ClassName());
    root->SetLoading(true);
    root->SetReading(true);
    loaded.push_back(root);
    if (!Object.Name.empty()) {
        try {
            root->SetName(Unique_Root_Name(Object.Name));
        } catch (const Exception& error) {
            Fault("Name", error.Message);
        }
    }
    Read_Object(Object, root);
    Resolve_Fixups();
    Bind_Fields();
    for (TComponent* component : loaded)
        component->SetReading(false);
    for (TComponent* component : loaded)
        component->Loaded();
}

std::string TReader::Unique_Root_Name(const std::string& Name) const
{
    // A second form of the same class beside the first (one detail window
    // per block) takes Name_1, Name_2 ...
    const TComponent* owner = root->Owner();
    std::string unique = Name;
    for (int i = 1; owner && owner->FindComponent(unique) && owner->FindComponent(unique) != root; ++i)
        unique = Name + "_" + std::to_string(i);
    return unique;
}

void TReader::Read_Object(const TFormObject& Object, TComponent* Component)
{
    component_name = Object.Name.empty() ? Object.Class_Name : Object.Name;
    const TClassInfo* info = Class_Info_Of(Component);
    if (!info)
        Fault("", "class " + Component->ClassName() + " is not registered");
    Read_Properties(*info, info->Cast(Component), Object.Properties);
    for (const TFormObject& child : Object.Children) {
        Read_Object(child, Read_Child(child, Component));
        component_name = Object.Name.empty() ? Object.Class_Name : Object.Name;
    }
}

void TReader::Read_Properties(const TClassInfo& Info, void* Instance, const std::vector<TFormProperty>& Properties)
{
    for (const TFormProperty& property : Properties) {
        property_name = property.Name;
        try {
            Read_Property(Info, Instance, property.Name, property.Value);
        } catch (const EReadError&) {
            throw;
        } catch (const Exception& error) {
            Fault(property.Name, error.Message);
        } catch (const std::bad_cast&) {
            Fault(property.Name, "the form table does not belong to this form");
        }
    }
}

TComponent* TReader::Read_Child(const TFormObject& Object, TComponent* Parent)
{
    component_name = Object.Name.empty() ? Object.Class_Name : Object.Name;
    if (Object.Inherited) {
        TComponent* existing = root->FindComponent(Object.Name);
        if (!existing)
            Fault("", "no inherited component of that name");
        if (std::find(loaded.begin(), loaded.end(), existing) == loaded.end()) {
            existing->SetLoading(true);
            loaded.push_back(existing);
        }
        return existing;
    }
    const TClassInfo* info = FindClass(Object.Class_Name);
    if (!info)
        Fault("", "class " + Object.Class_Name + " not found");
    if (!info->Creatable())
        Fault("", "class " + Object.Class_Name + " cannot be created by name");
    TComponent* component = info->Create(root);
    component->SetLoading(true);
    component->SetReading(true);
    loaded.push_back(component);
    try {
        component->SetName(Object.Name);
    } catch (const Exception& error) {
        Fault("Name", error.Message);
    }
    try {
        info->Set_Parent(component, Parent);
    } catch (const Exception& error) {
        Fault("", error.Message);
    }
    return component;
}

void TReader::Read_Property(const TClassInfo& Info, void* Instance, const std::string& Path, const TFormValue& Value)
{
    const auto dot = Path.find('.');
    const std::string head = Path.substr(0, dot);
    void* target = Instance;
    const TPropInfo* prop = Info.Find_Property(head, target);
    if (!prop) {
        if (dot == std::string::npos && Read_Defined(Info, Instance, head, Value))
            return;
        throw EPropertyError("property " + head + " does not exist");
    }
    if (dot == std::string::npos) {
        if (prop->Sub_Type)
            throw EPropertyError(head + " is an object: its properties are given as " + head + ".<name>");
        if (!prop->Read)
            throw EPropertyError("property " + head + " cannot be read");
        prop->Read(target, Value, *this);
        return;
    }
    if (!prop->Sub_Type)
        throw EPropertyError(head + " has no properties of its own");
    const TClassInfo* sub_info = Find_Class_Info(*prop->Sub_Type);
    void* sub = prop->Sub_Object(target);
    if (!sub_info || !sub)
        throw EPropertyError(head + " cannot be read into");
    Read_Property(*sub_info, sub, Path.substr(dot + 1), Value);
}

bool TReader::Read_Defined(const TClassInfo& Info, void* Instance, const std::string& Name, const TFormValue& Value)
{
    defined_name = Name;
    defined_value = &Value;
    defined_found = false;
    value_taken = false;
    lists.clear();
    Info.Define_Properties(Instance, *this);
    defined_value = nullptr;
    return defined_found;
}

void TReader::DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc& /*WriteData*/,
                             bool /*HasData*/)
{
    if (!defined_value || defined_found || !Same_Ident(Name, defined_name))
        return;
    defined_found = true;
    if (!ReadData)
        throw EPropertyError("property " + Name + " cannot be read");
    ReadData(*this);
    if (!lists.empty())
        throw EPropertyError("list not read to its end");
}

void TReader::DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                                   const TStreamProc& /*WriteData*/, bool /*HasData*/)
{
    if (!defined_value || defined_found || !Same_Ident(Name, defined_name))
        return;
    defined_found = true;
    if (defined_value->Kind != TFormValue::TKind::Binary)
        Raise_Kind_Error("binary data");
    if (!ReadData)
        throw EPropertyError("property " + Name + " cannot be read");
    TMemoryStream stream;
    const std::vector<unsigned char>& bytes = defined_value->Bytes;
    if (!bytes.empty())
        stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
    ReadData(stream);
}

const TFormValue& TReader::Next_Value()
{
    if (!lists.empty()) {
        auto& [list, index] = lists.back();
        if (index >= list->size())
            throw EPropertyError("list ended before its values were read");
        return (*list)[index++];
    }
    if (!defined_value || value_taken)
        throw EPropertyError("no value left to read");
    value_taken = true;
    return *defined_value;
}

std::int64_t TReader::ReadInteger()
{
    const TFormValue& value = Next_Value();
    if (value.Kind != TFormValue::TKind::Integer)
        Raise_Kind_Error("integer");
    return value.Integer;
}

std::string TReader::ReadString() { return String_Type().From(Next_Value()); }
bool TReader::ReadBoolean() { return Boolean_Type().From(Next_Value()); }
double TReader::ReadFloat() { return Float_Type().From(Next_Value()); }

std::string TReader::ReadIdent()
{
    const TFormValue& value = Next_Value();
    if (value.Kind != TFormValue::TKind::Ident)
        Raise_Kind_Error("identifier");
    return value.Text;
}

void TReader::ReadListBegin()
{
    const TFormValue& value = Next_Value();
    if (value.Kind != TFormValue::TKind::List)
        Raise_Kind_Error("list");
    lists.emplace_back(&value.Items, 0);
}

bool TReader::EndOfList()
{
    if (lists.empty())
        throw EPropertyError("no list being read");
    return lists.back().second >= lists.back().first->size();
}

void TReader::ReadListEnd()
{
    if (!EndOfList())
        throw EPropertyError("list has more values than were read");
    lists.pop_back();
}

void TReader::Add_Fixup(const std::string& Name, std::function<void(TComponent*)> Apply)
{
    fixups.push_back({component_name, property_name, Name, std::move(Apply)});
}

std::any TReader::Handler(const std::string& Name, std::type_index Event_Type)
{
    const TForm_Table::THandler* handler = table.Find_Handler(Name);
    if (!handler)
        throw EPropertyError("the form has no handler " + Name);
    if (handler->Event_Type != Event_Type)
        throw EPropertyError("handler " + Name + " does not fit this event");
    return handler->Bind(root);
}

void TReader::Resolve_Fixups()
{
    for (const TFixup& fixup : fixups) {
        component_name = fixup.Component;
        const bool is_root = Same_Ident(fixup.Name, root->Name()) || Same_Ident(fixup.Name, form_name);
        TComponent* found = is_root ? root : root->FindComponent(fixup.Name);
        if (!found)
            Fault(fixup.Property, "component " + fixup.Name + " not found");
        try {
            fixup.Apply(found);
        } catch (const Exception& error) {
            Fault(fixup.Property, error.Message);
        }
    }
}

void TReader::Bind_Fields()
{
    for (const TForm_Table::TField& field : table.Fields()) {
        component_name = field.Name;
        TComponent* component = root->FindComponent(field.Name);
        if (!component)
            Fault("", "the form has no component for its field " + field.Name);
        bool fits = false;
        try {
            fits = field.Set(root, component);
        } catch (const std::bad_cast&) {
            Fault("", "the form table does not belong to this form");
        }
        if (!fits)
            Fault("", field.Name + " is a " + component->ClassName() + ", which does not fit its field");
    }
}

// ---- Loading ---------------------------------------------------------------------

std::string Form_Resource_Text(const std::string& Name)
{
    QString path = QString(forms_folder) + '/' + QString::fromStdString(Name);
    if (!QFile::exists(path)) {
        const QStringList entries = QDir(forms_folder).entryList(QDir::Files);
        const auto match = std::find_if(entries.begin(), entries.end(), [&Name](const QString& entry) {
            return entry.compare(QString::fromStdString(Name), Qt::CaseInsensitive) == 0;
        });
        if (match == entries.end())
            throw EResNotFound("Resource " + Name + " not found");
        path = QString(forms_folder) + '/' + *match;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EResNotFound("Resource " + Name + " cannot be read");
    return file.readAll().toStdString();
}

void InitInheritedComponent(TComponent* Form, const TForm_Table& Table)
{
    const std::string name = Form->ClassName();
    ReadComponentText(Form_Resource_Text(name), name, Form, Table);
}

void ReadComponentText(const std::string& Text, const std::string& Source, TComponent* Root,
                       const TForm_Table& Table)
{
    const TFormObject tree = Parse_Form_Text(Text, Source);
    TReader(Root, Table, Source).Read_Root(tree);
}

TComponent* CreateComponentFromText(const std::string& Text, const std::string& Source, TComponent* Owner)
{
    const TFormObject tree = Parse_Form_Text(Text, Source);
    const TClassInfo* info = FindClass(tree.Class_Name);
    if (!info || !info->Creatable())
        throw EReadError("Error reading " + Source + ": class " + tree.Class_Name + " not found");
    TComponent* component = info->Create(Owner);
    try {
        TReader(component, Empty_Table(), Source).Read_Root(tree);
    } catch (...) {
        delete component;
        throw;
    }
    return component;
}
