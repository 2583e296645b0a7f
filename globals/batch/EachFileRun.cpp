#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

#include "globals/batch/BatchContext.h"
#include "globals/batch/Guarded.h"
#include "globals/batch/KeyAhead.h"
#include "globals/batch/OutputPaths.h"
#include "globals/batch/RunProgress.h"
#include "globals/batch/SkipRules.h"
#include "globals/filerules/SafeDelete.h"

namespace batch {

namespace {

bool isStream(const BatchContext &context, const std::string &path)
{
    return context.options.standardStreams && path == "-";
}

age::FileEnd endFor(const BatchContext &context, const std::string &path, bool input)
{
    if (!isStream(context, path))
        return age::FileEnd::file(path);
    return input ? age::FileEnd::standardInput() : age::FileEnd::standardOutput();
}

class EachFilePlanner {
public:
    explicit EachFilePlanner(BatchContext &context) : m_context(context) {}

    void plan()
    {
        for (const std::string &path : m_context.paths)
            named(path);
        if (!m_context.options.output.empty() && m_context.files.size() > 1) {
            m_context.files.clear();
            m_context.failed(m_context.paths.front(), "one output path takes one file");
        }
    }

private:
    Action action() const { return m_context.options.action; }

    // A path given to the run: handled as it is named, a folder only when walking.
    void named(const std::string &path)
    {
        struct stat status;
        const bool exists = isStream(m_context, path) || ::stat(path.c_str(), &status) == 0;
        const bool missing = !exists && errno == ENOENT;
        if (exists && !isStream(m_context, path) && S_ISDIR(status.st_mode)) {
            if (!m_context.options.recursive)
                m_context.failed(path, path + " is a folder", FailureCause::IsFolder);
            else
                walkFolder(path, path, [this](const FoundEntry &e) { found(e); });
            return;
        }
        const std::optional<std::string> output = outputFor(path);
        if (!output)
            return;
        if (missing) {
            m_context.failed(path, "file not found: " + path);
            return;
        }
        // Other faults (no permission, for example) are the engine's to report.
        add(path, *output, exists && !isStream(m_context, path) ? status.st_size : 0);
    }

    // Something met inside a folder: only regular files that this action takes.
    void found(const FoundEntry &entry)
    {
        const mode_t mode = entry.status.st_mode;
        if (S_ISDIR(mode)) {
            if (entry.openError)
                m_context.failed(entry.path, systemReason(entry.path, entry.openError));
            return;
        }
        if (S_ISLNK(mode)) {
            m_context.skipped(entry.path, "symbolic link, not followed");
            return;
        }
        if (!S_ISREG(mode)) {
            m_context.skipped(entry.path, "not a regular file");
            return;
        }
        const bool encrypt = action() == Action::Encrypt;
        if (hasEncryptedSuffix(entry.path) != !encrypt) {
            m_context.skipped(entry.path, encrypt ? "already encrypted" : "not an .ECX file");
            return;
        }
        // Opening without following a link and without blocking: the entry was a regular file
        // when it was listed, and must still be one.
        const int fd = ::open(entry.path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            m_context.failed(entry.path, systemReason(entry.path, errno));
            return;
        }
        const bool encrypted = encrypt && startsLikeAgeFile(fd);
        ::close(fd);
        if (encrypted) {
            m_context.skipped(entry.path, "already encrypted");
            return;
        }
        if (const auto output = outputFor(entry.path))
            add(entry.path, *output, std::uint64_t(entry.status.st_size),
                age::FileIdentity::of(entry.status));
    }

    std::optional<std::string> outputFor(const std::string &path)
    {
        if (action() == Action::Verify)
            return std::string();
        const std::string &given = m_context.options.output;
        if (!given.empty() && given.back() == '/')
            return m_context.failed(path, given + " names a folder",
                                    FailureCause::OutputIsFolderName),
                   std::nullopt;
        if (!given.empty())
            return given;
        if (action() == Action::Encrypt)
            return encryptedPath(path);
        const auto output = decryptedPath(path);
        if (!output)
            return m_context.failed(path, "file name too short to drop four characters: " + path),
                   std::nullopt;
        if (output->empty() || output->back() == '/')
            return m_context.failed(path, "no file name left after dropping four characters: " +
                                              path + " (name the output with -o)"),
                   std::nullopt;
        return output;
    }

    void add(const std::string &path, const std::string &output, std::uint64_t size,
             std::optional<age::FileIdentity> listed = std::nullopt)
    {
        PlannedFile file{endFor(m_context, path, true), {}, size, false, listed};
        if (action() != Action::Verify) {
            file.output = endFor(m_context, output, false);
            if (!file.output.standardStream &&
                !m_context.mayWrite(path, output, file.replaceExisting))
                return;
        }
        m_context.files.push_back(std::move(file));
    }

    BatchContext &m_context;
};

class EachFileWork {
public:
    explicit EachFileWork(BatchContext &context) : m_context(context), m_progress(context)
    {
        m_engine.setKey(context.key);
        m_engine.setWorkFactor(context.options.workFactor);
        m_engine.setArmor(context.options.armor);
        m_engine.setSweptFolders(&m_sweptFolders);
        // One file keeps the engine's own derivation; several derive ahead.
        if (context.files.size() > 1) {
            std::vector<KeyAhead::Job> jobs;
            for (const PlannedFile &file : context.files)
                jobs.push_back({encrypting(), file.source.standardStream
                                                  ? std::nullopt
                                                  : std::optional(file.source.path)});
            m_keys = std::make_unique<KeyAhead>(context.key, context.options.workFactor,
                                                std::move(jobs));
            m_engine.setScryptKeys(m_keys.get());
        }
    }

    void run()
    {
        for (std::size_t i = 0; i < m_context.files.size(); ++i) {
            if (m_context.stopRequested) {
                m_context.summary.stopped = true;
                return;
            }
            if (m_keys)
                m_keys->startFile(i);
            runFile(i, m_context.files[i]);
        }
    }

private:
    bool encrypting() const { return m_context.options.action == Action::Encrypt; }

    void runFile(std::size_t index, const PlannedFile &file)
    {
        if (file.listed) {
            const auto now = age::identityAt(file.source.path);
            if (!now || !now->isRegular() || !now->sameFileAs(*file.listed)) {
                m_context.failed(file.source.path,
                                 file.source.path + " was replaced since its folder was listed");
                return;
            }
        }
        // A file found in a folder is opened only as a regular file, never waited on.
        m_engine.setRegularSourcesOnly(file.listed.has_value());
        m_engine.setReplaceExisting(file.replaceExisting);
        const Stage stage = encrypting()                                  ? Stage::Encrypting
                            : m_context.options.action == Action::Decrypt ? Stage::Decrypting
                                                                          : Stage::Verifying;
        const auto progress = m_progress.forFile(stage, file.source.path, index, file.size);
        const age::Failure failure = guarded([&] {
            switch (m_context.options.action) {
            case Action::Encrypt:
                return m_engine.encrypt(file.source, file.output, progress);
            case Action::Decrypt:
                return m_engine.decrypt(file.source, file.output, progress);
            default:
                return m_engine.verify(file.source, progress);
            }
        });
        m_progress.fileEnded(file.size);
        if (failure) {
            m_context.failed(file.source.path, failure.message());
            return;
        }
        if (m_context.options.deleteSources && !deleteSource(index, file))
            return;
        m_context.handled(file.source.path, file.output.path);
    }

    bool deleteSource(std::size_t index, const PlannedFile &file)
    {
        const age::RunRecord &run = m_engine.lastRun();
        std::function<age::Failure()> verify;
        // A plaintext goes only once its encrypted copy is proven to open with the key.
        if (encrypting())
            verify = [&] {
                return m_engine.verify(
                    run.output, m_progress.forFile(Stage::Checking, run.output.path, index, 0),
                    run.outputIdentity);
            };
        const SafeDeleteResult result = deleteSourceSafely(run, verify);
        return result.end == SafeDeleteEnd::Deleted ||
               m_context.failed(file.source.path, result.message);
    }

    BatchContext &m_context;
    RunProgress m_progress;
    age::SweptFolders m_sweptFolders;
    age::FileEngine m_engine;
    std::unique_ptr<KeyAhead> m_keys;
};

} // namespace

void planEachFile(BatchContext &context) { EachFilePlanner(context).plan(); }

void runEachFile(BatchContext &context) { EachFileWork(context).run(); }

} // namespace batch
