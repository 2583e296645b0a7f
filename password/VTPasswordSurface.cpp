// The control's design-time surface: a fixed picture at a fixed size.
#include "password/VTPassword.h"

#include "password/LibraryBitmaps.h"
#include "platform/core/Twips.h"

#include <QPainter>

HRESULT VTPassword::Draw(QPainter &painter)
{
    // Loaded on every paint and released afterwards: nothing is kept between paints.
    const QPixmap picture = loadLibraryBitmap(QStringLiteral("CONTROL_VTPASSWORD"));
    if (picture.isNull())
        return E_FAIL;
    painter.drawPixmap(0, 0, picture);
    return S_OK;
}

// Whatever extent the container sets, the control takes back 32 x 32 pixels of the display.
// The container reports the resize that this causes; that nested call sets the same extent,
// which changes nothing, and the recursion ends there.
HRESULT VTPassword::ExtentChanged()
{
    if (!m_site)
        return E_UNEXPECTED;
    int dotsPerInchX = 0, dotsPerInchY = 0;
    if (const HRESULT hr = m_site->GetDisplayResolution(&dotsPerInchX, &dotsPerInchY); FAILED(hr))
        return hr;
    if (dotsPerInchX <= 0 || dotsPerInchY <= 0)
        return E_FAIL;
    return m_site->SetExtent(pixelsToTwips(surfacePixels, dotsPerInchX),
                             pixelsToTwips(surfacePixels, dotsPerInchY));
}
