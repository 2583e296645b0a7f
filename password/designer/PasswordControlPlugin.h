#pragma once
#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <memory>

class DefaultSettingsKeeper;

// Puts VantrelPassword::PasswordControl into Qt Designer's widget box (group
// "VantrelPassword"). Designer initialises its plugins, and the controls it then creates on a
// form being edited (or dragged onto one) are in design mode: they show the control's 32 x 32
// picture at a fixed size and take their properties in the property editor. A form's preview
// in Designer runs the form, and a form loaded at run time (QUiLoader) does not initialise the
// plugin: the controls they create run their dialogs and stay hidden.
class PasswordControlPlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    explicit PasswordControlPlugin(QObject *parent = nullptr);
    ~PasswordControlPlugin() override;

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override;
    QWidget *createWidget(QWidget *parent) override;
    bool isInitialized() const override;
    void initialize(QDesignerFormEditorInterface *core) override;
    QString domXml() const override;

private:
    bool m_initialized = false;
    // Set once a form editor initialised the plugin.
    std::unique_ptr<DefaultSettingsKeeper> m_defaultSettings;
};
