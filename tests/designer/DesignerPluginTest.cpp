#include <QApplication>
#include <QPluginLoader>
#include <QPushButton>
#include <QTest>
#include <QUiLoader>
#include <QXmlStreamReader>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerWidgetFactoryInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <gtest/gtest.h>

#include "password/sdk/PasswordControl.h"
#include "tests/TestPaths.h"
#include "tests/designer/HeadlessDesigner.h"
#include "tests/registry/TemporaryRegistry.h"
#include "tests/support/ModalDriver.h"

using VantrelPassword::PasswordControl;

namespace {

class DesignerPluginTest : public TemporaryRegistry {
protected:
    // The plugin as Designer loads it, from the library file.
    static QDesignerCustomWidgetInterface *plugin()
    {
        static QPluginLoader loader(EC_DESIGNER_PLUGIN);
        QObject *instance = loader.instance();
        EXPECT_NE(instance, nullptr) << loader.errorString().toStdString();
        return qobject_cast<QDesignerCustomWidgetInterface *>(instance);
    }

    // The form of the data folder as a program loads it at run time.
    std::unique_ptr<QWidget> loadForm(const char *file)
    {
        QUiLoader loader;
        loader.clearPluginPaths();
        loader.addPluginPath(QFileInfo(EC_DESIGNER_PLUGIN).absolutePath());
        QFile form(QStringLiteral(EC_DESIGNER_DATA "/%1").arg(file));
        EXPECT_TRUE(form.open(QIODevice::ReadOnly));
        std::unique_ptr<QWidget> widget(loader.load(&form));
        EXPECT_TRUE(widget) << loader.errorString().toStdString();
        return widget;
    }

    MessageRecorder m_messages;
};

TEST_F(DesignerPluginTest, WidgetBoxEntryNamesTheClassItsHeaderGroupAndPicture)
{
    QDesignerCustomWidgetInterface *entry = plugin();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->name(), "VantrelPassword::PasswordControl");
    EXPECT_EQ(entry->group(), "VantrelPassword");
    EXPECT_EQ(entry->includeFile(), "<VantrelPassword/PasswordControl.h>");
    EXPECT_FALSE(entry->isContainer());
    EXPECT_EQ(entry->icon().availableSizes(), QList<QSize>{QSize(16, 15)});

    // The form snippet dropped on a form: the class, and the control's own 32 x 32 size.
    QXmlStreamReader xml(entry->domXml());
    QString widgetClass;
    QString geometry;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"widget")
            widgetClass = xml.attributes().value("class").toString();
        if (xml.isStartElement() && (xml.name() == u"width" || xml.name() == u"height"))
            geometry += xml.readElementText() + ' ';
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(widgetClass, entry->name());
    EXPECT_EQ(geometry, "32 32 ");
}

TEST_F(DesignerPluginTest, ControlsAreInDesignModeOnlyOnceAFormEditorInitialisedThePlugin)
{
    QDesignerCustomWidgetInterface *entry = plugin();
    ASSERT_NE(entry, nullptr);
    QWidget form;
    entry->initialize(nullptr); // as a run-time form loader leaves it
    std::unique_ptr<QWidget> running(entry->createWidget(&form));
    EXPECT_EQ(qobject_cast<PasswordControl *>(running.get())->mode(), PasswordControl::Mode::Run);
    EXPECT_FALSE(entry->isInitialized());

    // Designer initialises the plugins it finds with its form editor; on a form being
    // designed the control is in design mode.
    HeadlessDesigner designer;
    EXPECT_TRUE(entry->isInitialized());
    QDesignerFormWindowInterface *designedForm = designer.open(EC_DESIGNER_DATA "/VaultForm.ui");
    ASSERT_NE(designedForm, nullptr);
    std::unique_ptr<QWidget> designed(entry->createWidget(designedForm->mainContainer()));
    auto *control = qobject_cast<PasswordControl *>(designed.get());
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->mode(), PasswordControl::Mode::Design);
    EXPECT_EQ(control->minimumSize(), QSize(32, 32));
    EXPECT_EQ(control->maximumSize(), QSize(32, 32));
    entry->initialize(nullptr); // the plugin instance is shared with later loads
}

// Designer's preview runs the form: the control is hidden there, as in the program. The
// picture dragged from the widget box (a tool-tip window of Designer's) shows the control.
TEST_F(DesignerPluginTest, PreviewRunsTheFormAndTheDraggedPictureShowsTheControl)
{
    HeadlessDesigner designer;
    QDesignerFormWindowInterface *form = designer.open(EC_DESIGNER_DATA "/VaultForm.ui");
    ASSERT_NE(form, nullptr);
    designer.core().formWindowManager()->showPreview();
    PasswordControl *previewed = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *control = window->findChild<PasswordControl *>("vault");
            control && QDesignerFormWindowInterface::findFormWindow(control) == nullptr)
            previewed = control;
    ASSERT_NE(previewed, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(previewed->window()));
    EXPECT_EQ(previewed->mode(), PasswordControl::Mode::Run);
    EXPECT_FALSE(previewed->isVisible());
    designer.core().formWindowManager()->closeAllPreviews();

    QWidget dragged(nullptr, Qt::ToolTip);
    const std::unique_ptr<QWidget> picture(designer.core().widgetFactory()->createWidget(
        "VantrelPassword::PasswordControl", &dragged));
    ASSERT_NE(qobject_cast<PasswordControl *>(picture.get()), nullptr);
    EXPECT_EQ(qobject_cast<PasswordControl *>(picture.get())->mode(),
              PasswordControl::Mode::Design);
}

TEST_F(DesignerPluginTest, FormFileKeepsOnlyTheSettingsThatDifferFromTheDefaults)
{
    HeadlessDesigner designer;
    QDesignerFormWindowInterface *form = designer.open(EC_DESIGNER_DATA "/VaultForm.ui");
    ASSERT_NE(form, nullptr);
    auto *control = form->mainContainer()->findChild<PasswordControl *>("vault");
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->mode(), PasswordControl::Mode::Design);
    const auto saved = [&](const char *setting) {
        return form->contents().contains(QStringLiteral("name=\"%1\"").arg(setting));
    };
    const PasswordControl defaults(PasswordControl::Mode::Design, nullptr);

    designer.edit(*control, "MaxLength", 12);
    EXPECT_TRUE(saved("MaxLength"));
    // Typed back to its default, a setting leaves the file, as if never changed.
    designer.edit(*control, "MaxLength", defaults.maxLength());
    EXPECT_FALSE(saved("MaxLength"));
    EXPECT_TRUE(saved("MinLength"));
    designer.edit(*control, "MinLength", defaults.minLength());
    EXPECT_FALSE(saved("MinLength"));
    designer.edit(*control, "CaptionOK", defaults.captionOK());
    EXPECT_FALSE(saved("CaptionOK"));
    EXPECT_EQ(control->captionOK(), defaults.captionOK());

    // Settings that still differ stay, with their values.
    designer.edit(*control, "CaptionCancel", "&Leave");
    EXPECT_TRUE(saved("CaptionCancel"));
    EXPECT_TRUE(saved("Password"));
    EXPECT_TRUE(form->contents().contains("Lantern"));
    EXPECT_TRUE(m_messages.calls().empty());
}

TEST_F(DesignerPluginTest, FormLoadedAtRunTimeGivesAHiddenControlWithTheSavedSettings)
{
    const std::unique_ptr<QWidget> form = loadForm("VaultForm.ui");
    ASSERT_TRUE(form);
    auto *control = form->findChild<PasswordControl *>("vault");
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->mode(), PasswordControl::Mode::Run);

    // Saved settings read back as saved; the others keep the control's defaults.
    EXPECT_EQ(control->dialogSize(), PasswordControl::vtrExtraLarge);
    EXPECT_EQ(control->password(), "Lantern");
    EXPECT_EQ(control->dialogTitleGetPassword(), "Open the vault");
    EXPECT_FALSE(control->caseSensitive());
    EXPECT_EQ(control->minLength(), 6);
    EXPECT_EQ(control->captionOK(), "&Unlock");
    EXPECT_EQ(control->maxLength(), 0);
    EXPECT_TRUE(control->useImages());
    EXPECT_EQ(control->captionCancel(), "&Cancel");
    EXPECT_EQ(control->dialogTitleCreatePassword(), "Create Password");

    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    EXPECT_FALSE(control->isVisible());

    // Its methods work: the get dialog in the saved size, title and caption.
    whileOpen([](QDialog &open) {
        EXPECT_EQ(open.objectName(), "frmGetPasswordExtraLarge");
        EXPECT_EQ(open.windowTitle(), "Open the vault");
        EXPECT_EQ(open.findChild<QPushButton *>("cmdOK")->text(), "&Unlock");
        QTest::keyClicks(box(open, "txtPassword"), "LANTERN");
        pressOk(open);
    });
    QString typed;
    ASSERT_TRUE(QMetaObject::invokeMethod(control, "getPassword", Q_RETURN_ARG(QString, typed)));
    EXPECT_EQ(typed, "LANTERN");
    EXPECT_TRUE(control->validated());
    EXPECT_TRUE(m_messages.calls().empty());
}

} // namespace
