#include <cerrno>
#include <thread>

#include "globals/batch/BatchContext.h"
#include "globals/batch/ExtractionFolder.h"
#include "globals/batch/Guarded.h"
#include "globals/batch/OutputPaths.h"
#include "globals/batch/RunProgress.h"
#include "globals/batch/SafeExtractor.h"
#include "globals/batch/SkipRules.h"

namespace batch {

namespace {

class ExtractionPlanner {
public:
    explicit ExtractionPlanner(BatchContext &context) : m_context(context) {}

    void plan()
    {
        const auto &options = m_context.options;
        if (options.deleteSources) {
            m_context.failed(m_context.paths.front(),
                             "an archive is not deleted after its folder was given back");
            return;
        }
        if (!options.output.empty() && m_context.paths.size() > 1) {
            m_context.failed(m_context.paths.front(), "one output path takes one archive");
            return;
        }
        for (const std::string &path : m_context.paths)
            named(path);
    }

private:
    void named(const std::string &path)
    {
        struct stat status;
        if (::stat(path.c_str(), &status) != 0) {
            m_context.failed(path, errno == ENOENT ? "file not found: " + path
                                                   : systemReason(path, errno));
            return;
        }
        if (S_ISDIR(status.st_mode)) {
            m_context.failed(path, path + " is a folder", FailureCause::IsFolder);
            return;
        }
        const auto folder = m_context.options.output.empty()
                                ? extractedPath(path)
                                : std::optional(m_context.options.output);
        if (!folder || folder->empty() || folder->back() == '/') {
            m_context.failed(path, "no folder name left for the archive " + path +
                                       " (name the folder with -o)");
            return;
        }
        PlannedFile file{age::FileEnd::file(path), age::FileEnd::file(*folder),
                         std::uint64_t(status.st_size), false, std::nullopt};
        if (m_context.mayWrite(path, *folder, file.replaceExisting, true))
            m_context.files.push_back(std::move(file));
    }

    BatchContext &m_context;
};

class ExtractionWork {
public:
    explicit ExtractionWork(BatchContext &context) : m_context(context), m_progress(context)
    {
        m_engine.setKey(context.key);
    }

    void run()
    {
        for (std::size_t i = 0; i < m_context.files.size(); ++i) {
            if (m_context.stopRequested) {
                m_context.summary.stopped = true;
                return;
            }
            const PlannedFile &file = m_context.files[i];
            if (const age::Failure failure = extract(i, file))
                m_context.failed(file.source.path, failure.message());
            else
                m_context.handled(file.source.path, file.output.path);
            m_progress.fileEnded(file.size);
        }
    }

private:
    // Decrypts on this thread and extracts on another; the folder appears only when both ended
    // well, that is when the whole archive authenticated.
    age::Failure extract(std::size_t index, const PlannedFile &file)
    {
        ExtractionFolder folder;
        if (age::Failure failure = folder.create(file.output.path))
            return failure;
        ByteChannel channel;
        SafeExtractor extractor(channel, folder.fd());
        std::string extractorFailure;
        std::thread reader([&] { extractorFailure = extractor.extract(); });
        ChannelSink sink(channel);
        const auto progress = [&](std::int16_t percent) {
            if (m_context.stopRequested)
                channel.closeReading();
            m_progress.report(Stage::Extracting, extractor.currentName(), index,
                              file.size * std::uint64_t(percent) / 100, file.size);
        };
        const age::Failure failure =
            guarded([&] { return m_engine.decrypt(file.source, sink, progress); });
        channel.closeWriting(failure ? failure.message() : std::string());
        reader.join();
        if (m_context.stopRequested && (failure || !extractorFailure.empty()))
            m_context.summary.stopped = true;
        if (!extractorFailure.empty() && extractorFailure != failure.message())
            return age::Failure::io(extractorFailure);
        if (failure)
            return failure;
        return folder.place(file.replaceExisting);
    }

    BatchContext &m_context;
    RunProgress m_progress;
    age::FileEngine m_engine;
};

} // namespace

void planExtraction(BatchContext &context) { ExtractionPlanner(context).plan(); }

void runExtraction(BatchContext &context) { ExtractionWork(context).run(); }

} // namespace batch
