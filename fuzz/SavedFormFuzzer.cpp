// Feeds arbitrary text to the saved-form reader and the property bag behind it. A form that
// reads must write back to text that reads to the same controls and values; one that does not
// read must leave the caller's controls alone and name the line.
#include <cstdlib>

#include "platform/com/ComPtr.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/SavedForm.h"
#include "platform/com/VariantConversion.h"

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool sameControls(const std::vector<SavedControl> &a, const std::vector<SavedControl> &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].name != b[i].name || a[i].clsid != b[i].clsid ||
            a[i].properties != b[i].properties)
            return false;
    return true;
}

// Reads every saved property through a bag as each type a control may ask for.
void readThroughBag(const SavedControl &control)
{
    const auto bag = ComPtr<PropertyBag>::adopt(new PropertyBag(control.properties));
    for (const auto &[name, saved] : control.properties) {
        Variant value;
        require(bag->Read(name, &value, Variant::int32(0)) == S_OK);
        for (VarType type :
             {VarType::Empty, VarType::I2, VarType::I4, VarType::String, VarType::Bool}) {
            // Many conversions are refused, rightly: only a crash or a hang is a finding.
            Variant converted;
            static_cast<void>(changeType(value, type, &converted));
        }
        // Writing it back under its own name either stores it or refuses the name.
        const HRESULT written = bag->Write(name, value, Variant());
        require(written == S_OK || written == E_INVALIDARG);
    }
}

// The fuzz input as text: UTF-8 (any bytes), or UTF-16 when the first byte is odd, so that
// lone surrogates and other odd code units reach the reader too.
QString textOf(const std::uint8_t *data, std::size_t size)
{
    if (size > 0 && (data[0] & 1) != 0)
        return QString::fromUtf16(reinterpret_cast<const char16_t *>(data + 1),
                                  qsizetype((size - 1) / 2));
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = textOf(data, size);
    const SavedControl marker{"untouched", {}, {}};
    std::vector<SavedControl> controls{marker};
    QString error;
    if (!readSavedForm(text, &controls, &error)) {
        require(sameControls(controls, {marker}));
        require(error.startsWith(QStringLiteral("line ")));
        return 0;
    }
    for (const SavedControl &control : controls)
        readThroughBag(control);

    std::vector<SavedControl> again;
    QString againError;
    require(readSavedForm(writeSavedForm(controls), &again, &againError));
    require(sameControls(controls, again));
    return 0;
}
