#include "password/VTPasswordModule.h"

#include "globals/utilities/FormFonts.h"
#include "password/VTPassword.h"
#include "password/VTPasswordIds.h"
#include "password/VantrelPasswordExports.h"
#include "platform/com/BoundaryCall.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ComPtr.h"

ModuleCounter &vtPasswordModule()
{
    static ModuleCounter module;
    return module;
}

HRESULT DllGetClassObject(const CLSID &clsid, const IID &iid, void **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (clsid != VTPasswordIds::control)
        return CLASS_E_CLASSNOTAVAILABLE;
    return boundaryCall([&] {
        // The control's forms name Windows fonts: the host process gets their stand-ins.
        registerFormFontSubstitutes();
        const auto create = []() -> IUnknown * {
            return static_cast<IVTPassword *>(VTPassword::create());
        };
        const auto factory =
            ComPtr<ClassFactory>::adopt(new ClassFactory(vtPasswordModule(), create));
        return factory->QueryInterface(iid, object);
    });
}

HRESULT DllCanUnloadNow() { return vtPasswordModule().canUnload() ? S_OK : S_FALSE; }
