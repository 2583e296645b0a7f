// The container's side of hosting: a control that fails the calls placing it relies on is not
// hosted, and nothing of it is kept.
#include "platform/com/FormContainer.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ComPtr.h"
#include "platform/com/EmbeddedControl.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A control whose answers to GetMiscStatus and SetClientSite (with a site) are chosen.
class ChosenAnswersControl final : public ComObject<IEmbeddedControl> {
public:
    ChosenAnswersControl(ModuleCounter &module, HRESULT misc, HRESULT site)
        : ComObject(&module), m_misc(misc), m_site(site)
    {
    }
    HRESULT SetClientSite(IControlSite *site) override { return site ? m_site : S_OK; }
    HRESULT GetMiscStatus(std::uint32_t *status) override
    {
        *status = 0;
        return m_misc;
    }
    HRESULT Draw(QPainter &) override { return S_OK; }
    HRESULT ExtentChanged() override { return S_OK; }

private:
    void *findInterface(const IID &iid) override
    {
        return iid == IEmbeddedControl::iid ? static_cast<IEmbeddedControl *>(this) : nullptr;
    }
    HRESULT m_misc;
    HRESULT m_site;
};

TEST(FormContainer, ControlThatFailsItsStatusOrItsSiteIsNotHosted)
{
    QWidget form;
    FormContainer container(&form, FormContainer::Mode::Run);
    ModuleCounter module;
    const CLSID clsid = *Guid::fromString(u"{5A0C1E77-3B2D-4F61-9C84-2E7D10B3A4F5}");
    struct Case {
        HRESULT misc, site, placed;
    };
    for (const Case &c : {Case{E_FAIL, S_OK, E_FAIL}, Case{S_OK, E_UNEXPECTED, E_UNEXPECTED},
                          Case{S_OK, S_OK, S_OK}}) {
        const auto factory = ComPtr<ClassFactory>::adopt(new ClassFactory(module, [&]() {
            return static_cast<IEmbeddedControl *>(
                new ChosenAnswersControl(module, c.misc, c.site));
        }));
        const QString name = QString::number(c.placed);
        EXPECT_EQ(container.place(name, clsid, factory.get()), c.placed);
        EXPECT_EQ(container.control(name).get() != nullptr, c.placed == S_OK);
        EXPECT_EQ(container.surface(name) != nullptr, c.placed == S_OK);
    }
    EXPECT_EQ(container.remove(QString::number(S_OK)), S_OK);
    EXPECT_TRUE(module.canUnload()); // nothing of a refused control is kept
}

} // namespace
