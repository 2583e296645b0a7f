#pragma once
#include "platform/com/ClassFactory.h"
#include "platform/com/ComPtr.h"
#include "platform/com/PlatformComExport.h"
#include "platform/com/SavedForm.h"
#include "platform/com/TypeInfo.h"

#include <QObject>
#include <QPointer>
#include <QSize>

#include <functional>
#include <vector>

class ControlSurface;
class FormControlSite;
class QWidget;

// Hosts component controls on a QWidget form, the way a form designer (design mode) or a
// running program (run mode) does. Each control gets a site and a surface widget on the
// form; a control registered as invisible at run time gets no visible surface in run mode.
class PLATFORMCOM_EXPORT FormContainer final : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool userMode READ userMode CONSTANT)
    Q_PROPERTY(bool dirty READ isDirty WRITE setDirty NOTIFY dirtyChanged)
    Q_PROPERTY(QSize displayResolution READ displayResolution WRITE setDisplayResolution)

public:
    enum class Mode { Design, Run };

    // The extent a control gets when it is placed, before it adjusts it: one inch square.
    static constexpr int initialExtentTwips = 1440;

    FormContainer(QWidget *form, Mode mode, QObject *parent = nullptr);
    ~FormContainer() override;

    bool userMode() const { return m_mode == Mode::Run; }
    // Whether a property of a control changed while the form is designed, since the last save.
    bool isDirty() const { return m_dirty; }
    void setDirty(bool dirty);
    // Pixels per inch that the controls convert their extents with; the form's by default.
    QSize displayResolution() const { return m_dotsPerInch; }
    void setDisplayResolution(QSize dotsPerInch) { m_dotsPerInch = dotsPerInch; }
    // Decides a control's request to change a bound property (name, dispatch id); allowed
    // unless a decider says otherwise.
    void setEditDecider(std::function<bool(const QString &, DispId)> decider)
    {
        m_editDecider = std::move(decider);
    }

    // Places a new control named `name` of class `clsid`, created by `factory`, with nothing
    // saved. Fails when the name is taken or the control refuses.
    [[nodiscard]] HRESULT place(const QString &name, const CLSID &clsid, IClassFactory *factory);
    // Creates a control from its saved form.
    [[nodiscard]] HRESULT load(const SavedControl &saved, IClassFactory *factory);
    // Asks every control to write its properties; the first failure stops and is returned.
    [[nodiscard]] HRESULT save(std::vector<SavedControl> *controls);
    // Removes a control from the form and releases it.
    [[nodiscard]] HRESULT remove(const QString &name);

    // The control's identity interface, or null when no control has that name.
    ComPtr<IUnknown> control(const QString &name) const;
    QWidget *surface(const QString &name) const;
    // What dragging the control's edges in a designer does: sets the extent from pixels.
    [[nodiscard]] HRESULT resizeControl(const QString &name, QSize pixels);
    // The control's extent in twips.
    QSize extent(const QString &name) const;
    QStringList controlNames() const;

    // Called by the sites.
    void controlChanged(const QString &name, DispId id);
    bool editAllowed(const QString &name, DispId id) const;

signals:
    void propertyChanged(const QString &control, DispId id);
    void dirtyChanged(bool dirty);

private:
    struct Hosted {
        QString name;
        CLSID clsid;
        ComPtr<IUnknown> control;
        ComPtr<FormControlSite> site;
        QPointer<ControlSurface> surface;
    };
    using Initialiser = std::function<HRESULT(IUnknown *control)>;

    [[nodiscard]] HRESULT create(const QString &name, const CLSID &clsid, IClassFactory *factory,
                                 const Initialiser &initialise);
    const Hosted *find(const QString &name) const;
    static void release(Hosted &hosted);

    QPointer<QWidget> m_form;
    Mode m_mode;
    bool m_dirty = false;
    QSize m_dotsPerInch;
    std::function<bool(const QString &, DispId)> m_editDecider;
    std::vector<Hosted> m_controls;
};
