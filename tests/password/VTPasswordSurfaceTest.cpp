#include "password/IVTPassword.h"
#include "password/LibraryBitmaps.h"
#include "password/VTPasswordDispIds.h"
#include "password/VantrelPasswordExports.h"
#include "platform/com/EmbeddedControl.h"
#include "platform/com/FormContainer.h"

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class VTPasswordSurface : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(DllGetClassObject(VTPasswordIds::control, IClassFactory::iid, factory.put()),
                  S_OK);
        form.resize(200, 120);
    }
    ComPtr<IClassFactory> factory;
    QWidget form;
};

QImage grabbed(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST_F(VTPasswordSurface, AnyResizeSnapsBackToThirtyTwoPixelsAtTheDisplaysResolution)
{
    for (const int dpi : {96, 120}) {
        SCOPED_TRACE(dpi);
        FormContainer designer(&form, FormContainer::Mode::Design);
        designer.setDisplayResolution({dpi, dpi});
        ASSERT_EQ(designer.place("VTPass", VTPasswordIds::control, factory.get()), S_OK);
        const int twips = dpi == 96 ? 480 : 384;
        EXPECT_EQ(designer.extent("VTPass"), QSize(twips, twips)); // already on placing
        for (const QSize dragged : {QSize(100, 40), QSize(1, 1), QSize(0, 300)}) {
            EXPECT_EQ(designer.resizeControl("VTPass", dragged), S_OK);
            EXPECT_EQ(designer.extent("VTPass"), QSize(twips, twips));
            EXPECT_EQ(designer.surface("VTPass")->size(), QSize(32, 32));
        }
    }
}

TEST_F(VTPasswordSurface, TheDialogSizeDoesNotChangeTheSurface)
{
    FormContainer designer(&form, FormContainer::Mode::Design);
    ASSERT_EQ(designer.place("VTPass", VTPasswordIds::control, factory.get()), S_OK);
    const auto vt = queryInterface<IVTPassword>(designer.control("VTPass").get());
    EXPECT_EQ(vt->put_Size(vtrExtraLarge), S_OK);
    EXPECT_EQ(designer.resizeControl("VTPass", {64, 64}), S_OK);
    EXPECT_EQ(designer.extent("VTPass"), QSize(480, 480));
}

TEST_F(VTPasswordSurface, DesignSurfaceShowsThePictureUnscaledAtTheOrigin)
{
    FormContainer designer(&form, FormContainer::Mode::Design);
    ASSERT_EQ(designer.place("VTPass", VTPasswordIds::control, factory.get()), S_OK);
    QWidget *surface = designer.surface("VTPass");
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->objectName(), "VTPass");
    EXPECT_FALSE(surface->isHidden());
    const QImage expected =
        loadLibraryBitmap("CONTROL_VTPASSWORD").toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(grabbed(surface), expected);
}

TEST_F(VTPasswordSurface, AtRunTimeTheControlLeavesNoTraceInTheWindow)
{
    const QImage before = grabbed(&form);
    {
        FormContainer program(&form, FormContainer::Mode::Run);
        ASSERT_EQ(program.place("VTPass", VTPasswordIds::control, factory.get()), S_OK);
        form.show();
        EXPECT_TRUE(program.surface("VTPass")->isHidden());
        EXPECT_EQ(grabbed(&form), before);
        // The control still works as a component.
        const auto vt = queryInterface<IVTPassword>(program.control("VTPass").get());
        EXPECT_EQ(vt->put_Validated(VTrue), S_OK);
    }
    EXPECT_TRUE(form.findChildren<QWidget *>().isEmpty()); // the container took its surface away
}

TEST(VTPasswordDraw, PaintsAtTheOriginOfWhateverItIsGiven)
{
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(DllGetClassObject(VTPasswordIds::control, IClassFactory::iid, factory.put()), S_OK);
    ComPtr<IEmbeddedControl> control;
    ASSERT_EQ(factory->CreateInstance(nullptr, IEmbeddedControl::iid, control.put()), S_OK);
    QImage canvas(50, 40, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        EXPECT_EQ(control->Draw(painter), S_OK);
    }
    const QImage picture =
        loadLibraryBitmap("CONTROL_VTPASSWORD").toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(canvas.copy(0, 0, 32, 32), picture);
    EXPECT_EQ(canvas.pixel(40, 35), qRgb(255, 255, 255)); // nothing beyond 32 x 32
    // Without a site there is no extent to set.
    EXPECT_EQ(control->ExtentChanged(), E_UNEXPECTED);
}

TEST_F(VTPasswordSurface, AFormDeletedBeforeItsContainerLeavesNothingDangling)
{
    auto *doomed = new QWidget;
    FormContainer designer(doomed, FormContainer::Mode::Design);
    ASSERT_EQ(designer.place("VTPass", VTPasswordIds::control, factory.get()), S_OK);
    delete doomed;
    EXPECT_EQ(designer.surface("VTPass"), nullptr);
    EXPECT_EQ(designer.resizeControl("VTPass", {50, 50}), S_OK);
    EXPECT_EQ(designer.extent("VTPass"), QSize(480, 480));
    EXPECT_EQ(designer.place("Other", VTPasswordIds::control, factory.get()), E_INVALIDARG);
}

} // namespace
