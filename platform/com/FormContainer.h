#pragma once
#include "platform/com/ClassFactoryInterface.h"
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

/// @file
/// Hosting component controls on a QWidget form without the Qt-style class.

/// Hosts component controls on a QWidget form, the way a form designer (design mode) or a
/// running program (run mode) does. Each control gets a site and a surface widget on the
/// form; a control registered as invisible at run time gets no visible surface in run mode.
/// Controls are named; a name is unique on its form.
/// @since 3.5
class PLATFORMCOM_EXPORT FormContainer final : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool userMode READ userMode CONSTANT)
    Q_PROPERTY(bool dirty READ isDirty WRITE setDirty NOTIFY dirtyChanged)
    Q_PROPERTY(QSize displayResolution READ displayResolution WRITE setDisplayResolution)

public:
    enum class Mode { Design, Run };

    /// The extent a control gets when it is placed, before it adjusts it: one inch square.
    static constexpr int initialExtentTwips = 1440;

    /// @param form the widget the controls' surfaces are put on; once it is deleted, place()
    ///        and load() fail with E_INVALIDARG.
    FormContainer(QWidget *form, Mode mode, QObject *parent = nullptr);
    /// Releases every control still on the form.
    ~FormContainer() override;

    /// True in run mode: the controls' ambient user mode.
    bool userMode() const { return m_mode == Mode::Run; }
    /// Whether a property of a control changed while the form is designed, since the last
    /// save() (or setDirty(false)).
    bool isDirty() const { return m_dirty; }
    void setDirty(bool dirty);
    /// Pixels per inch that the controls convert their extents with; the form's by default.
    QSize displayResolution() const { return m_dotsPerInch; }
    void setDisplayResolution(QSize dotsPerInch) { m_dotsPerInch = dotsPerInch; }

    /// Places a new control named @p name of class @p clsid, created by @p factory, with
    /// nothing saved (the control takes its defaults).
    /// @return S_OK; E_POINTER without a factory; E_INVALIDARG when the name is empty or
    ///         taken, or the form is gone; otherwise the failure of the factory or of the
    ///         control (which is then released, and nothing is placed).
    [[nodiscard]] HRESULT place(const QString &name, const CLSID &clsid, IClassFactory *factory);
    /// Creates a control from its saved form (see readSavedForm()).
    /// @return as place(); a control that refuses its saved properties (for example a value of
    ///         the wrong type) is not placed, and its failure is returned.
    [[nodiscard]] HRESULT load(const SavedControl &saved, IClassFactory *factory);
    /// Asks every control to write its properties into @p controls, and clears the dirty flag.
    /// @return S_OK; E_POINTER when @p controls is null; otherwise the first control's
    ///         failure, and @p controls is left as it was.
    [[nodiscard]] HRESULT save(std::vector<SavedControl> *controls);
    /// Removes a control from the form and releases it.
    /// @return S_OK, or E_INVALIDARG when no control has that name.
    [[nodiscard]] HRESULT remove(const QString &name);

    /// The control's identity interface (ask it for IDispatch to call its members), or null
    /// when no control has that name.
    ComPtr<IUnknown> control(const QString &name) const;
    /// The widget the control draws on, or null when no control has that name or it draws on
    /// none.
    QWidget *surface(const QString &name) const;
    /// What dragging the control's edges in a designer does: sets the extent from pixels; the
    /// control may adjust it (the password control keeps its fixed size).
    /// @return S_OK; E_INVALIDARG when no control has that name or a size is negative; or the
    ///         control's failure.
    [[nodiscard]] HRESULT resizeControl(const QString &name, QSize pixels);
    /// The control's extent in twips; 0 x 0 when no control has that name.
    QSize extent(const QString &name) const;

    /// Called by the controls' sites when a property changed.
    void controlChanged(const QString &name, DispId id);

signals:
    /// A control's property @p id changed (design and run mode).
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
    std::vector<Hosted> m_controls;
};
