#pragma once
#include "password/IVTPassword.h"
#include "password/VantrelPasswordExports.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ComPtr.h"
#include "platform/com/EmbeddedControl.h"
#include "tests/password/TestSite.h"

#include <gtest/gtest.h>

// A VTPassword created the way a host creates it (class object, then instance), sitting on
// a test site, with shorthands for calls by dispatch id.
class ControlFixture : public testing::Test {
protected:
    void SetUp() override
    {
        ComPtr<IClassFactory> factory;
        ASSERT_EQ(DllGetClassObject(VTPasswordIds::control, IClassFactory::iid, factory.put()),
                  S_OK);
        ASSERT_EQ(factory->CreateInstance(nullptr, IVTPassword::iid, control.put()), S_OK);
        site = ComPtr<TestSite>::adopt(new TestSite);
        queryInterface<IEmbeddedControl>(control.get())->SetClientSite(site.get());
    }
    void TearDown() override
    {
        if (control)
            queryInterface<IEmbeddedControl>(control.get())->SetClientSite(nullptr);
    }

    HRESULT put(DispId id, Variant value)
    {
        std::vector<Variant> args{std::move(value)};
        return control->Invoke(id, DISPATCH_PROPERTYPUT, args, nullptr);
    }
    Variant get(DispId id)
    {
        std::vector<Variant> none;
        Variant result;
        EXPECT_EQ(control->Invoke(id, DISPATCH_PROPERTYGET, none, &result), S_OK);
        return result;
    }

    ComPtr<IVTPassword> control;
    ComPtr<TestSite> site;
};
