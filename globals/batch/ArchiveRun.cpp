#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <thread>
#include <unistd.h>

#include "globals/batch/ArchiveWriter.h"
#include "globals/batch/BatchContext.h"
#include "globals/batch/Guarded.h"
#include "globals/batch/OutputPaths.h"
#include "globals/batch/RunProgress.h"
#include "globals/batch/SkipRules.h"
#include "globals/filerules/SafeDelete.h"

namespace batch {

namespace {

// The name a path given to an archive has inside it: its last part, or for "." and ".." the
// name of the folder they stand for.
std::string entryNameOf(const std::string &path)
{
    std::string name = std::filesystem::path(withoutTrailingSlashes(path)).filename().string();
    if (name.empty() || name == "." || name == "..") {
        std::error_code error;
        name = std::filesystem::weakly_canonical(std::filesystem::absolute(path), error)
                   .filename()
                   .string();
    }
    return name == "/" ? std::string() : name;
}

// The archive of one path: "photos" -> "photos.tar.ECX", "." -> the folder's own name beside it.
std::string archiveOutputFor(const std::string &path)
{
    const std::string last =
        std::filesystem::path(withoutTrailingSlashes(path)).filename().string();
    if (last.empty() || last == "." || last == "..")
        return archivePath(
            std::filesystem::weakly_canonical(std::filesystem::absolute(path)).string());
    return archivePath(path);
}

class ArchivePlanner {
public:
    explicit ArchivePlanner(BatchContext &context) : m_context(context) {}

    void plan()
    {
        const auto &paths = m_context.paths;
        if (paths.empty())
            return;
        if (paths.size() > 1 && m_context.options.output.empty()) {
            m_context.failed(paths.front(), "an archive of several paths needs an output name");
            return;
        }
        for (const std::string &path : paths)
            if (!named(path))
                return abandon();
        const std::string output = m_context.options.output.empty()
                                       ? archiveOutputFor(paths.front())
                                       : m_context.options.output;
        m_context.archive.source.path = paths.front();
        if (m_context.options.standardStreams && output == "-") {
            m_context.archive.output = age::FileEnd::standardOutput();
            return;
        }
        m_context.archive.output = age::FileEnd::file(output);
        if (!m_context.mayWrite(paths.front(), output, m_context.archive.replaceExisting))
            return abandon();
    }

private:
    // Nothing of the archive is done: the files are not worked on.
    void abandon()
    {
        m_context.archive = {};
        m_context.files.clear();
        m_context.archiveEntries.clear();
    }

    bool named(const std::string &path)
    {
        const std::string name = entryNameOf(path);
        if (name.empty())
            return m_context.failed(path, "the root folder cannot be archived");
        if (!m_names.insert(name).second)
            return m_context.failed(path, "two paths named " + name + " in one archive");
        FoundEntry entry;
        entry.path = path;
        entry.archiveName = name;
        entry.givenByName = true;
        if (::stat(path.c_str(), &entry.status) != 0)
            return m_context.failed(path, errno == ENOENT ? "file not found: " + path
                                                          : systemReason(path, errno));
        if (S_ISDIR(entry.status.st_mode))
            walkFolder(path, name, [this](const FoundEntry &e) { found(e); });
        else
            found(entry);
        return true;
    }

    void found(const FoundEntry &entry)
    {
        const mode_t mode = entry.status.st_mode;
        if (S_ISDIR(mode) && entry.openError) {
            m_context.failed(entry.path, systemReason(entry.path, entry.openError));
            return;
        }
        if (!S_ISDIR(mode) && !S_ISREG(mode) && !S_ISLNK(mode)) {
            m_context.skipped(entry.path, "not a regular file");
            return;
        }
        if (S_ISREG(mode) && !readable(entry))
            return;
        m_context.archiveEntries.push_back(entry);
        if (S_ISREG(mode))
            m_context.files.push_back({age::FileEnd::file(entry.path),
                                       {},
                                       std::uint64_t(entry.status.st_size),
                                       false,
                                       std::nullopt});
    }

    bool readable(const FoundEntry &entry)
    {
        const int fd = ::open(entry.path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC |
                                                      (entry.givenByName ? 0 : O_NOFOLLOW));
        if (fd < 0)
            return m_context.failed(entry.path, systemReason(entry.path, errno));
        ::close(fd);
        return true;
    }

    BatchContext &m_context;
    std::set<std::string> m_names;
};

class ArchiveWork {
public:
    explicit ArchiveWork(BatchContext &context)
        : m_context(context), m_progress(context),
          m_writer(context.archiveEntries, m_channel, context.stopRequested)
    {
        m_engine.setKey(context.key);
        m_engine.setWorkFactor(context.options.workFactor);
        m_engine.setArmor(context.options.armor);
        m_engine.setReplaceExisting(context.archive.replaceExisting);
    }

    void run()
    {
        const PlannedFile &archive = m_context.archive;
        const age::Failure failure = write();
        if (failure) {
            m_context.summary.stopped = m_context.stopRequested;
            m_context.failed(archive.source.path, failure.message());
            return;
        }
        if (m_context.options.deleteSources && !deleteSources())
            return;
        m_context.handled(archive.source.path, archive.output.path);
    }

private:
    age::Failure write()
    {
        std::thread writer([this] { m_writer.write(); });
        ChannelSource source(m_channel, [this](std::uint64_t bytes) {
            m_progress.report(Stage::Archiving, m_writer.currentPath(), 0, bytes,
                              m_progress.total());
        });
        const age::Failure failure =
            guarded([&] { return m_engine.encrypt(source, 0, m_context.archive.output); });
        m_channel.closeReading();
        writer.join();
        return failure;
    }

    // After the whole archive was read back: every file in it that is still as it was read,
    // then the folders that are left empty.
    bool deleteSources()
    {
        const age::RunRecord &run = m_engine.lastRun();
        const auto progress = [this, &run](std::int16_t percent) {
            m_progress.report(Stage::Checking, run.output.path, 0,
                              m_progress.total() * std::uint64_t(percent) / 100,
                              m_progress.total());
        };
        if (const age::Failure failure = guarded(
                [&] { return m_engine.verify(run.output, progress, run.outputIdentity); })) {
            m_context.failed(m_context.archive.source.path, run.output.path + " did not verify (" +
                                                                failure.message() +
                                                                "); nothing was deleted");
            return false;
        }
        bool all = true;
        const auto &entries = m_context.archiveEntries;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (!S_ISREG(entries[i].status.st_mode))
                continue;
            const age::RunRecord record{age::FileEnd::file(entries[i].path), run.output,
                                        m_writer.readIdentities()[i], run.outputIdentity};
            const SafeDeleteResult result = deleteSourceSafely(record, {});
            if (result.end != SafeDeleteEnd::Deleted)
                all = m_context.failed(entries[i].path, result.message);
        }
        for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry)
            if (S_ISDIR(entry->status.st_mode))
                ::rmdir(entry->path.c_str());
        return all;
    }

    BatchContext &m_context;
    RunProgress m_progress;
    // Room for many small files: the writer reads them while the key is derived.
    ByteChannel m_channel{16 * 1024 * 1024};
    ArchiveWriter m_writer;
    age::FileEngine m_engine;
};

} // namespace

void planArchive(BatchContext &context) { ArchivePlanner(context).plan(); }

void runArchive(BatchContext &context)
{
    if (!context.archive.output.path.empty())
        ArchiveWork(context).run();
}

} // namespace batch
