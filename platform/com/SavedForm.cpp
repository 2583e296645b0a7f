#include "platform/com/SavedForm.h"

#include <QStringList>

#include <optional>

namespace {

QString quoted(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'\\':
            out += QStringLiteral("\\\\");
            break;
        case u'"':
            out += QStringLiteral("\\\"");
            break;
        case u'\n':
            out += QStringLiteral("\\n");
            break;
        case u'\r':
            out += QStringLiteral("\\r");
            break;
        case u'\t':
            out += QStringLiteral("\\t");
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + u'"';
}

std::optional<QString> unquoted(QStringView text)
{
    if (text.size() < 2 || text.front() != u'"' || text.back() != u'"')
        return std::nullopt;
    text = text.mid(1, text.size() - 2);
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"')
            return std::nullopt;
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (++i >= text.size())
            return std::nullopt;
        switch (text[i].unicode()) {
        case u'\\':
            out += u'\\';
            break;
        case u'"':
            out += u'"';
            break;
        case u'n':
            out += u'\n';
            break;
        case u'r':
            out += u'\r';
            break;
        case u't':
            out += u'\t';
            break;
        case u'u': {
            bool ok = false;
            const ushort code = text.mid(i + 1, 4).toUShort(&ok, 16);
            if (!ok || i + 4 >= text.size())
                return std::nullopt;
            out += QChar(code);
            i += 4;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return out;
}

QString valueText(const Variant &value)
{
    switch (value.type()) {
    case VarType::Empty:
        return QStringLiteral("Empty");
    case VarType::Bool:
        return QStringLiteral("Bool %1").arg(value.boolValue());
    case VarType::I2:
        return QStringLiteral("I2 %1").arg(value.int16Value());
    case VarType::I4:
        return QStringLiteral("I4 %1").arg(value.int32Value());
    case VarType::String:
        return QStringLiteral("String ") + quoted(value.stringValue());
    }
    return {};
}

std::optional<Variant> parseValue(QStringView text)
{
    const qsizetype space = text.indexOf(u' ');
    const QStringView type = space < 0 ? text : text.left(space);
    const QStringView rest = space < 0 ? QStringView() : text.mid(space + 1).trimmed();
    bool ok = false;
    if (type == u"Empty" && rest.isEmpty())
        return Variant();
    if (type == u"String") {
        if (auto string = unquoted(rest))
            return Variant(*string);
        return std::nullopt;
    }
    if (type == u"I4") {
        const auto number = rest.toInt(&ok);
        return ok ? std::optional(Variant::int32(number)) : std::nullopt;
    }
    const auto number = rest.toShort(&ok);
    if (ok && type == u"I2")
        return Variant::int16(number);
    if (ok && type == u"Bool")
        return Variant::boolean(number);
    return std::nullopt;
}

bool fail(QString *error, int line, const QString &what)
{
    if (error)
        *error = QStringLiteral("line %1: %2").arg(line).arg(what);
    return false;
}

} // namespace

QString writeSavedForm(const std::vector<SavedControl> &controls)
{
    QString text;
    for (const SavedControl &control : controls) {
        text += QStringLiteral("Begin %1 %2\n").arg(control.clsid.toString(), control.name);
        for (const auto &[name, value] : control.properties)
            text += QStringLiteral("    %1: %2\n").arg(name, valueText(value));
        text += QStringLiteral("End\n");
    }
    return text;
}

bool readSavedForm(const QString &text, std::vector<SavedControl> *controls, QString *error)
{
    std::vector<SavedControl> read;
    std::optional<SavedControl> open;
    const QStringList lines = text.split(u'\n');
    for (int index = 0; index < lines.size(); ++index) {
        const int line = index + 1;
        const QString trimmed = lines[index].trimmed();
        if (trimmed.isEmpty())
            continue;
        if (!open) {
            const QStringList words = trimmed.split(u' ', Qt::SkipEmptyParts);
            const auto clsid = words.size() == 3 && words[0] == u"Begin"
                                   ? Guid::fromString(words[1])
                                   : std::nullopt;
            if (!clsid)
                return fail(error, line, QStringLiteral("expected \"Begin {class id} name\""));
            open = SavedControl{words[2], *clsid, {}};
        } else if (trimmed == u"End") {
            read.push_back(std::move(*open));
            open.reset();
        } else {
            const qsizetype colon = trimmed.indexOf(u':');
            const auto value = colon > 0 ? parseValue(QStringView(trimmed).mid(colon + 1).trimmed())
                                         : std::nullopt;
            if (!value)
                return fail(error, line, QStringLiteral("expected \"Name: Type value\""));
            open->properties.emplace_back(trimmed.left(colon).trimmed(), *value);
        }
    }
    if (open)
        return fail(error, int(lines.size()), QStringLiteral("\"End\" missing"));
    *controls = std::move(read);
    return true;
}
