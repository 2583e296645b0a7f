#pragma once
#include <QString>
#include <QVariant>

class QDesignerFormEditorInterface;
class QDesignerFormWindowInterface;
class QDesignerIntegration;
class QWidget;

// Qt Designer without its windows: the form editor with the widget plugins it finds (the
// control's among them), a property editor, and the integration through which the property
// editor's edits reach the form. Forms are edited as a developer edits them and saved as
// Designer saves them.
class HeadlessDesigner {
public:
    HeadlessDesigner();
    ~HeadlessDesigner();
    HeadlessDesigner(const HeadlessDesigner &) = delete;
    HeadlessDesigner &operator=(const HeadlessDesigner &) = delete;

    QDesignerFormEditorInterface &core() { return *m_core; }
    // Opens a form file as Designer's File > Open does; nullptr (and a test failure) if it fails.
    QDesignerFormWindowInterface *open(const QString &path);
    // Selects `widget` on its form and sets one property in the property editor.
    void edit(QWidget &widget, const QString &property, const QVariant &value);

private:
    QDesignerFormEditorInterface *m_core;
    QDesignerIntegration *m_integration;
};
