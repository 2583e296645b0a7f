#include "app/FileRun.h"

#include "app/FileDirection.h"
#include "globals/engine/AgeFailure.h"
#include "globals/engine/EncDec.h"
#include "globals/engine/FileIdentity.h"
#include "globals/filerules/KeyString.h"
#include "globals/filerules/SafeDelete.h"

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

FileRunOutcome declined() { return {FileRunEnd::Declined, {}, {}, platform::MessageIcon::None}; }

// Whether `path` names a regular file that a run would replace.
bool existingFile(const QString &path)
{
    const auto existing = age::identityAt(QFile::encodeName(path).toStdString());
    return existing && existing->isRegular();
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
    FileRunOutcome outcome = trapped();
    try {
        outcome = runEngine(direction, request);
    } catch (const std::exception &) {
        // The engine or the file system gave up by throwing (out of memory, for example).
    }
    // The key stays in the engine's memory no longer than the run that needs it.
    m_engine.setKey(QString());
    return outcome;
}

FileRunOutcome FileRunner::runEngine(const FileDirection &direction, const FileRunRequest &request)
{
    const std::optional<QString> output = direction.outputNameFor(request.file);
    if (!output)
        return trapped();
    // The user's newer work is never replaced without asking; a file that appears while the
    // engine runs is not replaced either.
    const bool replace = existingFile(*output);
    if (replace && !(request.askToReplace &&
                     request.askToReplace(QStringLiteral("%1 already exists.\nDo you want to "
                                                         "replace it?")
                                              .arg(*output),
                                          QStringLiteral("Replace File"))))
        return declined();
    m_engine.setKey(keyStringFor(request.key));
    m_engine.setReplaceExisting(replace);
    m_lastResult = (m_engine.*direction.operation)(request.file, *output, QString());
    if (m_lastResult != VTrue)
        return failed(direction);
    if (request.deleteSource)
        return deleteSource(direction);
    return done(direction);
}

FileRunOutcome FileRunner::deleteSource(const FileDirection &direction)
{
    // Losing a plaintext is the worst outcome: delete it only when the new file has been read
    // back completely under the same key, and only if it is still the file that was read.
    std::function<age::Failure()> verify;
    if (direction.verifyOutputBeforeDelete)
        verify = [this] {
            return m_engine.VerifyLastOutput()
                       ? age::Failure{}
                       : age::Failure::io(m_engine.lastError().toStdString());
        };
    switch (deleteSourceSafely(m_engine.lastRun(), verify).end) {
    case SafeDeleteEnd::Deleted:
        return done(direction);
    case SafeDeleteEnd::OutputUnverified:
        m_lastResult = VFalse;
        return failed(direction);
    default:
        return trapped();
    }
}
