#include "app/FileRun.h"

#include "app/FileDirection.h"
#include "globals/engine/EncDec.h"
#include "globals/filerules/KeyString.h"

#include <QFile>
#include <exception>

namespace {

const QString errorTitle = QStringLiteral("ERROR");

FileRunOutcome refused(const QString &message)
{
    return {FileRunEnd::Refused, message, errorTitle, platform::MessageIcon::Exclamation};
}

FileRunOutcome failed(const FileDirection &direction)
{
    return {FileRunEnd::Finished, direction.messages.failed, errorTitle,
            platform::MessageIcon::Exclamation};
}

// A raised failure: the run ends with "Incorrect Information." and the boxes are kept.
FileRunOutcome trapped()
{
    return {FileRunEnd::Trapped, QStringLiteral("Incorrect Information."), errorTitle,
            platform::MessageIcon::Exclamation};
}

FileRunOutcome done(const FileDirection &direction)
{
    return {FileRunEnd::Finished, direction.messages.done, QStringLiteral("Complete"),
            platform::MessageIcon::Information};
}

} // namespace

FileRunner::FileRunner(EncDec &engine) : m_engine(engine) {}

FileRunOutcome FileRunner::run(const FileDirection &direction, const FileRunRequest &request)
{
    if (request.key.isEmpty())
        return refused(direction.messages.emptyKey);
    if (request.file.isEmpty())
        return refused(direction.messages.emptyFile);
    try {
        return runEngine(direction, request);
    } catch (const std::exception &) {
        // The engine or the file system gave up by throwing (out of memory, for example).
        return trapped();
    }
}

FileRunOutcome FileRunner::runEngine(const FileDirection &direction, const FileRunRequest &request)
{
    m_engine.setKey(keyStringFor(request.key));
    const std::optional<QString> output = direction.outputNameFor(request.file);
    if (!output)
        return trapped();
    m_lastResult = (m_engine.*direction.operation)(request.file, *output, QString());
    if (m_lastResult != VTrue)
        return failed(direction);
    if (request.deleteSource) {
        // Losing a plaintext is the worst outcome: delete it only when the new file has been
        // read back completely under the same key.
        if (direction.verifyOutputBeforeDelete && !m_engine.VerifyFile(*output))
            return failed(direction);
        if (!QFile::remove(request.file))
            return trapped();
    }
    return done(direction);
}
