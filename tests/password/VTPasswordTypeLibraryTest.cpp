#include "password/VTPasswordTypeLibrary.h"
#include "password/VTPasswordDispIds.h"
#include "password/VTPasswordIds.h"
#include "platform/com/EmbeddedControl.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace Id = VTPasswordDispId;

TEST(VTPasswordTypeLibrary, DescribesTheLibraryClassAndEnumeration)
{
    const TypeLibraryDesc &library = vtPasswordTypeLibrary();
    EXPECT_EQ(library.name, "VantrelPassword");
    EXPECT_EQ(library.version, (Version{1, 3}));
    EXPECT_EQ(library.locale, 1033u);
    EXPECT_EQ(library.helpString, "VantrelStudio: VantrelPassword Dialog Control 3.0");
    EXPECT_EQ(library.helpFile, "VantrelSG3.chm");
    EXPECT_EQ(library.helpContext, 1429u);

    const ClassDesc *cls = library.findClass(VTPasswordIds::control);
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls->progId, "VantrelPassword.VTPassword");
    EXPECT_EQ(cls->helpString, "VantrelStudio: VantrelPassword.  Password Dialog Control.");
    EXPECT_TRUE(cls->flags & TYPEFLAG_FCONTROL);
    EXPECT_EQ(cls->miscStatus, 132497u);
    EXPECT_TRUE(cls->miscStatus & OLEMISC_INVISIBLEATRUNTIME);
    EXPECT_EQ(cls->toolboxBitmap, 30000);
    EXPECT_EQ(cls->threadingModel, "Apartment");
    ASSERT_EQ(cls->earlierVersions.size(), 3u);
    EXPECT_EQ(cls->earlierVersions[2].name, "VTPassword___v2");
    EXPECT_EQ(cls->earlierVersions[2].version, (Version{1, 2}));

    // Every identifier is distinct.
    std::vector<Guid> ids{library.libid, cls->clsid, cls->defaultInterface, cls->eventInterface,
                          library.enums.at(0).guid};
    for (const VersionAliasDesc &earlier : cls->earlierVersions)
        ids.insert(ids.end(), {earlier.defaultInterface, earlier.eventInterface});
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());

    const EnumDesc &sizes = library.enums.at(0);
    EXPECT_EQ(sizes.name, "VantrelPasswordDialogSizes");
    ASSERT_EQ(sizes.values.size(), 3u);
    EXPECT_EQ(sizes.values[2].name, "vtrExtraLarge");
    EXPECT_EQ(sizes.values[2].value, 2);
    EXPECT_EQ(sizes.values[2].helpString, "vtrExtraLarge");
}

TEST(VTPasswordTypeLibrary, MembersInSlotOrderWithTheirIdsAndAccessorOrder)
{
    const InterfaceDesc *members =
        vtPasswordTypeLibrary().findInterface(VTPasswordIds::defaultInterface);
    ASSERT_NE(members, nullptr);
    EXPECT_TRUE(members->flags & TYPEFLAG_FDUAL);
    EXPECT_TRUE(members->flags & TYPEFLAG_FHIDDEN);
    EXPECT_EQ(members->baseInterface, "IDispatch");
    const InterfaceDesc *events =
        vtPasswordTypeLibrary().findInterface(VTPasswordIds::eventInterface);
    ASSERT_NE(events, nullptr);
    EXPECT_TRUE(events->functions.empty());

    // Name, then G (read) or P (write) for each slot of a property, M for a method.
    QStringList slotList;
    for (const FunctionDesc &f : members->functions)
        slotList << f.name + (f.kind == DISPATCH_METHOD        ? " M"
                              : f.kind == DISPATCH_PROPERTYGET ? " G"
                                                               : " P");
    QStringList expected{"About M", "GetPassword M", "CreatePassword M", "ChangePassword M"};
    for (const char *name : {"Size", "ActiveButtons", "UseImages", "Password", "Cancelled",
                             "Validated", "DialogTitleGetPassword", "DialogTitleCreatePassword",
                             "DialogTitleChangePassword", "CaseSensitive"})
        expected << QString(name) + " G" << QString(name) + " P";
    for (const char *name :
         {"MaxLength", "MinLength", "DBPassword", "CaptionChangeOldPwd", "CaptionChangeNewPwd",
          "CaptionChangeCfmPwd", "CaptionCreateEntPwd", "CaptionCreateCfmPwd", "CaptionGetPassword",
          "CaptionOK", "CaptionCancel"})
        expected << QString(name) + " P" << QString(name) + " G";
    EXPECT_EQ(slotList, expected);

    EXPECT_EQ(members->idOfName("About"), -552);
    EXPECT_EQ(members->idOfName("ChangePassword"), 0x6003000B);
    EXPECT_EQ(members->idOfName("CaptionCancel"), 0x6803000F);
    EXPECT_EQ(members->idOfName("CaptionChangeOldPwd"), 0x68030016);
    EXPECT_EQ(members->idOfName("DBPassword"), 0x6803000E);
}

TEST(VTPasswordTypeLibrary, AttributesPassingAndHelp)
{
    const InterfaceDesc &members =
        *vtPasswordTypeLibrary().findInterface(VTPasswordIds::defaultInterface);
    const FunctionDesc *password = members.find(Id::Password, DISPATCH_PROPERTYPUT);
    ASSERT_NE(password, nullptr);
    EXPECT_EQ(password->id, 0);
    EXPECT_TRUE(password->flags & FUNCFLAG_FUIDEFAULT);
    EXPECT_EQ(password->passing, ParamPassing::ByValue);
    EXPECT_EQ(password->helpContext, 1834u);
    EXPECT_EQ(password->helpString,
              "Returns/sets the password.  Also used to validate the current password when set "
              "prior to a 'GetPassword' or 'ChangePassword' call.");

    EXPECT_TRUE(members.find(Id::Validated, DISPATCH_PROPERTYGET)->flags & FUNCFLAG_FNONBROWSABLE);
    const FunctionDesc *bound = members.find(Id::DBPassword, DISPATCH_PROPERTYPUT);
    EXPECT_EQ(bound->flags,
              std::uint32_t(FUNCFLAG_FHIDDEN | FUNCFLAG_FBINDABLE | FUNCFLAG_FREQUESTEDIT |
                            FUNCFLAG_FDISPLAYBIND | FUNCFLAG_FDEFAULTBIND));
    EXPECT_TRUE(bound->helpString.isEmpty());
    EXPECT_EQ(bound->helpContext, 0u);

    EXPECT_EQ(members.find(Id::MaxLength, DISPATCH_PROPERTYPUT)->passing,
              ParamPassing::ByReference);
    EXPECT_EQ(members.find(Id::CaptionOK, DISPATCH_PROPERTYPUT)->passing,
              ParamPassing::ByReference);
    EXPECT_EQ(members.find(Id::Size, DISPATCH_PROPERTYPUT)->passing, ParamPassing::ByValue);
    EXPECT_EQ(members.find(Id::Size, DISPATCH_PROPERTYGET)->typeName, "VantrelPasswordDialogSizes");
    EXPECT_EQ(members.find(Id::MinLength, DISPATCH_PROPERTYGET)->helpContext, 1796u);
    EXPECT_EQ(members.find(Id::GetPassword, DISPATCH_METHOD)->type, VarType::String);
    EXPECT_EQ(members.find(Id::About, DISPATCH_METHOD)->helpString,
              "Displays the VantrelStudio About Box.");
}
