#pragma once
#include "platform/com/Guid.h"
#include "platform/com/PlatformComExport.h"
#include "platform/com/Variant.h"

#include <QString>

#include <cstdint>
#include <vector>

/// @file
/// The readable description of a component library: what a type library records about its
/// classes, interfaces, members and enumerations.

using DispId = std::int32_t;

/// Standard dispatch ids.
/// @since 3.5
inline constexpr DispId DISPID_VALUE = 0;    // the default member
inline constexpr DispId DISPID_UNKNOWN = -1; // a name that is not a member
inline constexpr DispId DISPID_ABOUTBOX = -552;
inline constexpr DispId DISPID_AMBIENT_USERMODE = -709;

/// How a member is called; a caller may combine method and property-get.
/// @since 3.5
enum InvokeKind : std::uint16_t {
    DISPATCH_METHOD = 1,
    DISPATCH_PROPERTYGET = 2,
    DISPATCH_PROPERTYPUT = 4,
};

/// How a property write receives its value.
/// @since 3.5
enum class ParamPassing { None, ByValue, ByReference };

/// Member attributes, with the values type libraries use.
/// @since 3.5
enum FunctionFlags : std::uint32_t {
    FUNCFLAG_NONE = 0,
    FUNCFLAG_FBINDABLE = 0x4,
    FUNCFLAG_FREQUESTEDIT = 0x8,
    FUNCFLAG_FDISPLAYBIND = 0x10,
    FUNCFLAG_FDEFAULTBIND = 0x20,
    FUNCFLAG_FHIDDEN = 0x40,
    FUNCFLAG_FUIDEFAULT = 0x200,
    FUNCFLAG_FNONBROWSABLE = 0x400,
};

/// One entry of an interface's function table: a method, or one accessor of a property.
/// @since 3.5
struct PLATFORMCOM_EXPORT FunctionDesc {
    QString name;
    DispId id = DISPID_UNKNOWN;
    InvokeKind kind = DISPATCH_METHOD;
    VarType type = VarType::Empty; // the value read, written or returned; Empty: none
    QString typeName;              // a named type (an enumeration) when not empty
    ParamPassing passing = ParamPassing::None;
    std::uint32_t flags = FUNCFLAG_NONE;
    QString helpString;
    std::uint32_t helpContext = 0;
};

struct PLATFORMCOM_EXPORT Version {
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    friend bool operator==(const Version &, const Version &) = default;
};

/// Interface attributes.
/// @since 3.5
enum InterfaceFlags : std::uint32_t {
    TYPEFLAG_FHIDDEN = 0x10,
    TYPEFLAG_FDUAL = 0x40,
    TYPEFLAG_FNONEXTENSIBLE = 0x80,
    TYPEFLAG_FOLEAUTOMATION = 0x100,
    TYPEFLAG_FDISPATCHABLE = 0x1000,
};

struct PLATFORMCOM_EXPORT InterfaceDesc {
    QString name;
    IID iid;
    Version version;
    std::uint32_t flags = 0;
    QString baseInterface;               // "IDispatch" for dispatch and dual interfaces
    std::vector<FunctionDesc> functions; // in slot order

    const FunctionDesc *find(DispId id, InvokeKind kind) const;
    /// Names match without regard to letter case, as dispatch names do.
    DispId idOfName(const QString &name) const;
};

struct PLATFORMCOM_EXPORT EnumValueDesc {
    QString name;
    std::int32_t value = 0;
    QString helpString;
};

struct PLATFORMCOM_EXPORT EnumDesc {
    QString name;
    Guid guid;
    std::vector<EnumValueDesc> values;
};

/// An earlier version of a class's interfaces: the identifiers it used, still answered with
/// the current interfaces.
/// @since 3.5
struct PLATFORMCOM_EXPORT VersionAliasDesc {
    QString name;
    Version version;
    IID defaultInterface;
    IID eventInterface;
};

enum ClassFlags : std::uint32_t {
    TYPEFLAG_FCANCREATE = 0x2,
    TYPEFLAG_FCONTROL = 0x20,
};

struct PLATFORMCOM_EXPORT ClassDesc {
    QString name;
    CLSID clsid;
    QString progId;
    std::uint32_t flags = 0;
    QString helpString;
    std::uint32_t helpContext = 0;
    IID defaultInterface;
    IID eventInterface;
    std::uint32_t miscStatus = 0;
    int toolboxBitmap = 0;
    QString threadingModel;
    std::vector<VersionAliasDesc> earlierVersions;

    /// The current or any earlier identifier of the class's default (or event) interface.
    bool isDefaultInterface(const IID &iid) const;
    bool isEventInterface(const IID &iid) const;
};

enum LibraryFlags : std::uint32_t {
    LIBFLAG_FCONTROL = 0x2,
};

struct PLATFORMCOM_EXPORT TypeLibraryDesc {
    QString name;
    Guid libid;
    Version version;
    std::uint32_t locale = 0;
    std::uint32_t flags = 0;
    QString platform; // "win32"
    QString helpString;
    QString helpFile;
    std::uint32_t helpContext = 0;
    std::vector<ClassDesc> classes;
    std::vector<InterfaceDesc> interfaces;
    std::vector<EnumDesc> enums;

    /// The interface with this identifier; an identifier of an earlier version resolves to
    /// the current interface it stands for. Null when unknown.
    const InterfaceDesc *findInterface(const IID &iid) const;
    const ClassDesc *findClass(const CLSID &clsid) const;
};
