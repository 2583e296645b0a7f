#pragma once
#include "platform/com/Dispatch.h"
#include "platform/com/PlatformComExport.h"
#include "platform/com/VariantConversion.h"

#include <functional>
#include <utility>

// The C++ type behind each value type of a member, and how it goes in and out of a Variant.
template <VarType T>
struct VarTraits;
template <>
struct VarTraits<VarType::Bool> {
    using type = VBool;
    static constexpr VarType varType = VarType::Bool;
    static type get(const Variant &v) { return v.boolValue(); }
    static type *ref(const Variant &v) { return v.boolRef(); }
    static Variant make(type value) { return Variant::boolean(value); }
};
template <>
struct VarTraits<VarType::I4> {
    using type = std::int32_t;
    static constexpr VarType varType = VarType::I4;
    static type get(const Variant &v) { return v.int32Value(); }
    static type *ref(const Variant &v) { return v.int32Ref(); }
    static Variant make(type value) { return Variant::int32(value); }
};
template <>
struct VarTraits<VarType::String> {
    using type = QString;
    static constexpr VarType varType = VarType::String;
    static type get(const Variant &v) { return v.stringValue(); }
    static type *ref(const Variant &v) { return v.stringRef(); }
    static Variant make(const type &value) { return Variant(value); }
};

// What a property row adds to its two accessors' descriptions.
struct PLATFORMCOM_EXPORT PropertyOptions {
    bool writeSlotFirst = false;
    std::uint32_t flags = FUNCFLAG_NONE;
    std::uint32_t helpContext = 0;
    QString helpString;
    QString typeName;
};

// The member table of a dual interface I: each function's description and the call of the
// matching C++ member. Invoke and names-to-ids are served from it, and so is the
// interface's readable description.
template <class I>
class DispatchTable {
public:
    using Call = std::function<HRESULT(I &, std::vector<Variant> &, Variant *)>;

    // `header` names the interface; its functions are added by the builders below.
    explicit DispatchTable(InterfaceDesc header) : m_interface(std::move(header)) {}

    DispatchTable &method(QString name, DispId id, HRESULT (I::*member)(),
                          std::uint32_t helpContext, QString help)
    {
        add({std::move(name),
             id,
             DISPATCH_METHOD,
             VarType::Empty,
             {},
             ParamPassing::None,
             FUNCFLAG_NONE,
             std::move(help),
             helpContext},
            [member](I &target, std::vector<Variant> &, Variant *) { return (target.*member)(); });
        return *this;
    }

    template <VarType T>
    DispatchTable &methodReturning(QString name, DispId id,
                                   HRESULT (I::*member)(typename VarTraits<T>::type *),
                                   std::uint32_t helpContext, QString help)
    {
        add({std::move(name),
             id,
             DISPATCH_METHOD,
             T,
             {},
             ParamPassing::None,
             FUNCFLAG_NONE,
             std::move(help),
             helpContext},
            readCall<T>(member));
        return *this;
    }

    // A property whose write receives its value by value.
    template <VarType T>
    DispatchTable &
    property(const QString &name, DispId id, HRESULT (I::*getter)(typename VarTraits<T>::type *),
             HRESULT (I::*setter)(typename VarTraits<T>::type), const PropertyOptions &options = {})
    {
        addProperty<T>(name, id, getter, ParamPassing::ByValue, options,
                       [setter](I &target, std::vector<Variant> &args, Variant *) {
                           Variant value;
                           if (FAILED(changeType(args[0], T, &value)))
                               return DISP_E_TYPEMISMATCH;
                           return (target.*setter)(VarTraits<T>::get(value));
                       });
        return *this;
    }

    // A property whose write receives its value by reference: a by-reference argument of the
    // same type is handed through, a plain value is converted into a temporary.
    template <VarType T>
    DispatchTable &propertyByRef(const QString &name, DispId id,
                                 HRESULT (I::*getter)(typename VarTraits<T>::type *),
                                 HRESULT (I::*setter)(typename VarTraits<T>::type *),
                                 const PropertyOptions &options = {})
    {
        addProperty<T>(name, id, getter, ParamPassing::ByReference, options,
                       [setter](I &target, std::vector<Variant> &args, Variant *) {
                           if (args[0].isByRef()) {
                               auto *variable = VarTraits<T>::ref(args[0]);
                               return variable ? (target.*setter)(variable) : DISP_E_TYPEMISMATCH;
                           }
                           Variant value;
                           if (FAILED(changeType(args[0], T, &value)))
                               return DISP_E_TYPEMISMATCH;
                           typename VarTraits<T>::type temporary = VarTraits<T>::get(value);
                           return (target.*setter)(&temporary);
                       });
        return *this;
    }

    const InterfaceDesc &description() const { return m_interface; }

    [[nodiscard]] HRESULT idsOfNames(const QStringList &names, std::vector<DispId> *ids) const
    {
        if (!ids)
            return E_POINTER;
        ids->clear();
        HRESULT hr = S_OK;
        for (const QString &name : names) {
            ids->push_back(m_interface.idOfName(name));
            if (ids->back() == DISPID_UNKNOWN)
                hr = DISP_E_UNKNOWNNAME;
        }
        return hr;
    }

    [[nodiscard]] HRESULT invoke(I &target, DispId id, std::uint16_t flags,
                                 std::vector<Variant> &args, Variant *result) const
    {
        const int index = indexFor(id, flags);
        if (index < 0)
            return DISP_E_MEMBERNOTFOUND;
        const FunctionDesc &function = m_interface.functions[std::size_t(index)];
        const std::size_t expected = function.kind == DISPATCH_PROPERTYPUT ? 1 : 0;
        if (args.size() != expected)
            return DISP_E_BADPARAMCOUNT;
        return m_calls[std::size_t(index)](target, args, result);
    }

private:
    template <VarType T>
    static Call readCall(HRESULT (I::*member)(typename VarTraits<T>::type *))
    {
        return [member](I &target, std::vector<Variant> &, Variant *result) {
            typename VarTraits<T>::type value{};
            const HRESULT hr = (target.*member)(&value);
            if (SUCCEEDED(hr) && result)
                *result = VarTraits<T>::make(value);
            return hr;
        };
    }

    template <VarType T>
    void addProperty(const QString &name, DispId id,
                     HRESULT (I::*getter)(typename VarTraits<T>::type *), ParamPassing passing,
                     const PropertyOptions &options, Call write)
    {
        const FunctionDesc read{name,
                                id,
                                DISPATCH_PROPERTYGET,
                                T,
                                options.typeName,
                                ParamPassing::None,
                                options.flags,
                                options.helpString,
                                options.helpContext};
        FunctionDesc put = read;
        put.kind = DISPATCH_PROPERTYPUT;
        put.passing = passing;
        if (options.writeSlotFirst)
            add(put, std::move(write));
        add(read, readCall<T>(getter));
        if (!options.writeSlotFirst)
            add(put, std::move(write));
    }

    void add(FunctionDesc function, Call call)
    {
        m_interface.functions.push_back(std::move(function));
        m_calls.push_back(std::move(call));
    }

    // A write is asked for with the put flag; otherwise a method or a read matches.
    int indexFor(DispId id, std::uint16_t flags) const
    {
        const std::uint16_t wanted = (flags & DISPATCH_PROPERTYPUT)
                                         ? DISPATCH_PROPERTYPUT
                                         : flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET);
        for (std::size_t i = 0; i < m_interface.functions.size(); ++i) {
            const FunctionDesc &function = m_interface.functions[i];
            if (function.id == id && (function.kind & wanted))
                return int(i);
        }
        return -1;
    }

    InterfaceDesc m_interface;
    std::vector<Call> m_calls;
};
