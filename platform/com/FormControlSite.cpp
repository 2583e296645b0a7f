#include "platform/com/FormControlSite.h"

#include "platform/com/ControlSurface.h"
#include "platform/com/EmbeddedControl.h"
#include "platform/com/FormContainer.h"
#include "platform/core/Twips.h"

FormControlSite::FormControlSite(FormContainer *container, QString name)
    : m_container(container), m_name(std::move(name))
{
}

void FormControlSite::attach(IEmbeddedControl *control, ControlSurface *surface)
{
    m_control = control;
    m_surface = surface;
    fitSurface();
}

void FormControlSite::detach()
{
    m_container = nullptr;
    m_control = nullptr;
    m_surface = nullptr;
}

HRESULT FormControlSite::OnChanged(DispId id)
{
    if (!m_container)
        return E_UNEXPECTED;
    m_container->controlChanged(m_name, id);
    return S_OK;
}

// The form lets every bound property change.
HRESULT FormControlSite::OnRequestEdit(DispId)
{
    if (!m_container)
        return E_UNEXPECTED;
    return S_OK;
}

HRESULT FormControlSite::GetAmbientUserMode(VBool *userMode)
{
    if (!userMode)
        return E_POINTER;
    if (!m_container)
        return E_UNEXPECTED;
    *userMode = toVBool(m_container->userMode());
    return S_OK;
}

HRESULT FormControlSite::GetDisplayResolution(int *dotsPerInchX, int *dotsPerInchY)
{
    if (!dotsPerInchX || !dotsPerInchY)
        return E_POINTER;
    if (!m_container)
        return E_UNEXPECTED;
    *dotsPerInchX = m_container->displayResolution().width();
    *dotsPerInchY = m_container->displayResolution().height();
    return S_OK;
}

HRESULT FormControlSite::SetExtent(int widthTwips, int heightTwips)
{
    if (widthTwips < 0 || heightTwips < 0)
        return E_INVALIDARG;
    if (widthTwips == m_width && heightTwips == m_height)
        return S_OK;
    m_width = widthTwips;
    m_height = heightTwips;
    fitSurface();
    return m_control ? m_control->ExtentChanged() : S_OK;
}

HRESULT FormControlSite::GetExtent(int *widthTwips, int *heightTwips)
{
    if (!widthTwips || !heightTwips)
        return E_POINTER;
    *widthTwips = m_width;
    *heightTwips = m_height;
    return S_OK;
}

void FormControlSite::fitSurface()
{
    if (!m_surface || !m_container)
        return;
    const QSize dpi = m_container->displayResolution();
    m_surface->resize(twipsToPixels(m_width, dpi.width()), twipsToPixels(m_height, dpi.height()));
}

void *FormControlSite::findInterface(const IID &iid)
{
    return iid == IControlSite::iid ? static_cast<IControlSite *>(this) : nullptr;
}
