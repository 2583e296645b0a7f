#pragma once
#include "platform/com/ComObject.h"
#include "platform/com/ControlSite.h"
#include "platform/com/ControlSurface.h"

#include <QPointer>
#include <QString>

class FormContainer;
struct IEmbeddedControl;

// The site of one control on a FormContainer's form: answers the control's questions from
// the container and keeps the control's extent and surface widget in step.
class FormControlSite final : public ComObject<IControlSite> {
public:
    FormControlSite(FormContainer *container, QString name);

    [[nodiscard]] HRESULT OnChanged(DispId id) override;
    [[nodiscard]] HRESULT OnRequestEdit(DispId id) override;
    [[nodiscard]] HRESULT GetAmbientUserMode(VBool *userMode) override;
    [[nodiscard]] HRESULT GetDisplayResolution(int *dotsPerInchX, int *dotsPerInchY) override;
    [[nodiscard]] HRESULT SetExtent(int widthTwips, int heightTwips) override;
    [[nodiscard]] HRESULT GetExtent(int *widthTwips, int *heightTwips) override;

    // Set by the container once the control and its surface exist.
    void attach(IEmbeddedControl *control, ControlSurface *surface);
    // The container is going away: answer nothing more.
    void detach();
    const QString &name() const { return m_name; }

private:
    void *findInterface(const IID &iid) override;
    void fitSurface();

    FormContainer *m_container;
    QString m_name;
    IEmbeddedControl *m_control = nullptr;
    QPointer<ControlSurface> m_surface; // the form may delete it first
    int m_width = 0;
    int m_height = 0;
};
