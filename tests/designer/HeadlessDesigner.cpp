#include "tests/designer/HeadlessDesigner.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QtDesigner/QDesignerComponents>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerIntegration>
#include <QtDesigner/QDesignerPropertyEditorInterface>
#include <gtest/gtest.h>

#include "tests/TestPaths.h"

HeadlessDesigner::HeadlessDesigner()
{
    // Designer looks for widget plugins in designer/ under each library path.
    QCoreApplication::addLibraryPath(QFileInfo(EC_DESIGNER_PLUGIN).dir().absolutePath() + "/..");
    m_core = QDesignerComponents::createFormEditor(nullptr);
    QDesignerComponents::initializePlugins(m_core);
    m_core->setPropertyEditor(QDesignerComponents::createPropertyEditor(m_core, nullptr));
    m_integration = new QDesignerIntegration(m_core, m_core);
    m_core->setIntegration(m_integration);
}

HeadlessDesigner::~HeadlessDesigner()
{
    delete m_core->propertyEditor();
    delete m_core;
}

QDesignerFormWindowInterface *HeadlessDesigner::open(const QString &path)
{
    QDesignerFormWindowManagerInterface *forms = m_core->formWindowManager();
    QDesignerFormWindowInterface *form = forms->createFormWindow(nullptr);
    QFile file(path);
    QString error;
    const bool read = file.open(QIODevice::ReadOnly) && form->setContents(&file, &error);
    EXPECT_TRUE(read) << error.toStdString();
    if (!read)
        return nullptr;
    form->setFileName(path);
    forms->setActiveFormWindow(form);
    return form;
}

void HeadlessDesigner::edit(QWidget &widget, const QString &property, const QVariant &value)
{
    QDesignerFormWindowInterface *form = QDesignerFormWindowInterface::findFormWindow(&widget);
    ASSERT_NE(form, nullptr);
    form->clearSelection(false);
    form->selectWidget(&widget, true);
    m_core->propertyEditor()->setObject(&widget);
    m_integration->updateProperty(property, value, false);
}
