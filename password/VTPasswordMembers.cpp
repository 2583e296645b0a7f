#include "password/VTPasswordMembers.h"

#include "password/VTPasswordDispIds.h"

namespace {

using I = IVTPassword;
using Table = DispatchTable<I>;
namespace Id = VTPasswordDispId;

PropertyOptions help(std::uint32_t context, const char *text, std::uint32_t flags = FUNCFLAG_NONE)
{
    PropertyOptions options;
    options.helpContext = context;
    options.helpString = text;
    options.flags = flags;
    return options;
}

PropertyOptions attributes(std::uint32_t flags)
{
    PropertyOptions options;
    options.flags = flags;
    return options;
}

// The rows from MaxLength on list their write slot before their read slot.
PropertyOptions writeFirst(PropertyOptions options = {})
{
    options.writeSlotFirst = true;
    return options;
}

PropertyOptions ofType(const char *typeName, PropertyOptions options)
{
    options.typeName = typeName;
    return options;
}

// Adds the eight caption properties: written by reference, without help.
void addCaptions(Table &table)
{
    table
        .propertyByRef<VarType::String>("CaptionChangeOldPwd", Id::CaptionChangeOldPwd,
                                        &I::get_CaptionChangeOldPwd, &I::put_CaptionChangeOldPwd,
                                        writeFirst())
        .propertyByRef<VarType::String>("CaptionChangeNewPwd", Id::CaptionChangeNewPwd,
                                        &I::get_CaptionChangeNewPwd, &I::put_CaptionChangeNewPwd,
                                        writeFirst())
        .propertyByRef<VarType::String>("CaptionChangeCfmPwd", Id::CaptionChangeCfmPwd,
                                        &I::get_CaptionChangeCfmPwd, &I::put_CaptionChangeCfmPwd,
                                        writeFirst())
        .propertyByRef<VarType::String>("CaptionCreateEntPwd", Id::CaptionCreateEntPwd,
                                        &I::get_CaptionCreateEntPwd, &I::put_CaptionCreateEntPwd,
                                        writeFirst())
        .propertyByRef<VarType::String>("CaptionCreateCfmPwd", Id::CaptionCreateCfmPwd,
                                        &I::get_CaptionCreateCfmPwd, &I::put_CaptionCreateCfmPwd,
                                        writeFirst())
        .propertyByRef<VarType::String>("CaptionGetPassword", Id::CaptionGetPassword,
                                        &I::get_CaptionGetPassword, &I::put_CaptionGetPassword,
                                        writeFirst())
        .propertyByRef<VarType::String>("CaptionOK", Id::CaptionOK, &I::get_CaptionOK,
                                        &I::put_CaptionOK, writeFirst())
        .propertyByRef<VarType::String>("CaptionCancel", Id::CaptionCancel, &I::get_CaptionCancel,
                                        &I::put_CaptionCancel, writeFirst());
}

Table buildTable()
{
    Table table(InterfaceDesc{"_VTPassword",
                              VTPasswordIds::defaultInterface,
                              {1, 3},
                              TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE |
                                  TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE,
                              "IDispatch",
                              {}});
    table.method("About", Id::About, &I::About, 1511, "Displays the VantrelStudio About Box.")
        .methodReturning<VarType::String>("GetPassword", Id::GetPassword, &I::GetPassword, 1545,
                                          "Invokes the get password dialog.")
        .methodReturning<VarType::String>("CreatePassword", Id::CreatePassword, &I::CreatePassword,
                                          1541, "Invokes the create password dialog.")
        .methodReturning<VarType::String>("ChangePassword", Id::ChangePassword, &I::ChangePassword,
                                          1519, "Invokes the change password dialog.")
        .property<VarType::I4>(
            "Size", Id::Size, &I::get_Size, &I::put_Size,
            ofType("VantrelPasswordDialogSizes",
                   help(1869,
                        "Determines the size of fonts and controls on the VTPassword Dialog box.")))
        .property<VarType::Bool>(
            "ActiveButtons", Id::ActiveButtons, &I::get_ActiveButtons, &I::put_ActiveButtons,
            help(1593, "Determines whether the VTPassword Dialog uses Active or Standard Buttons."))
        .property<VarType::Bool>(
            "UseImages", Id::UseImages, &I::get_UseImages, &I::put_UseImages,
            help(1895, "Returns/sets whether or not the VTPassword dialog box displays Check "
                       "and X images in the OK and Cancel buttons."))
        .property<VarType::String>("Password", Id::Password, &I::get_Password, &I::put_Password,
                                   help(1834,
                                        "Returns/sets the password.  Also used to validate the "
                                        "current password when set prior "
                                        "to a 'GetPassword' or 'ChangePassword' call.",
                                        FUNCFLAG_FUIDEFAULT))
        .property<VarType::Bool>(
            "Cancelled", Id::Cancelled, &I::get_Cancelled, &I::put_Cancelled,
            help(1644,
                 "Determines whether or not the user pressed the 'Cancel' button on the "
                 "last shown VTPassword Dialog box.",
                 FUNCFLAG_FNONBROWSABLE))
        .property<VarType::Bool>(
            "Validated", Id::Validated, &I::get_Validated, &I::put_Validated,
            help(1901,
                 "Determines whether or not a password retrieved with 'GetPassword' or "
                 "'ChangePassword' was valid when compared with the 'Password' "
                 "property.",
                 FUNCFLAG_FNONBROWSABLE))
        .property<VarType::String>(
            "DialogTitleGetPassword", Id::DialogTitleGetPassword, &I::get_DialogTitleGetPassword,
            &I::put_DialogTitleGetPassword,
            help(1742, "Determines what is displayed in the Dialog box's Title Bar when "
                       "'GetPassword' is called."))
        .property<VarType::String>(
            "DialogTitleCreatePassword", Id::DialogTitleCreatePassword,
            &I::get_DialogTitleCreatePassword, &I::put_DialogTitleCreatePassword,
            help(1741, "Determines what is displayed in the Dialog box's Title Bar when "
                       "'CreatePassword' is called."))
        .property<VarType::String>(
            "DialogTitleChangePassword", Id::DialogTitleChangePassword,
            &I::get_DialogTitleChangePassword, &I::put_DialogTitleChangePassword,
            help(1740, "Determines what is displayed in the Dialog box's Title Bar when "
                       "'ChangePassword' is called."))
        .property<VarType::Bool>(
            "CaseSensitive", Id::CaseSensitive, &I::get_CaseSensitive, &I::put_CaseSensitive,
            help(1650, "Determines whether or not password validation is case sensitive."))
        .propertyByRef<VarType::I4>(
            "MaxLength", Id::MaxLength, &I::get_MaxLength, &I::put_MaxLength,
            writeFirst(help(1796, "Returns/sets the Maximum length of characters allowed in a "
                                  "password value.  A value of 0 allows any length.")))
        .propertyByRef<VarType::I4>(
            "MinLength", Id::MinLength, &I::get_MinLength, &I::put_MinLength,
            writeFirst(
                help(1796,
                     "Returns/sets the Minimum length of characters allowed in a password value.")))
        .property<VarType::String>(
            "DBPassword", Id::DBPassword, &I::get_DBPassword, &I::put_DBPassword,
            writeFirst(attributes(FUNCFLAG_FHIDDEN | FUNCFLAG_FBINDABLE | FUNCFLAG_FREQUESTEDIT |
                                  FUNCFLAG_FDISPLAYBIND | FUNCFLAG_FDEFAULTBIND)));
    addCaptions(table);
    return table;
}

} // namespace

const DispatchTable<IVTPassword> &vtPasswordMembers()
{
    static const Table table = buildTable();
    return table;
}
