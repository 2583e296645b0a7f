#pragma once
#include "platform/com/TypeInfo.h"
#include "platform/com/Unknown.h"
#include "platform/core/VBool.h"

// What a container offers the control it hosts.
struct IControlSite : IUnknown {
    static constexpr IID iid{
        0x6C1F3A52, 0x9E0B, 0x4D71, {0xB2, 0x8A, 0x4F, 0x13, 0xC6, 0x5E, 0x90, 0x2D}};

    // The property `id` has changed (sent after the new value is stored).
    [[nodiscard]] virtual HRESULT OnChanged(DispId id) = 0;
    // May the bound property `id` change? S_OK allows it, S_FALSE refuses.
    [[nodiscard]] virtual HRESULT OnRequestEdit(DispId id) = 0;
    // The ambient user mode: True while the host runs, False while its form is designed.
    [[nodiscard]] virtual HRESULT GetAmbientUserMode(VBool *userMode) = 0;
    // Pixels per inch of the display the form is on.
    [[nodiscard]] virtual HRESULT GetDisplayResolution(int *dotsPerInchX, int *dotsPerInchY) = 0;
    // The control's extent in twips. Setting a different extent makes the container report
    // the resize to the control again; setting the same extent changes nothing.
    [[nodiscard]] virtual HRESULT SetExtent(int widthTwips, int heightTwips) = 0;
    [[nodiscard]] virtual HRESULT GetExtent(int *widthTwips, int *heightTwips) = 0;
};
