#include "platform/ui/FileOpenDialog.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace platform {
namespace {

std::function<QString(const FileOpenRequest &)> &fileOpenHandler()
{
    static std::function<QString(const FileOpenRequest &)> handler;
    return handler;
}

// "Text Files (*.txt;*.doc) " + "*.txt;*.doc" -> "Text Files (*.txt *.doc)".
// A pattern list already shown in the description is replaced, so it is not shown twice.
QString qtNameFilter(const QString &description, const QString &patterns)
{
    static const QRegularExpression shownPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QString name = description;
    name.remove(shownPatterns);
    name = name.trimmed();
    const QStringList list = patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    QStringList trimmed;
    for (const QString &pattern : list)
        trimmed << pattern.trimmed();
    const QString joined = trimmed.join(QLatin1Char(' '));
    return name.isEmpty() ? joined : name + QStringLiteral(" (") + joined + QLatin1Char(')');
}

} // namespace

QStringList toQtNameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i + 1].trimmed().isEmpty())
            continue;
        filters << qtNameFilter(parts[i], parts[i + 1]);
    }
    return filters;
}

QString showFileOpenDialog(const FileOpenRequest &request)
{
    if (const auto &handler = fileOpenHandler())
        return handler(request);
    return showFilesOpenDialog(request).value(0);
}

QStringList showFilesOpenDialog(const FileOpenRequest &request)
{
    if (const auto &handler = fileOpenHandler()) {
        const QString chosen = handler(request);
        return chosen.isEmpty() ? QStringList() : QStringList{chosen};
    }

    QFileDialog dialog(request.owner, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    const QStringList filters = toQtNameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        if (request.filterIndex >= 0 && request.filterIndex < filters.size())
            dialog.selectNameFilter(filters[request.filterIndex]);
    }
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

void setFileOpenHandler(std::function<QString(const FileOpenRequest &)> handler)
{
    fileOpenHandler() = std::move(handler);
}

} // namespace platform
