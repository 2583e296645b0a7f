#pragma once
#include <QObject>
#include <QVariantHash>

class QDesignerFormEditorInterface;
class QDesignerFormWindowInterface;

namespace VantrelPassword {
class PasswordControl;
}

// Designer marks a property as changed whenever the developer edits it, even when the edit
// brings it back to its default, and writes every changed property into the .ui file. This
// keeper takes the mark off a setting of a PasswordControl that an edit brought back to the
// control's default, so the form file keeps only the settings that differ from the defaults,
// as the control's own saved forms do.
class DefaultSettingsKeeper final : public QObject {
public:
    explicit DefaultSettingsKeeper(QDesignerFormEditorInterface &core);

    // Starts following the property editor's edits once Designer has made its integration (it
    // does so after initialising its plugins); later calls do nothing.
    void follow();

private:
    void edited(QDesignerFormWindowInterface *form, const QString &name);
    void unmarkIfDefault(VantrelPassword::PasswordControl &control, const QString &name);
    QVariant defaultOf(const QString &name);

    QDesignerFormEditorInterface &m_core;
    bool m_following = false;
    // The settings of a control as Designer creates one, read once. Values, not a control: the
    // plugin lives until the process ends, longer than the control library's own state.
    QVariantHash m_defaults;
};
