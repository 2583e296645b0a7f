#include "globals/engine/FileEngine.h"

#include <sodium.h>
#include <unistd.h>

#include "globals/engine/AgeFile.h"
#include "globals/engine/Armor.h"
#include "globals/engine/AtomicFile.h"
#include "globals/engine/CryptoStart.h"
#include "globals/engine/InputFile.h"
#include "globals/engine/PercentProgress.h"
#include "globals/engine/ScryptIdentity.h"

namespace age {

namespace {
Failure openSource(InputFile &input, const FileEnd &source, bool regularOnly)
{
    if (source.standardStream)
        return input.openStandardInput();
    return regularOnly ? input.openRegular(source.path) : input.open(source.path);
}

PercentProgress percentOf(std::uint64_t size, const FileEngine::Progress &progress)
{
    return PercentProgress(size, [&progress](std::int16_t value) {
        if (progress)
            progress(value);
    });
}

StreamEvents eventsFor(PercentProgress &percent)
{
    return {[&percent] { percent.report(0); }, [&percent](std::uint64_t n) { percent.report(n); }};
}

// Reads `raw` through the armor when it has one.
Failure decryptAny(ByteSource &raw, const std::string &key, ScryptKeys *keys, ByteSink &sink,
                   PercentProgress &percent)
{
    AnyAgeSource any(raw);
    ByteReader reader(any);
    const ScryptIdentity identity(key, maxReadWorkFactor, keys);
    // Progress is measured against the input's size: armored text is 4 bytes for every 3.
    const StreamEvents events{
        [&percent] { percent.report(0); },
        [&](std::uint64_t n) { percent.report(any.armored() ? n / 3 * 4 : n); }};
    return decryptStream(reader, {&identity}, sink, events);
}
} // namespace

FileEngine::FileEngine() { startCrypto(); }

FileEngine::~FileEngine() { sodium_memzero(m_key.data(), m_key.size()); }

void FileEngine::setKey(const std::string &key)
{
    sodium_memzero(m_key.data(), m_key.size());
    m_key = key;
}

void FileEngine::setWorkFactor(int logN)
{
    // Outside this range a file would be unreadable here or trivially weak.
    if (logN >= 1 && logN <= maxReadWorkFactor)
        m_workFactor = logN;
}

Failure FileEngine::encrypt(const FileEnd &source, const FileEnd &output, const Progress &progress)
{
    return transform(true, source, output, progress);
}

Failure FileEngine::decrypt(const FileEnd &source, const FileEnd &output, const Progress &progress)
{
    return transform(false, source, output, progress);
}

Failure FileEngine::transform(bool encrypt, const FileEnd &source, const FileEnd &output,
                              const Progress &progress)
{
    m_lastRun = {};
    if (m_key.empty())
        return Failure::io("no key set");
    InputFile input;
    if (Failure f = openSource(input, source, m_regularSourcesOnly))
        return f;
    if (!output.standardStream && input.isSameFileAs(output.path))
        return Failure::io("source and destination are the same file");
    FdSource from(input.fd(), source.path);
    return write(encrypt, from, input.size(), input.identity(), source, output, progress);
}

Failure FileEngine::encrypt(ByteSource &plaintext, std::uint64_t size, const FileEnd &output,
                            const Progress &progress)
{
    m_lastRun = {};
    if (m_key.empty())
        return Failure::io("no key set");
    return write(true, plaintext, size, {}, {}, output, progress);
}

Failure FileEngine::write(bool encrypt, ByteSource &from, std::uint64_t size,
                          const FileIdentity &sourceIdentity, const FileEnd &source,
                          const FileEnd &output, const Progress &progress)
{
    AtomicFile file;
    if (!output.standardStream)
        if (Failure f = file.create(output.path, sourceIdentity, m_replaceExisting, m_sweptFolders))
            return f;

    PercentProgress percent = percentOf(size, progress);
    FdSink to(output.standardStream ? STDOUT_FILENO : file.fd(), output.path);
    Failure failure;
    if (!encrypt) {
        failure = decryptAny(from, m_key, m_scryptKeys, to, percent);
    } else if (m_armor) {
        ByteReader reader(from);
        ArmorSink armored(to);
        failure =
            encryptStream(reader, armored, m_key, m_workFactor, eventsFor(percent), m_scryptKeys);
        if (!failure)
            failure = armored.finish();
    } else {
        ByteReader reader(from);
        failure = encryptStream(reader, to, m_key, m_workFactor, eventsFor(percent), m_scryptKeys);
    }
    if (!failure && !output.standardStream)
        failure = file.commit();
    if (failure)
        return failure;
    percent.finish();
    m_lastRun = {source, output, sourceIdentity, file.identity()};
    return {};
}

Failure FileEngine::verify(const FileEnd &source, const Progress &progress,
                           const FileIdentity &expected)
{
    NullSink nowhere;
    return read(source, nowhere, progress, expected);
}

Failure FileEngine::decrypt(const FileEnd &source, ByteSink &plaintext, const Progress &progress)
{
    return read(source, plaintext, progress, {});
}

Failure FileEngine::read(const FileEnd &source, ByteSink &sink, const Progress &progress,
                         const FileIdentity &expected)
{
    if (m_key.empty())
        return Failure::io("no key set");
    InputFile input;
    if (Failure f = openSource(input, source, m_regularSourcesOnly))
        return f;
    if (expected.known() && !input.identity().unchangedFrom(expected))
        return Failure::io(source.path + " changed after it was written");
    PercentProgress percent = percentOf(input.size(), progress);
    FdSource from(input.fd(), source.path);
    const Failure failure = decryptAny(from, m_key, m_scryptKeys, sink, percent);
    if (!failure)
        percent.finish();
    return failure;
}

} // namespace age
