#include "password/designer/DefaultSettingsKeeper.h"

#include <QMetaProperty>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerIntegration>
#include <QtDesigner/QDesignerPropertyEditorInterface>
#include <QtDesigner/QDesignerPropertySheetExtension>
#include <QtDesigner/QExtensionManager>

#include "password/sdk/PasswordControl.h"

using VantrelPassword::PasswordControl;

DefaultSettingsKeeper::DefaultSettingsKeeper(QDesignerFormEditorInterface &core) : m_core(core) {}

void DefaultSettingsKeeper::follow()
{
    QDesignerIntegrationInterface *integration = m_core.integration();
    if (m_following || integration == nullptr)
        return;
    // Designer sets the property on every selected widget, marks it changed, then says so.
    connect(integration, &QDesignerIntegrationInterface::propertyChanged, this,
            [this](QDesignerFormWindowInterface *form, const QString &name, const QVariant &) {
                edited(form, name);
            });
    m_following = true;
}

void DefaultSettingsKeeper::edited(QDesignerFormWindowInterface *form, const QString &name)
{
    if (form == nullptr)
        return;
    QDesignerFormWindowCursorInterface *cursor = form->cursor();
    for (int i = 0; i < cursor->selectedWidgetCount(); ++i)
        if (auto *control = qobject_cast<PasswordControl *>(cursor->selectedWidget(i)))
            unmarkIfDefault(*control, name);
}

void DefaultSettingsKeeper::unmarkIfDefault(PasswordControl &control, const QString &name)
{
    const QVariant value = control.property(name.toLatin1().constData());
    if (!value.isValid() || value != defaultOf(name))
        return;
    auto *sheet =
        qt_extension<QDesignerPropertySheetExtension *>(m_core.extensionManager(), &control);
    const int index = sheet != nullptr ? sheet->indexOf(name) : -1;
    if (index < 0)
        return;
    sheet->setChanged(index, false);
    // The editor shows a changed setting in bold with a reset arrow; show it as a default.
    QDesignerPropertyEditorInterface *editor = m_core.propertyEditor();
    if (editor != nullptr && editor->object() == &control)
        editor->setPropertyValue(name, value, false);
}

QVariant DefaultSettingsKeeper::defaultOf(const QString &name)
{
    if (m_defaults.isEmpty()) {
        const PasswordControl fresh(PasswordControl::Mode::Design, nullptr);
        const QMetaObject &settings = PasswordControl::staticMetaObject;
        for (int i = settings.propertyOffset(); i < settings.propertyCount(); ++i)
            m_defaults.insert(settings.property(i).name(), settings.property(i).read(&fresh));
    }
    return m_defaults.value(name);
}
