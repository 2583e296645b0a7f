#include "password/designer/PasswordControlPlugin.h"

#include "password/designer/DefaultSettingsKeeper.h"

#include "password/sdk/PasswordControl.h"

#include <QIcon>
#include <QtDesigner/QDesignerFormWindowInterface>

using VantrelPassword::PasswordControl;

PasswordControlPlugin::PasswordControlPlugin(QObject *parent) : QObject(parent) {}

PasswordControlPlugin::~PasswordControlPlugin() = default;

QString PasswordControlPlugin::name() const
{
    return QString::fromLatin1(PasswordControl::staticMetaObject.className());
}

QString PasswordControlPlugin::group() const { return QStringLiteral("VantrelPassword"); }

QString PasswordControlPlugin::toolTip() const
{
    return QStringLiteral("VTPassword: get, create and change password dialogs");
}

QString PasswordControlPlugin::whatsThis() const
{
    return QStringLiteral("A password dialog control. It is invisible while the program runs; "
                          "call getPassword(), createPassword() or changePassword() to show "
                          "its dialogs, then read Validated, Cancelled and Password.");
}

QString PasswordControlPlugin::includeFile() const
{
    // Angle brackets: uic writes a global include for the installed header.
    return QStringLiteral("<VantrelPassword/PasswordControl.h>");
}

QIcon PasswordControlPlugin::icon() const { return QIcon(PasswordControl::toolboxPicture()); }

bool PasswordControlPlugin::isContainer() const { return false; }

// Designer creates the control in three places: on a form being edited, inside the picture
// that follows the mouse when it is dragged from the widget box (a tool-tip window of its
// own), and in a form's preview, which is the form running.
namespace {

bool onFormBeingDesigned(QWidget *parent)
{
    if (parent == nullptr)
        return false;
    return QDesignerFormWindowInterface::findFormWindow(parent) != nullptr ||
           parent->window()->windowType() == Qt::ToolTip;
}

} // namespace

QWidget *PasswordControlPlugin::createWidget(QWidget *parent)
{
    if (!m_initialized || !onFormBeingDesigned(parent))
        return new PasswordControl(PasswordControl::Mode::Run, parent);
    m_defaultSettings->follow();
    return new PasswordControl(PasswordControl::Mode::Design, parent);
}

bool PasswordControlPlugin::isInitialized() const { return m_initialized; }

void PasswordControlPlugin::initialize(QDesignerFormEditorInterface *core)
{
    // Only a form editor initialises its plugins; forms loaded at run time do not.
    m_initialized = core != nullptr;
    m_defaultSettings = m_initialized ? std::make_unique<DefaultSettingsKeeper>(*core) : nullptr;
}

QString PasswordControlPlugin::domXml() const
{
    return QStringLiteral(R"(<ui language="c++" displayname="VTPassword">
 <widget class="%1" name="VTPassword1">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>32</width><height>32</height></rect>
  </property>
 </widget>
</ui>
)")
        .arg(name());
}
