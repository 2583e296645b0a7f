#pragma once
#include "platform/com/TypeInfo.h"

/// Dispatch ids of the members of _VTPassword.
/// @since 3.5
namespace VTPasswordDispId {

inline constexpr DispId About = DISPID_ABOUTBOX;
inline constexpr DispId GetPassword = 0x60030009;
inline constexpr DispId CreatePassword = 0x6003000A;
inline constexpr DispId ChangePassword = 0x6003000B;
inline constexpr DispId Size = 0x68030008;
inline constexpr DispId ActiveButtons = 0x68030007;
inline constexpr DispId UseImages = 0x68030006;
inline constexpr DispId Password = DISPID_VALUE; // the default member
inline constexpr DispId Cancelled = 0x68030005;
inline constexpr DispId Validated = 0x68030004;
inline constexpr DispId DialogTitleGetPassword = 0x68030003;
inline constexpr DispId DialogTitleCreatePassword = 0x68030002;
inline constexpr DispId DialogTitleChangePassword = 0x68030001;
inline constexpr DispId CaseSensitive = 0x68030000;
inline constexpr DispId MaxLength = 0x6803000D;
inline constexpr DispId MinLength = 0x6803000C;
inline constexpr DispId DBPassword = 0x6803000E;
inline constexpr DispId CaptionChangeOldPwd = 0x68030016;
inline constexpr DispId CaptionChangeNewPwd = 0x68030015;
inline constexpr DispId CaptionChangeCfmPwd = 0x68030014;
inline constexpr DispId CaptionCreateEntPwd = 0x68030013;
inline constexpr DispId CaptionCreateCfmPwd = 0x68030012;
inline constexpr DispId CaptionGetPassword = 0x68030011;
inline constexpr DispId CaptionOK = 0x68030010;
inline constexpr DispId CaptionCancel = 0x6803000F;

} // namespace VTPasswordDispId

/// The values of VantrelPasswordDialogSizes. `Size` stores any value; every value other than
/// 1 and 2 means the normal size.
/// @since 3.5
enum VantrelPasswordDialogSizes : std::int32_t {
    vtrNormal = 0,
    vtrLarge = 1,
    vtrExtraLarge = 2,
};
