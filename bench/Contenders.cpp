#include "bench/Contenders.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <sys/stat.h>

#include "globals/engine/EncDec.h"
#include "globals/filerules/KeyString.h"

namespace {

bool isInstalled(const std::string &program)
{
    return runProgram({"sh", "-c", "command -v " + program + " >/dev/null"}).ok;
}

Contender ageContender()
{
    return {"age -p",
            [](const std::string &from, const std::string &to) {
                return runOnTerminal({"age", "-p", "-o", to, from}, benchKey);
            },
            [](const std::string &from, const std::string &to) {
                return runOnTerminal({"age", "-d", "-o", to, from}, benchKey);
            }};
}

// Batch mode with the passphrase on standard input and a home folder of its own, so that
// no agent prompts and the user's keyrings stay untouched.
Contender gpgContender(const std::string &home)
{
    const std::vector<std::string> common{
        "gpg",     "--homedir",       home,       "--batch",         "--yes",
        "--quiet", "--pinentry-mode", "loopback", "--passphrase-fd", "0"};
    const auto with = [common](std::vector<std::string> rest) {
        std::vector<std::string> argv = common;
        argv.insert(argv.end(), rest.begin(), rest.end());
        return argv;
    };
    return {"gpg -c",
            [with](const std::string &from, const std::string &to) {
                return runProgram(with({"--compress-algo", "none", "-c", "-o", to, from}),
                                  benchKey + "\n");
            },
            [with](const std::string &from, const std::string &to) {
                return runProgram(with({"-d", "-o", to, from}), benchKey + "\n");
            }};
}

// Stored (-mx0) and encrypted; extraction goes to standard output, which is the file `to`.
Contender sevenZipContender()
{
    return {
        "7zz -mx0",
        [](const std::string &from, const std::string &to) {
            return runProgram(
                {"7zz", "a", "-t7z", "-mx0", "-p" + benchKey, "-bso0", "-bsp0", "-y", to, from});
        },
        [](const std::string &from, const std::string &to) {
            return runProgram({"7zz", "e", "-so", "-p" + benchKey, "-bsp0", "-y", from}, {}, to);
        }};
}

using Clock = std::chrono::steady_clock;

// Times one call of the engine and, from its first progress event (raised once the key is
// derived and the payload begins), the payload alone.
ProgramRun timeEngine(EncDec &engine, bool encrypt, const std::string &from, const std::string &to)
{
    Clock::time_point payloadStart;
    const auto onProgress = [&](qint16 &percent) {
        if (percent == 0)
            payloadStart = Clock::now();
    };
    QObject::connect(&engine, &EncDec::FileEncryptionProgress, onProgress);
    QObject::connect(&engine, &EncDec::FileDecryptionProgress, onProgress);
    const auto start = Clock::now();
    const QString source = QString::fromStdString(from), destination = QString::fromStdString(to);
    const VBool result = encrypt ? engine.EncryptFile(source, destination, {})
                                 : engine.DecryptFile(source, destination, {});
    const auto end = Clock::now();
    engine.disconnect();
    ProgramRun run;
    run.ok = isTrue(result);
    run.seconds = std::chrono::duration<double>(end - start).count();
    run.payloadSeconds = std::chrono::duration<double>(end - payloadStart).count();
    return run;
}

} // namespace

Contender copyContender()
{
    return {"cp",
            [](const std::string &from, const std::string &to) {
                return runProgram({"cp", from, to});
            },
            {}};
}

Contender ecxContender(const std::string &program)
{
    const auto run = [program](const char *command) {
        return [program, command](const std::string &from, const std::string &to) {
            return runProgram({program, command, "--quiet", "--key-stdin", "-o", to, from},
                              benchKey + "\n");
        };
    };
    return {"ecx", run("encrypt"), run("decrypt")};
}

Contender engineContender()
{
    const auto engine = std::make_shared<EncDec>();
    engine->setKey(keyStringFor(QString::fromStdString(benchKey)));
    return {"engine",
            [engine](const std::string &from, const std::string &to) {
                return timeEngine(*engine, true, from, to);
            },
            [engine](const std::string &from, const std::string &to) {
                return timeEngine(*engine, false, from, to);
            }};
}

std::vector<Contender> installedPeers(const std::string &scratch, std::vector<std::string> &missing)
{
    std::vector<Contender> peers;
    const auto offer = [&](const std::string &program, const auto &make) {
        if (isInstalled(program))
            peers.push_back(make());
        else
            missing.push_back(program);
    };
    offer("age", ageContender);
    offer("gpg", [&] {
        const std::string home = scratch + "/gnupg";
        std::filesystem::create_directories(home);
        ::chmod(home.c_str(), 0700);
        return gpgContender(home);
    });
    offer("7zz", sevenZipContender);
    return peers;
}

void stopPeers(const std::string &scratch)
{
    const std::string home = scratch + "/gnupg";
    if (std::filesystem::exists(home))
        runProgram({"gpgconf", "--homedir", home, "--kill", "gpg-agent"});
}
