#pragma once
// The class registry and the published-property tables the form reader
// and writer work through.
//
// Each class registers itself once, by name, with its parent class and its
// published properties (with their defaults: a value equal to the default
// is not written). A component class that forms may place registers a
// factory too, so that the reader can create it by class name:
//
//   RegisterComponentClass<TPanel, TCustomControl>("TPanel")
//       .Property("BevelOuter", Enum_Type<TPanelBevel>(Panel_Bevel_Names), &TPanel::BevelOuter,
//                 &TPanel::SetBevelOuter, bvRaised)
//       .Event("OnResize", &TPanel::OnResize);
//
// A form class lists, in a TForm_Table, the fields the reader fills with
// the components of the same names and the handler methods events bind to
// by name.

#include <any>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <typeindex>
#include <utility>
#include <vector>

#include "platform/classlib/Classes.h"
#include "platform/classlib/Form_Parser.h"
#include "platform/classlib/Graphics.h"

class TReader;
class TWriter;

// A value a property cannot take. The reader adds the form, component and
// property to the message.
class EPropertyError : public Exception {
    using Exception::Exception;
};

// How a value of type T is stored: From raises EPropertyError for a
// resource value of the wrong kind or out of range.
template <class T>
struct TValue_Type {
    std::function<T(const TFormValue&)> From;
    std::function<TFormValue(const T&)> To;
    // For enumerations and sets: how many values the type has (0 unknown).
    std::size_t Ordinal_Count = 0;
};

TValue_Type<int> Integer_Type(int Min = INT32_MIN, int Max = INT32_MAX);
TValue_Type<bool> Boolean_Type();
TValue_Type<double> Float_Type();
TValue_Type<std::string> String_Type();
// Colour names ("clBtnFace") or numbers.
TValue_Type<TColor> Color_Type();
// A list of strings: ('one' 'two').
TValue_Type<std::vector<std::string>> String_List_Type();

// An integer that may be written by one of the names of Idents
// (cursors: crHandPoint; modal results: mrOk).
struct TIdent_Value {
    const char* Name;
    int Value;
};
TValue_Type<int> Ident_Integer_Type(std::span<const TIdent_Value> Idents);

// The ordinal of Name in Names (case-insensitive), or -1.
int Enum_Ordinal(std::span<const char* const> Names, const std::string& Name);
// Raises EPropertyError unless Value is an identifier of Names.
int Enum_Value_Ordinal(std::span<const char* const> Names, const TFormValue& Value);
TFormValue Ident_Value(const std::string& Name);

// An enumeration stored by the name of its value; Names by ordinal.
template <class E>
TValue_Type<E> Enum_Type(std::span<const char* const> Names)
{
    return {[Names](const TFormValue& value) { return static_cast<E>(Enum_Value_Ordinal(Names, value)); },
            [Names](const E& value) {
                const auto ordinal = static_cast<std::size_t>(value);
                return Ident_Value(ordinal < Names.size() ? Names[ordinal] : std::to_string(ordinal));
            },
            Names.size()};
}

std::vector<int> Set_Ordinals(std::span<const char* const> Names, const TFormValue& Value);
TFormValue Set_Value(std::vector<std::string> Names);

// A set stored as [name, name]; Names by ordinal.
template <class E>
TValue_Type<TSet<E>> Set_Type(std::span<const char* const> Names)
{
    return {[Names](const TFormValue& value) {
                TSet<E> set;
                for (int ordinal : Set_Ordinals(Names, value))
                    set.Include(static_cast<E>(ordinal));
                return set;
            },
            [Names](const TSet<E>& set) {
                std::vector<std::string> names;
                for (std::size_t i = 0; i < Names.size(); ++i)
                    if (set.Contains(static_cast<E>(i)))
                        names.emplace_back(Names[i]);
                return Set_Value(std::move(names));
            },
            Names.size()};
}

// What DefineProperties sees: the reader or the writer. A class's own
// DefineProperties calls DefineProperty for each pseudo-property it keeps
// in the resource beside its published ones.
class TFiler {
public:
    TFiler() = default;
    virtual ~TFiler() = default;
    TFiler(const TFiler&) = delete;
    TFiler& operator=(const TFiler&) = delete;

    using TReaderProc = std::function<void(TReader& Reader)>;
    using TWriterProc = std::function<void(TWriter& Writer)>;
    using TStreamProc = std::function<void(TStream& Stream)>;

    // HasData: whether the writer stores the property now.
    virtual void DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                                bool HasData) = 0;
    // The property as binary data {hex}, handed over as a stream.
    virtual void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                                      const TStreamProc& WriteData, bool HasData) = 0;
};

// What a published property holds, as the class library's type information
// names the kinds.
enum TTypeKind { tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod };

// One published property of a class. Instance points to the class's own type.
struct TPropInfo {
    std::string Name;
    std::function<void(void* Instance, const TFormValue& Value, TReader& Reader)> Read;
    // The value to store, or nothing when it is the default.
    std::function<std::optional<TFormValue>(void* Instance, TWriter& Writer)> Write;
    // Whether the writer stores the property at all (ParentColor leaves
    // Color to the parent); always when empty.
    std::function<bool(void* Instance)> Stored;
    // A sub-object property ("Font"): its properties are written Font.Name.
    std::optional<std::type_index> Sub_Type;
    std::function<void*(void* Instance)> Sub_Object;

    // The value without a reader or writer (settings stores): integer,
    // character, enumeration and set properties as one number (a set as its
    // bits) with their declared default; floats and strings as themselves.
    // A setter raises EPropertyError for a value the property cannot take.
    TTypeKind Kind = tkUnknown;
    std::function<std::int64_t(void* Instance)> Get_Ordinal;
    std::function<void(void* Instance, std::int64_t Value)> Set_Ordinal;
    std::optional<std::int64_t> Default_Ordinal;
    std::function<double(void* Instance)> Get_Float;
    std::function<void(void* Instance, double Value)> Set_Float;
    std::function<std::string(void* Instance)> Get_String;
    std::function<void(void* Instance, const std::string& Value)> Set_String;
};

template <class T>
struct Is_TSet : std::false_type {};
template <class E>
struct Is_TSet<TSet<E>> : std::true_type {
    using Element = E;
};

// The set's members as bits (bit n for ordinal n). Read from the set's own
// bits: an ordinal past the enumeration's last value is no value of it.
template <class E>
std::int64_t Set_Bits(const TSet<E>& Set)
{
    return std::int64_t{Set.Bits()};
}

class TClassInfo {
public:
    TClassInfo(std::string Name, std::type_index Type) : name(std::move(Name)), type(Type) {}

    const std::string& Name() const { return name; }
    std::type_index Type() const { return type; }
    // The registered parent class, or nullptr for a root.
    const TClassInfo* Parent() const;
    bool Creatable() const { return static_cast<bool>(create); }
    // A new instance owned by Owner; raises EPropertyError for an abstract class.
    TComponent* Create(TComponent* Owner) const;

    // The property of this class or of the nearest ancestor that has it
    // (case-insensitive), with Instance turned into that class's pointer.
    const TPropInfo* Find_Property(const std::string& Name, void*& Instance) const;
    // The properties of this class alone, in registration order.
    const std::vector<TPropInfo>& Properties() const { return properties; }
    // Runs the DefineProperties of every class from the root down.
    void Define_Properties(void* Instance, TFiler& Filer) const;
    // Instance (of this class) as a pointer to the parent class.
    void* To_Parent(void* Instance) const { return to_parent(Instance); }
    // The component as this class, or nullptr when it is not one.
    void* Cast(TObject* Object) const { return cast ? cast(Object) : nullptr; }

    // Puts a component read from a resource under its parent in the tree
    // (a control into its parent control); the nearest ancestor's rule holds.
    void Set_Parent(TComponent* Child, TComponent* Parent) const;
    // The components written inside this one's object block.
    std::vector<TComponent*> Children(TComponent* Component) const;

private:
    template <class C>
    friend class TClass_Builder;

    std::string name;
    std::type_index type;
    std::optional<std::type_index> parent_type;
    std::function<void*(void*)> to_parent;
    std::function<void*(TObject*)> cast;
    std::function<TComponent*(TComponent*)> create;
    std::vector<TPropInfo> properties;
    std::function<void(void*, TFiler&)> define_properties;
    std::function<void(TComponent*, TComponent*)> set_parent;
    std::function<std::vector<TComponent*>(TComponent*)> children;
};

// The class registered under Name (case-insensitive), or nullptr.
const TClassInfo* FindClass(const std::string& Name);
// The registered class of that C++ type, or nullptr.
const TClassInfo* Find_Class_Info(std::type_index Type);
// The most derived registered class the object belongs to, or nullptr.
const TClassInfo* Class_Info_Of(TObject* Object);

// A new class entry; raises EPropertyError for a type registered before.
TClassInfo& Add_Class_Info(std::string Name, std::type_index Type);

// Reader and writer services the property tables call.
void Add_Reference_Fixup(TReader& Reader, const std::string& Name, std::function<void(TComponent*)> Apply);
std::any Find_Handler(TReader& Reader, const std::string& Name, std::type_index Event_Type);
std::optional<std::string> Handler_Name(TWriter& Writer, const void* Event, std::type_index Event_Type);
void Read_Object_Properties(TReader& Reader, const TClassInfo& Info, void* Instance,
                            const std::vector<TFormProperty>& Properties);
std::vector<TFormProperty> Write_Object_Properties(TWriter& Writer, const TClassInfo& Info, void* Instance);
TComponent* Writer_Root(TWriter& Writer);

[[noreturn]] void Raise_Kind_Error(const char* expected);
// The component referred to is not of the class the property takes.
[[noreturn]] void Raise_Class_Mismatch(TComponent* Component);

// The registered class of Item; raises EPropertyError when there is none.
template <class Item>
const TClassInfo& Registered_Class_Info()
{
    const TClassInfo* item_info = Find_Class_Info(typeid(Item));
    if (!item_info)
        throw EPropertyError(std::string("no class registered for ") + typeid(Item).name());
    return *item_info;
}

template <class C>
class TClass_Builder {
public:
    explicit TClass_Builder(TClassInfo& Info) : info(Info) {}

    // Ties the class to its registered parent class (none for void).
    template <class Parent>
    TClass_Builder& Derived_From()
    {
        if constexpr (!std::is_void_v<Parent>) {
            static_assert(std::is_base_of_v<Parent, C>);
            info.parent_type = std::type_index(typeid(Parent));
            info.to_parent = [](void* instance) -> void* {
                return static_cast<Parent*>(static_cast<C*>(instance));
            };
        }
        if constexpr (std::is_polymorphic_v<C> && std::is_base_of_v<TObject, C>)
            info.cast = [](TObject* object) -> void* { return dynamic_cast<C*>(object); };
        return *this;
    }
    // Lets the reader create the class by name.
    TClass_Builder& Creatable()
    {
        info.create = [](TComponent* owner) -> TComponent* { return new C(owner); };
        return *this;
    }

    // A property with its default: the default is not written.
    template <class T, class Get, class Set>
    TClass_Builder& Property(const std::string& Name, const TValue_Type<T>& Type, Get Getter, Set Setter,
                             std::type_identity_t<T> Default)
    {
        return Add_Property<T>(Name, Type, Getter, Setter, std::optional<T>(std::move(Default)));
    }
    // A property without a default: always written.
    template <class T, class Get, class Set>
    TClass_Builder& Property(const std::string& Name, const TValue_Type<T>& Type, Get Getter, Set Setter)
    {
        return Add_Property<T>(Name, Type, Getter, Setter, std::nullopt);
    }
    // The last property is read but never written (another one stores it).
    TClass_Builder& Not_Stored()
    {
        info.properties.back().Write = nullptr;
        return *this;
    }
    // The last property is written only while Stored(object) holds.
    template <class Predicate>
    TClass_Builder& Stored_If(Predicate Stored)
    {
        info.properties.back().Stored = [Stored](void* instance) {
            return static_cast<bool>(std::invoke(Stored, *static_cast<C*>(instance)));
        };
        return *this;
    }

    // A sub-object of a registered class, reached through Getter.
    template <class Get>
    TClass_Builder& Object(const std::string& Name, Get Getter)
    {
        using Sub = std::remove_pointer_t<std::invoke_result_t<Get, C&>>;
        TPropInfo prop;
        prop.Name = Name;
        prop.Kind = tkClass;
        prop.Sub_Type = std::type_index(typeid(Sub));
        prop.Sub_Object = [Getter](void* instance) -> void* {
            return static_cast<void*>(std::invoke(Getter, *static_cast<C*>(instance)));
        };
        info.properties.push_back(std::move(prop));
        return *this;
    }

    // An event, bound by handler name to a method of the form being read.
    template <class E, class Base>
    TClass_Builder& Event(const std::string& Name, E Base::*Member)
    {
        TPropInfo prop;
        prop.Name = Name;
        prop.Kind = tkMethod;
        prop.Read = [Member](void* instance, const TFormValue& value, TReader& reader) {
            if (value.Kind != TFormValue::TKind::Ident)
                Raise_Kind_Error("handler name");
            static_cast<C*>(instance)->*Member = std::any_cast<E>(Find_Handler(reader, value.Text, typeid(E)));
        };
        prop.Write = [Member](void* instance, TWriter& writer) -> std::optional<TFormValue> {
            const E& event = static_cast<C*>(instance)->*Member;
            if (!event)
                return std::nullopt;
            auto name = Handler_Name(writer, &event, typeid(E));
            return name ? std::optional(Ident_Value(*name)) : std::nullopt;
        };
        info.properties.push_back(std::move(prop));
        return *this;
    }

    // A reference to another component of the form, resolved by name once
    // the whole tree is read; Setter takes a Ref*.
    template <class Ref, class Get, class Set>
    TClass_Builder& Component(const std::string& Name, Get Getter, Set Setter)
    {
        TPropInfo prop;
        prop.Name = Name;
        prop.Kind = tkClass;
        prop.Read = [Setter](void* instance, const TFormValue& value, TReader& reader) {
            if (value.Kind != TFormValue::TKind::Ident)
                Raise_Kind_Error("component name");
            C* object = static_cast<C*>(instance);
            Add_Reference_Fixup(reader, value.Text, [object, Setter](TComponent* found) {
                Ref* reference = dynamic_cast<Ref*>(found);
                if (!reference)
                    Raise_Class_Mismatch(found);
                std::invoke(Setter, *object, reference);
            });
        };
        prop.Write = [Getter](void* instance, TWriter& writer) -> std::optional<TFormValue> {
            TComponent* reference = std::invoke(Getter, *static_cast<C*>(instance));
            if (!reference)
                return std::nullopt;
            const bool local = reference->Owner() == Writer_Root(writer) || reference == Writer_Root(writer);
            return Ident_Value(local || !reference->Owner() ? reference->Name()
                                                            : reference->Owner()->Name() + "." + reference->Name());
        };
        info.properties.push_back(std::move(prop));
        return *this;
    }

    // A collection <item ... end> of objects of a registered class: Clear
    // empties it, Add appends an item, Count and At enumerate them.
    template <class Clear, class Add, class Count, class At>
    TClass_Builder& Collection(const std::string& Name, Clear Clear_Items, Add Add_Item, Count Item_Count, At Item_At)
    {
        using Item = std::remove_pointer_t<std::invoke_result_t<Add, C&>>;
        TPropInfo prop;
        prop.Name = Name;
        prop.Kind = tkClass;
        prop.Read = [Clear_Items, Add_Item](void* instance, const TFormValue& value, TReader& reader) {
            if (value.Kind != TFormValue::TKind::Collection)
                Raise_Kind_Error("collection");
            C& object = *static_cast<C*>(instance);
            std::invoke(Clear_Items, object);
            const TClassInfo& item_info = Registered_Class_Info<Item>();
            for (const TFormItem& item : value.Collection)
                Read_Object_Properties(reader, item_info, std::invoke(Add_Item, object), item.Properties);
        };
        prop.Write = [Item_Count, Item_At](void* instance, TWriter& writer) -> std::optional<TFormValue> {
            C& object = *static_cast<C*>(instance);
            const int count = std::invoke(Item_Count, object);
            if (count == 0)
                return std::nullopt;
            TFormValue value;
            value.Kind = TFormValue::TKind::Collection;
            const TClassInfo& item_info = Registered_Class_Info<Item>();
            for (int i = 0; i < count; ++i) {
                void* item = std::invoke(Item_At, object, i);
                value.Collection.push_back({Write_Object_Properties(writer, item_info, item)});
            }
            return value;
        };
        info.properties.push_back(std::move(prop));
        return *this;
    }

    // The class's DefineProperties(TFiler&), for its pseudo-properties.
    template <class Define>
    TClass_Builder& DefineProperties(Define Method)
    {
        info.define_properties = [Method](void* instance, TFiler& filer) {
            std::invoke(Method, *static_cast<C*>(instance), filer);
        };
        return *this;
    }

    // How a component read inside another one's block joins it (a control
    // takes the block's control as its parent); the nearest ancestor's rule holds.
    template <class Rule>
    TClass_Builder& Parent_Rule(Rule Set_Parent)
    {
        info.set_parent = [Set_Parent](TComponent* child, TComponent* parent) {
            std::invoke(Set_Parent, dynamic_cast<C&>(*child), parent);
        };
        return *this;
    }
    // The components the writer puts inside this one's block.
    template <class Rule>
    TClass_Builder& Children_Rule(Rule Children)
    {
        info.children = [Children](TComponent* component) {
            return std::invoke(Children, dynamic_cast<C&>(*component));
        };
        return *this;
    }

private:
    template <class T, class Get, class Set>
    TClass_Builder& Add_Property(const std::string& Name, const TValue_Type<T>& Type, Get Getter, Set Setter,
                                 std::optional<T> Default)
    {
        TPropInfo prop;
        prop.Name = Name;
        prop.Read = [Type, Setter](void* instance, const TFormValue& value, TReader&) {
            std::invoke(Setter, *static_cast<C*>(instance), Type.From(value));
        };
        prop.Write = [Type, Getter, Default](void* instance, TWriter&) -> std::optional<TFormValue> {
            const T value = static_cast<T>(std::invoke(Getter, *static_cast<C*>(instance)));
            if (Default && value == *Default)
                return std::nullopt;
            return Type.To(value);
        };
        Describe_Value<T>(prop, Type, Getter, Setter, Default);
        info.properties.push_back(std::move(prop));
        return *this;
    }

    template <class T, class Get, class Set>
    static void Describe_Value(TPropInfo& prop, const TValue_Type<T>& Type, Get Getter, Set Setter,
                               const std::optional<T>& Default)
    {
        auto get = [Getter](void* instance) { return static_cast<T>(std::invoke(Getter, *static_cast<C*>(instance))); };
        auto set = [Setter](void* instance, const T& value) { std::invoke(Setter, *static_cast<C*>(instance), value); };
        if constexpr (std::is_same_v<T, bool>) {
            prop.Kind = tkEnumeration;
            prop.Get_Ordinal = [get](void* instance) { return std::int64_t{get(instance)}; };
            prop.Set_Ordinal = [set](void* instance, std::int64_t value) { set(instance, value != 0); };
            if (Default)
                prop.Default_Ordinal = *Default;
        } else if constexpr (std::is_enum_v<T>) {
            prop.Kind = tkEnumeration;
            prop.Get_Ordinal = [get](void* instance) { return static_cast<std::int64_t>(get(instance)); };
            prop.Set_Ordinal = [set, count = Type.Ordinal_Count](void* instance, std::int64_t value) {
                if (value < 0 || value >= static_cast<std::int64_t>(count))
                    throw EPropertyError("enumeration value out of range");
                set(instance, static_cast<T>(value));
            };
            if (Default)
                prop.Default_Ordinal = static_cast<std::int64_t>(*Default);
        } else if constexpr (Is_TSet<T>::value) {
            using E = typename Is_TSet<T>::Element;
            prop.Kind = tkSet;
            prop.Get_Ordinal = [get](void* instance) { return Set_Bits(get(instance)); };
            prop.Set_Ordinal = [set, count = Type.Ordinal_Count](void* instance, std::int64_t value) {
                if (value < 0 || count > 32 || value >= (std::int64_t{1} << count))
                    throw EPropertyError("set value out of range");
                T result;
                for (unsigned ordinal = 0; ordinal < count; ++ordinal)
                    if (value & (std::int64_t{1} << ordinal))
                        result.Include(static_cast<E>(ordinal));
                set(instance, result);
            };
            if (Default)
                prop.Default_Ordinal = Set_Bits(*Default);
        } else if constexpr (std::is_integral_v<T>) {
            prop.Kind = std::is_same_v<T, char> ? tkChar : tkInteger;
            prop.Get_Ordinal = [get](void* instance) { return static_cast<std::int64_t>(get(instance)); };
            // Through the stored form, so that the property's range holds.
            prop.Set_Ordinal = [set, Type](void* instance, std::int64_t value) {
                TFormValue stored;
                stored.Integer = value;
                set(instance, Type.From(stored));
            };
            if (Default)
                prop.Default_Ordinal = static_cast<std::int64_t>(*Default);
        } else if constexpr (std::is_floating_point_v<T>) {
            prop.Kind = tkFloat;
            prop.Get_Float = [get](void* instance) { return static_cast<double>(get(instance)); };
            prop.Set_Float = [set](void* instance, double value) { set(instance, static_cast<T>(value)); };
        } else if constexpr (std::is_same_v<T, std::string>) {
            prop.Kind = tkString;
            prop.Get_String = get;
            prop.Set_String = set;
        } else {
            prop.Kind = tkClass;
        }
    }

    TClassInfo& info;
};

// A class and its published properties. Parent is void for a root class.
template <class C, class Parent = void>
TClass_Builder<C> RegisterClass(const std::string& Name)
{
    TClass_Builder<C> builder(Add_Class_Info(Name, typeid(C)));
    builder.template Derived_From<Parent>();
    return builder;
}

// A component class the reader creates by name.
template <class C, class Parent>
TClass_Builder<C> RegisterComponentClass(const std::string& Name)
{
    TClass_Builder<C> builder = RegisterClass<C, Parent>(Name);
    builder.Creatable();
    return builder;
}

// A handler method of Form bound to one form object: what an event holds
// after the reader bound it by name (the writer recognises it again).
template <class Form, class... Args>
struct TBound_Handler {
    Form* Instance;
    void (Form::*Method)(Args...);
    void operator()(Args... args) const { (Instance->*Method)(std::forward<Args>(args)...); }
};

// A form class's published fields and handler methods, by name.
class TForm_Table {
public:
    struct TField {
        std::string Name;
        // False when the component is not of the field's class.
        std::function<bool(TComponent* Root, TComponent* Component)> Set;
    };
    struct THandler {
        std::string Name;
        std::type_index Event_Type;
        // The handler bound to Root, as the event type in an any.
        std::function<std::any(TComponent* Root)> Bind;
        // Whether the event (of Event_Type) holds this handler of Root.
        std::function<bool(const void* Event, TComponent* Root)> Holds;
    };

    // The component of that name, set into the field once the tree is read.
    template <class Form, class T>
    TForm_Table& Field(const std::string& Name, T* Form::*Member)
    {
        fields.push_back({Name, [Member](TComponent* root, TComponent* component) {
                              T* typed = dynamic_cast<T*>(component);
                              dynamic_cast<Form&>(*root).*Member = typed;
                              return typed != nullptr;
                          }});
        return *this;
    }

    template <class Form, class... Args>
    TForm_Table& Handler(const std::string& Name, void (Form::*Method)(Args...))
    {
        using Event = std::function<void(Args...)>;
        using Bound = TBound_Handler<Form, Args...>;
        handlers.push_back({Name, typeid(Event),
                            [Method](TComponent* root) -> std::any {
                                return Event(Bound{&dynamic_cast<Form&>(*root), Method});
                            },
                            [Method](const void* event, TComponent* root) {
                                const Bound* bound = static_cast<const Event*>(event)->template target<Bound>();
                                return bound && bound->Method == Method && bound->Instance == dynamic_cast<Form*>(root);
                            }});
        return *this;
    }

    const std::vector<TField>& Fields() const { return fields; }
    const std::vector<THandler>& Handlers() const { return handlers; }
    // By name, case-insensitive; nullptr when the form has no such handler.
    const THandler* Find_Handler(const std::string& Name) const;

private:
    std::vector<TField> fields;
    std::vector<THandler> handlers;
};
