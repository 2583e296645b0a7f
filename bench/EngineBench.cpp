// Measures the engine on a 1 GiB file in /dev/shm (where flushing to disk costs nothing,
// so the figures compare the work itself): peak memory for 1 GiB against 64 MiB, encrypt
// and decrypt time against the `age` tool at the same work factor, and payload
// throughput against `cp`. Usage: ecx_bench [folder]   (default /dev/shm)
#include <QElapsedTimer>
#include <QFile>
#include <chrono>
#include <cstdio>
#include <sodium.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "globals/engine/EncDec.h"
#include "globals/filerules/KeyString.h"
#include "harness/PtyRun.h"

namespace {

const QString typedKey = QStringLiteral("benchmark key");

double seconds(const std::chrono::steady_clock::time_point &start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool makeFile(const std::string &path, std::size_t size)
{
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    std::vector<unsigned char> block(1 << 20);
    for (std::size_t done = 0; done < size; done += block.size()) {
        randombytes_buf(block.data(), block.size());
        std::fwrite(block.data(), 1, std::min(block.size(), size - done), f);
    }
    return std::fclose(f) == 0;
}

struct ChildRun {
    int status = -1;
    double seconds = 0;
    long peakKiB = 0;
};

// Runs a program with `input` on its standard input and reports time and peak memory.
ChildRun runChild(const std::vector<std::string> &argv, const std::string &input = {})
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {};
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipeFds[0], STDIN_FILENO);
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        execProgram(argv);
    }
    ::close(pipeFds[0]);
    (void)!::write(pipeFds[1], input.data(), input.size());
    ::close(pipeFds[1]);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, seconds(start), usage.ru_maxrss};
}

// Time from the first progress event (key derived, payload begins) to the end of the call.
double payloadSeconds(EncDec &engine, bool encrypt, const QString &from, const QString &to)
{
    std::chrono::steady_clock::time_point start;
    const auto onProgress = [&](qint16 &p) {
        if (p == 0)
            start = std::chrono::steady_clock::now();
    };
    QObject::connect(&engine, &EncDec::FileEncryptionProgress, onProgress);
    QObject::connect(&engine, &EncDec::FileDecryptionProgress, onProgress);
    const bool ok =
        isTrue(encrypt ? engine.EncryptFile(from, to, {}) : engine.DecryptFile(from, to, {}));
    const double s = seconds(start);
    engine.disconnect();
    return ok ? s : -1;
}

void fail(const char *what)
{
    std::fprintf(stderr, "ecx_bench: %s\n", what);
    std::exit(1);
}

} // namespace

int main(int argc, char **argv)
{
    if (sodium_init() < 0)
        fail("libsodium failed to start");
    const std::string folder = argc > 1 ? argv[1] : "/dev/shm";
    const std::string ecx = std::string(EC_ECX_PROGRAM);
    const std::string big = folder + "/ecx-bench-1g", small = folder + "/ecx-bench-64m";
    const std::size_t gib = std::size_t(1) << 30;
    const std::string key = typedKey.toStdString() + "\n";
    const std::string passphrase = keyStringFor(typedKey).toStdString();

    std::printf("Preparing 1 GiB and 64 MiB files in %s ...\n", folder.c_str());
    if (!makeFile(big, gib) || !makeFile(small, gib / 16))
        fail("could not write the test files");

    // The first use of fresh memory by the memory file system is much slower than later
    // ones; one copy that is thrown away puts every contender on the same footing.
    runChild({"cp", big, big + ".warm"});
    runChild({"cp", big, big + ".warm2"});
    QFile::remove(QString::fromStdString(big + ".warm"));
    QFile::remove(QString::fromStdString(big + ".warm2"));

    // Peak memory of the whole program, work factor 18 (the scrypt memory included).
    const ChildRun memSmall =
        runChild({ecx, "encrypt", "--quiet", "--key-stdin", "-o", small + ".ECX", small}, key);
    const ChildRun encBig =
        runChild({ecx, "encrypt", "--quiet", "--key-stdin", "-o", big + ".ECX", big}, key);
    const ChildRun decBig = runChild(
        {ecx, "decrypt", "--quiet", "--key-stdin", "-o", big + ".back", big + ".ECX"}, key);
    if (memSmall.status || encBig.status || decBig.status)
        fail("ecx failed");
    const ChildRun same = runChild({"cmp", big, big + ".back"});
    if (same.status != 0)
        fail("decrypted file differs");

    auto start = std::chrono::steady_clock::now();
    if (runWithPassphrase({"age", "-p", "-o", big + ".age", big}, passphrase) != 0)
        fail("age -p failed");
    const double ageEnc = seconds(start);
    start = std::chrono::steady_clock::now();
    if (runWithPassphrase({"age", "-d", "-o", big + ".ageback", big + ".ECX"}, passphrase) != 0)
        fail("age -d failed");
    const double ageDec = seconds(start);

    const ChildRun cp = runChild({"cp", big, big + ".cp"});
    EncDec engine;
    engine.setKey(keyStringFor(typedKey));
    const double payloadEnc = payloadSeconds(engine, true, QString::fromStdString(big),
                                             QString::fromStdString(big + ".ECX"));
    const double payloadDec = payloadSeconds(engine, false, QString::fromStdString(big + ".ECX"),
                                             QString::fromStdString(big + ".back"));
    const double cpRate = 1024 / cp.seconds;

    std::printf("\nPeak memory (ecx encrypt, work factor 18)\n");
    std::printf("  64 MiB file: %7.1f MiB\n", memSmall.peakKiB / 1024.0);
    std::printf("  1 GiB file:  %7.1f MiB   ratio %.3f (goal: within 10 %%)\n",
                encBig.peakKiB / 1024.0, double(encBig.peakKiB) / double(memSmall.peakKiB));
    std::printf("  1 GiB decrypt: %5.1f MiB\n", decBig.peakKiB / 1024.0);
    std::printf("\nWhole run on 1 GiB, work factor 18\n");
    std::printf("  encrypt: ecx %.2f s   age -p %.2f s   ratio %.2f (goal: <= 1)\n", encBig.seconds,
                ageEnc, encBig.seconds / ageEnc);
    std::printf("  decrypt: ecx %.2f s   age -d %.2f s   ratio %.2f (goal: <= 1)\n", decBig.seconds,
                ageDec, decBig.seconds / ageDec);
    std::printf("\nPayload alone (after the key derivation) on 1 GiB\n");
    std::printf("  cp:      %.3f s  %6.0f MiB/s\n", cp.seconds, cpRate);
    std::printf("  encrypt: %.3f s  %6.0f MiB/s   %.0f %% of cp (goal: >= 70 %%)\n", payloadEnc,
                1024 / payloadEnc, 100 * (1024 / payloadEnc) / cpRate);
    std::printf("  decrypt: %.3f s  %6.0f MiB/s   %.0f %% of cp (goal: >= 70 %%)\n", payloadDec,
                1024 / payloadDec, 100 * (1024 / payloadDec) / cpRate);

    for (const char *suffix : {"", ".ECX", ".back", ".age", ".ageback", ".cp"})
        QFile::remove(QString::fromStdString(big + suffix));
    QFile::remove(QString::fromStdString(small));
    QFile::remove(QString::fromStdString(small + ".ECX"));
    return 0;
}
