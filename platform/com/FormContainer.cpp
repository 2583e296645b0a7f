#include "platform/com/FormContainer.h"

#include "platform/com/ControlSurface.h"
#include "platform/com/EmbeddedControl.h"
#include "platform/com/FormControlSite.h"
#include "platform/com/PersistPropertyBag.h"
#include "platform/com/PropertyBag.h"
#include "platform/core/Twips.h"

#include <QWidget>

#include <algorithm>

FormContainer::FormContainer(QWidget *form, Mode mode, QObject *parent)
    : QObject(parent), m_form(form), m_mode(mode),
      m_dotsPerInch(form->logicalDpiX(), form->logicalDpiY())
{
}

FormContainer::~FormContainer()
{
    for (Hosted &hosted : m_controls)
        release(hosted);
}

void FormContainer::setDirty(bool dirty)
{
    if (dirty == m_dirty)
        return;
    m_dirty = dirty;
    emit dirtyChanged(dirty);
}

HRESULT FormContainer::place(const QString &name, const CLSID &clsid, IClassFactory *factory)
{
    return create(name, clsid, factory, [](IUnknown *control) {
        const auto persist = queryInterface<IPersistPropertyBag>(control);
        return persist ? persist->InitNew() : S_OK;
    });
}

HRESULT FormContainer::load(const SavedControl &saved, IClassFactory *factory)
{
    return create(saved.name, saved.clsid, factory, [&saved](IUnknown *control) {
        const auto persist = queryInterface<IPersistPropertyBag>(control);
        if (!persist)
            return S_OK;
        const auto bag = ComPtr<PropertyBag>::adopt(new PropertyBag(saved.properties));
        return persist->Load(bag.get());
    });
}

HRESULT FormContainer::create(const QString &name, const CLSID &clsid, IClassFactory *factory,
                              const Initialiser &initialise)
{
    if (!factory)
        return E_POINTER;
    if (name.isEmpty() || find(name) || !m_form)
        return E_INVALIDARG;
    Hosted hosted{
        name, clsid, {}, ComPtr<FormControlSite>::adopt(new FormControlSite(this, name)), {}};
    HRESULT hr = factory->CreateInstance(nullptr, IUnknown::iid, hosted.control.put());
    if (FAILED(hr))
        return hr;
    const auto embedded = queryInterface<IEmbeddedControl>(hosted.control.get());
    std::uint32_t misc = 0;
    if (embedded) {
        // A control that cannot say how it wants to be shown, or refuses its site, is not
        // hosted: it would be shown wrongly, or could never tell the form of its changes.
        hr = embedded->GetMiscStatus(&misc);
        if (SUCCEEDED(hr))
            hr = embedded->SetClientSite(hosted.site.get());
        if (FAILED(hr)) {
            release(hosted);
            return hr;
        }
        hosted.surface = new ControlSurface(embedded.get(), m_form);
        hosted.surface->setObjectName(name);
        hosted.surface->setVisible(!(userMode() && (misc & OLEMISC_INVISIBLEATRUNTIME)));
        hosted.site->attach(embedded.get(), hosted.surface);
    }
    hr = initialise(hosted.control.get());
    if (SUCCEEDED(hr))
        hr = hosted.site->SetExtent(initialExtentTwips, initialExtentTwips);
    if (FAILED(hr)) {
        release(hosted);
        return hr;
    }
    m_controls.push_back(std::move(hosted));
    return S_OK;
}

HRESULT FormContainer::save(std::vector<SavedControl> *controls)
{
    if (!controls)
        return E_POINTER;
    std::vector<SavedControl> saved;
    for (const Hosted &hosted : m_controls) {
        const auto bag = ComPtr<PropertyBag>::adopt(new PropertyBag);
        if (const auto persist = queryInterface<IPersistPropertyBag>(hosted.control.get())) {
            if (const HRESULT hr = persist->Save(bag.get()); FAILED(hr))
                return hr;
        }
        saved.push_back({hosted.name, hosted.clsid, bag->values()});
    }
    *controls = std::move(saved);
    setDirty(false);
    return S_OK;
}

HRESULT FormContainer::remove(const QString &name)
{
    const auto it = std::find_if(m_controls.begin(), m_controls.end(),
                                 [&](const Hosted &h) { return h.name == name; });
    if (it == m_controls.end())
        return E_INVALIDARG;
    release(*it);
    m_controls.erase(it);
    return S_OK;
}

void FormContainer::release(Hosted &hosted)
{
    if (hosted.surface) {
        hosted.surface->detach();
        delete hosted.surface;
    }
    hosted.site->detach();
    // Detaching cannot be refused in any way that matters: the control is released next.
    if (const auto embedded = queryInterface<IEmbeddedControl>(hosted.control.get()))
        static_cast<void>(embedded->SetClientSite(nullptr));
    hosted.control.reset();
}

ComPtr<IUnknown> FormContainer::control(const QString &name) const
{
    const Hosted *hosted = find(name);
    return hosted ? hosted->control : ComPtr<IUnknown>();
}

QWidget *FormContainer::surface(const QString &name) const
{
    const Hosted *hosted = find(name);
    return hosted ? hosted->surface.data() : nullptr;
}

HRESULT FormContainer::resizeControl(const QString &name, QSize pixels)
{
    const Hosted *hosted = find(name);
    if (!hosted)
        return E_INVALIDARG;
    return hosted->site->SetExtent(pixelsToTwips(pixels.width(), m_dotsPerInch.width()),
                                   pixelsToTwips(pixels.height(), m_dotsPerInch.height()));
}

QSize FormContainer::extent(const QString &name) const
{
    const Hosted *hosted = find(name);
    int width = 0, height = 0;
    if (!hosted || FAILED(hosted->site->GetExtent(&width, &height)))
        return {0, 0};
    return {width, height};
}

void FormContainer::controlChanged(const QString &name, DispId id)
{
    if (!userMode())
        setDirty(true);
    emit propertyChanged(name, id);
}

const FormContainer::Hosted *FormContainer::find(const QString &name) const
{
    for (const Hosted &hosted : m_controls)
        if (hosted.name == name)
            return &hosted;
    return nullptr;
}
