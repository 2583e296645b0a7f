#include "password/VTPasswordTypeLibrary.h"

#include "password/VTPasswordIds.h"
#include "password/VTPasswordMembers.h"
#include "platform/com/EmbeddedControl.h"

namespace {

// Set client site first, invisible at run time, activate when visible, inside-out, cannot
// link inside, recompose on resize: 132497.
constexpr std::uint32_t miscStatus = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INVISIBLEATRUNTIME |
                                     OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT |
                                     OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE;
static_assert(miscStatus == 132497);

ClassDesc controlClass()
{
    ClassDesc cls;
    cls.name = "VTPassword";
    cls.clsid = VTPasswordIds::control;
    cls.progId = VTPasswordIds::programId;
    cls.flags = TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL;
    cls.helpString = "VantrelStudio: VantrelPassword.  Password Dialog Control.";
    cls.helpContext = 1429;
    cls.defaultInterface = VTPasswordIds::defaultInterface;
    cls.eventInterface = VTPasswordIds::eventInterface;
    cls.miscStatus = miscStatus;
    cls.toolboxBitmap = 30000;
    cls.threadingModel = "Apartment";
    cls.earlierVersions = {
        {"VTPassword___v0",
         {1, 0},
         VTPasswordIds::defaultInterfaceV0,
         VTPasswordIds::eventInterfaceV0},
        {"VTPassword___v1",
         {1, 1},
         VTPasswordIds::defaultInterfaceV1,
         VTPasswordIds::eventInterfaceV1},
        {"VTPassword___v2",
         {1, 2},
         VTPasswordIds::defaultInterfaceV2,
         VTPasswordIds::eventInterfaceV2},
    };
    return cls;
}

TypeLibraryDesc build()
{
    TypeLibraryDesc library;
    library.name = "VantrelPassword";
    library.libid = VTPasswordIds::library;
    library.version = {1, 3};
    library.locale = 1033;
    library.flags = LIBFLAG_FCONTROL;
    library.platform = "win32";
    library.helpString = "VantrelStudio: VantrelPassword Dialog Control 3.0";
    library.helpFile = "VantrelSG3.chm";
    library.helpContext = 1429;
    library.classes = {controlClass()};
    // The event interface has no members: the control raises no events.
    library.interfaces = {vtPasswordMembers().description(),
                          InterfaceDesc{"__VTPassword",
                                        VTPasswordIds::eventInterface,
                                        {1, 3},
                                        TYPEFLAG_FHIDDEN | TYPEFLAG_FDISPATCHABLE,
                                        "IDispatch",
                                        {}}};
    library.enums = {EnumDesc{"VantrelPasswordDialogSizes",
                              VTPasswordIds::dialogSizes,
                              {{"vtrNormal", 0, "vtrNormal"},
                               {"vtrLarge", 1, "vtrLarge"},
                               {"vtrExtraLarge", 2, "vtrExtraLarge"}}}};
    return library;
}

} // namespace

const TypeLibraryDesc &vtPasswordTypeLibrary()
{
    static const TypeLibraryDesc library = build();
    return library;
}
