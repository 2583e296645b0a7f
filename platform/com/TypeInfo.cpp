#include "platform/com/TypeInfo.h"

const FunctionDesc *InterfaceDesc::find(DispId id, InvokeKind kind) const
{
    for (const FunctionDesc &function : functions)
        if (function.id == id && function.kind == kind)
            return &function;
    return nullptr;
}

DispId InterfaceDesc::idOfName(const QString &name) const
{
    for (const FunctionDesc &function : functions)
        if (function.name.compare(name, Qt::CaseInsensitive) == 0)
            return function.id;
    return DISPID_UNKNOWN;
}

bool ClassDesc::isDefaultInterface(const IID &iid) const
{
    if (iid == defaultInterface)
        return true;
    for (const VersionAliasDesc &earlier : earlierVersions)
        if (iid == earlier.defaultInterface)
            return true;
    return false;
}

bool ClassDesc::isEventInterface(const IID &iid) const
{
    if (iid == eventInterface)
        return true;
    for (const VersionAliasDesc &earlier : earlierVersions)
        if (iid == earlier.eventInterface)
            return true;
    return false;
}

const InterfaceDesc *TypeLibraryDesc::findInterface(const IID &iid) const
{
    IID current = iid;
    for (const ClassDesc &cls : classes) {
        if (cls.isDefaultInterface(iid))
            current = cls.defaultInterface;
        else if (cls.isEventInterface(iid))
            current = cls.eventInterface;
    }
    for (const InterfaceDesc &interface : interfaces)
        if (interface.iid == current)
            return &interface;
    return nullptr;
}

const ClassDesc *TypeLibraryDesc::findClass(const CLSID &clsid) const
{
    for (const ClassDesc &cls : classes)
        if (cls.clsid == clsid)
            return &cls;
    return nullptr;
}
