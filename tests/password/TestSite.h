#pragma once
#include "platform/com/ComObject.h"
#include "platform/com/ControlSite.h"

#include <functional>
#include <vector>

// A control site that records what the control tells it and answers as the test says.
struct TestSite final : ComObject<IControlSite> {
    std::vector<DispId> changes;      // OnChanged, in order
    std::vector<DispId> editRequests; // OnRequestEdit, in order
    bool allowEdit = true;
    VBool userMode = VTrue;
    HRESULT changeResult = S_OK;
    HRESULT userModeResult = S_OK;
    int dotsPerInch = 96;
    int width = 0, height = 0;
    int extentCalls = 0;
    std::function<void(DispId)> onChanged; // runs inside OnChanged, for nested writes

    HRESULT OnChanged(DispId id) override
    {
        changes.push_back(id);
        if (onChanged)
            onChanged(id);
        return changeResult;
    }
    HRESULT OnRequestEdit(DispId id) override
    {
        editRequests.push_back(id);
        return allowEdit ? S_OK : S_FALSE;
    }
    HRESULT GetAmbientUserMode(VBool *mode) override
    {
        *mode = userMode;
        return userModeResult;
    }
    HRESULT GetDisplayResolution(int *x, int *y) override
    {
        *x = *y = dotsPerInch;
        return S_OK;
    }
    HRESULT SetExtent(int w, int h) override
    {
        ++extentCalls;
        width = w;
        height = h;
        return S_OK;
    }
    HRESULT GetExtent(int *w, int *h) override
    {
        *w = width;
        *h = height;
        return S_OK;
    }
    void *findInterface(const IID &iid) override
    {
        return iid == IControlSite::iid ? static_cast<IControlSite *>(this) : nullptr;
    }
};
