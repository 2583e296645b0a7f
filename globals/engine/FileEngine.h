#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <functional>
#include <string>

#include "globals/engine/AgeFailure.h"
#include "globals/engine/AtomicFile.h"
#include "globals/engine/ByteStream.h"
#include "globals/engine/FileIdentity.h"
#include "globals/engine/ScryptKeys.h"

namespace age {

// One end of a run: a path (bytes, as the system takes them), or the process's standard input
// or output, whose `path` is then only its name for messages. Standard streams cannot be
// written atomically: what a failed run wrote there stays.
struct VANTRELGLOBALS_EXPORT FileEnd {
    std::string path;
    bool standardStream = false;

    static FileEnd file(std::string path) { return {std::move(path), false}; }
    static FileEnd standardInput() { return {"standard input", true}; }
    static FileEnd standardOutput() { return {"standard output", true}; }
};

// What a successful run read and wrote, as the rule for deleting a source needs it.
struct VANTRELGLOBALS_EXPORT RunRecord {
    FileEnd source, output;
    FileIdentity sourceIdentity; // as the source was opened
    FileIdentity outputIdentity; // as the output was committed; unknown for a stream
};

// Encrypts, decrypts and verifies .ECX files. Output files are written atomically (see
// AtomicFile); binary and armored files are read alike.
class VANTRELGLOBALS_EXPORT FileEngine {
public:
    // Told whole percentages 0..100 that never decrease, on the calling thread.
    using Progress = std::function<void(std::int16_t percent)>;

    // Throws std::runtime_error when the cryptography library cannot start.
    FileEngine();
    FileEngine(const FileEngine &) = delete;
    FileEngine &operator=(const FileEngine &) = delete;
    ~FileEngine();

    // The key string in UTF-8.
    void setKey(const std::string &key);
    int workFactor() const { return m_workFactor; }
    // log2 of the scrypt work factor when writing; values outside 1..22 are ignored.
    void setWorkFactor(int logN);
    // Whether encryption writes the armored text form.
    void setArmor(bool armor) { m_armor = armor; }
    // Whether an existing regular output file may be replaced (true unless changed).
    void setReplaceExisting(bool replace) { m_replaceExisting = replace; }
    bool replaceExisting() const { return m_replaceExisting; }
    // With this on, a named source must be a regular file; it is opened without blocking, so
    // a FIFO put under the name is refused instead of waiting for a writer for ever.
    void setRegularSourcesOnly(bool only) { m_regularSourcesOnly = only; }
    // A run over many files shares one record of the folders it swept of leftovers, so each
    // folder is swept once; without one, every output's folder is swept.
    void setSweptFolders(SweptFolders *swept) { m_sweptFolders = swept; }
    // Where scrypt wrap keys come from; null (the default) derives each on the spot. The
    // engine does not own `keys`.
    void setScryptKeys(ScryptKeys *keys) { m_scryptKeys = keys; }

    Failure encrypt(const FileEnd &source, const FileEnd &output, const Progress &progress = {});
    Failure decrypt(const FileEnd &source, const FileEnd &output, const Progress &progress = {});
    // Decrypts `source` completely without writing anything. With `expected` known, the file
    // opened must be that file, unchanged.
    Failure verify(const FileEnd &source, const Progress &progress = {},
                   const FileIdentity &expected = {});

    // Encrypts what `plaintext` gives into `output`; `size` is the byte count to expect for the
    // progress events, 0 when unknown.
    Failure encrypt(ByteSource &plaintext, std::uint64_t size, const FileEnd &output,
                    const Progress &progress = {});
    // Decrypts `source` into `plaintext`, which receives only data that authenticated.
    Failure decrypt(const FileEnd &source, ByteSink &plaintext, const Progress &progress = {});

    // The last successful encrypt or decrypt.
    const RunRecord &lastRun() const { return m_lastRun; }

private:
    Failure transform(bool encrypt, const FileEnd &source, const FileEnd &output,
                      const Progress &progress);
    Failure write(bool encrypt, ByteSource &from, std::uint64_t size,
                  const FileIdentity &sourceIdentity, const FileEnd &source, const FileEnd &output,
                  const Progress &progress);
    Failure read(const FileEnd &source, ByteSink &sink, const Progress &progress,
                 const FileIdentity &expected);

    std::string m_key;
    int m_workFactor = 18;
    bool m_armor = false;
    bool m_replaceExisting = true;
    bool m_regularSourcesOnly = false;
    SweptFolders *m_sweptFolders = nullptr;
    ScryptKeys *m_scryptKeys = nullptr;
    RunRecord m_lastRun;
};

} // namespace age
