#include "password/VTPasswordTypeLibrary.h"
#include "password/VTPasswordIds.h"
#include "platform/com/EmbeddedControl.h"

#include <algorithm>
#include <gtest/gtest.h>

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
    const char *const enumerators[] = {"vtrNormal", "vtrLarge", "vtrExtraLarge"};
    ASSERT_EQ(sizes.values.size(), std::size(enumerators));
    for (int value = 0; value < 3; ++value) {
        EXPECT_EQ(sizes.values[value].name, enumerators[value]);
        EXPECT_EQ(sizes.values[value].value, value);
        EXPECT_EQ(sizes.values[value].helpString, enumerators[value]);
    }
}

namespace {

// One row of the control's member table, in slot order.
struct MemberRow {
    const char *name;
    bool method;
    DispId id;
    VarType type; // read, written or returned
    const char *typeName;
    ParamPassing write; // None for a method
    std::uint32_t flags;
    std::uint32_t helpContext;
    const char *helpString;
};

constexpr ParamPassing none = ParamPassing::None;
constexpr ParamPassing byValue = ParamPassing::ByValue;
constexpr ParamPassing byRef = ParamPassing::ByReference;
constexpr std::uint32_t noFlags = FUNCFLAG_NONE;
constexpr std::uint32_t bound = FUNCFLAG_FHIDDEN | FUNCFLAG_FBINDABLE | FUNCFLAG_FREQUESTEDIT |
                                FUNCFLAG_FDISPLAYBIND | FUNCFLAG_FDEFAULTBIND;

const MemberRow memberTable[] = {
    {"About", true, -552, VarType::Empty, "", none, noFlags, 1511,
     "Displays the VantrelStudio About Box."},
    {"GetPassword", true, 0x60030009, VarType::String, "", none, noFlags, 1545,
     "Invokes the get password dialog."},
    {"CreatePassword", true, 0x6003000A, VarType::String, "", none, noFlags, 1541,
     "Invokes the create password dialog."},
    {"ChangePassword", true, 0x6003000B, VarType::String, "", none, noFlags, 1519,
     "Invokes the change password dialog."},
    {"Size", false, 0x68030008, VarType::I4, "VantrelPasswordDialogSizes", byValue, noFlags, 1869,
     "Determines the size of fonts and controls on the VTPassword Dialog box."},
    {"ActiveButtons", false, 0x68030007, VarType::Bool, "", byValue, noFlags, 1593,
     "Determines whether the VTPassword Dialog uses Active or Standard Buttons."},
    {"UseImages", false, 0x68030006, VarType::Bool, "", byValue, noFlags, 1895,
     "Returns/sets whether or not the VTPassword dialog box displays Check and X images in the "
     "OK and Cancel buttons."},
    {"Password", false, 0, VarType::String, "", byValue, FUNCFLAG_FUIDEFAULT, 1834,
     "Returns/sets the password.  Also used to validate the current password when set prior to "
     "a 'GetPassword' or 'ChangePassword' call."},
    {"Cancelled", false, 0x68030005, VarType::Bool, "", byValue, FUNCFLAG_FNONBROWSABLE, 1644,
     "Determines whether or not the user pressed the 'Cancel' button on the last shown "
     "VTPassword Dialog box."},
    {"Validated", false, 0x68030004, VarType::Bool, "", byValue, FUNCFLAG_FNONBROWSABLE, 1901,
     "Determines whether or not a password retrieved with 'GetPassword' or 'ChangePassword' was "
     "valid when compared with the 'Password' property."},
    {"DialogTitleGetPassword", false, 0x68030003, VarType::String, "", byValue, noFlags, 1742,
     "Determines what is displayed in the Dialog box's Title Bar when 'GetPassword' is called."},
    {"DialogTitleCreatePassword", false, 0x68030002, VarType::String, "", byValue, noFlags, 1741,
     "Determines what is displayed in the Dialog box's Title Bar when 'CreatePassword' is "
     "called."},
    {"DialogTitleChangePassword", false, 0x68030001, VarType::String, "", byValue, noFlags, 1740,
     "Determines what is displayed in the Dialog box's Title Bar when 'ChangePassword' is "
     "called."},
    {"CaseSensitive", false, 0x68030000, VarType::Bool, "", byValue, noFlags, 1650,
     "Determines whether or not password validation is case sensitive."},
    {"MaxLength", false, 0x6803000D, VarType::I4, "", byRef, noFlags, 1796,
     "Returns/sets the Maximum length of characters allowed in a password value.  A value of 0 "
     "allows any length."},
    {"MinLength", false, 0x6803000C, VarType::I4, "", byRef, noFlags, 1796,
     "Returns/sets the Minimum length of characters allowed in a password value."},
    {"DBPassword", false, 0x6803000E, VarType::String, "", byValue, bound, 0, ""},
    {"CaptionChangeOldPwd", false, 0x68030016, VarType::String, "", byRef, noFlags, 0, ""},
    {"CaptionChangeNewPwd", false, 0x68030015, VarType::String, "", byRef, noFlags, 0, ""},
    {"CaptionChangeCfmPwd", false, 0x68030014, VarType::String, "", byRef, noFlags, 0, ""},
    {"CaptionCreateEntPwd", false, 0x68030013, VarType::String, "", byRef, noFlags, 0, ""},
    {"CaptionCreateCfmPwd", false, 0x68030012, VarType::String, "", byRef, noFlags, 0, ""},
    {"CaptionGetPassword", false, 0x68030011, VarType::String, "", byRef, noFlags, 0, ""},
    {"CaptionOK", false, 0x68030010, VarType::String, "", byRef, noFlags, 0, ""},
    {"CaptionCancel", false, 0x6803000F, VarType::String, "", byRef, noFlags, 0, ""},
};
// From MaxLength (slot 15) on, a property's write slot comes before its read slot.
constexpr std::size_t firstWriteFirstSlot = 15;

} // namespace

TEST(VTPasswordTypeLibrary, EveryMemberInSlotOrderWithIdTypePassingAttributesAndHelp)
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

    std::size_t next = 0; // the next function table entry
    for (std::size_t slot = 1; slot <= std::size(memberTable); ++slot) {
        const MemberRow &row = memberTable[slot - 1];
        SCOPED_TRACE(row.name);
        std::vector<InvokeKind> kinds{DISPATCH_METHOD};
        if (!row.method) {
            kinds = {DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT};
            if (slot >= firstWriteFirstSlot)
                std::swap(kinds[0], kinds[1]);
        }
        for (InvokeKind kind : kinds) {
            ASSERT_LT(next, members->functions.size());
            const FunctionDesc &entry = members->functions[next++];
            EXPECT_EQ(entry.name, row.name);
            EXPECT_EQ(entry.kind, kind);
            EXPECT_EQ(entry.id, row.id);
            EXPECT_EQ(entry.type, row.type);
            EXPECT_EQ(entry.typeName, row.typeName);
            EXPECT_EQ(entry.passing, kind == DISPATCH_PROPERTYPUT ? row.write : none);
            EXPECT_EQ(entry.flags, row.flags);
            EXPECT_EQ(entry.helpContext, row.helpContext);
            EXPECT_EQ(entry.helpString, row.helpString);
        }
        EXPECT_EQ(members->idOfName(row.name), row.id);
    }
    EXPECT_EQ(next, members->functions.size()) << "no members beyond the table";
}
