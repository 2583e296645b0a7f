#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <sys/types.h>

// Files, folders and child processes for the fault tests.
namespace hardening {

QByteArray randomBytes(qsizetype size, unsigned seed);
void writeFile(const QString &path, const QByteArray &bytes);
// The file's bytes, or "<missing>" when there is no such file.
QByteArray readFile(const QString &path);
// Every entry of `folder` (hidden ones too), sorted.
QStringList folderEntries(const QString &folder);

// Starts `program` with `arguments`, standard input from /dev/null and standard output and
// error into `errorFile` (or /dev/null when empty).
pid_t startProgram(const QString &program, const QStringList &arguments,
                   const QString &errorFile = {});
// Waits for `child`: its exit status, or -1 when a signal ended it.
int waitForExit(pid_t child);

// Bytes a running process has read and written so far (from /proc), or -1 once it is gone.
qint64 bytesRead(pid_t process);
qint64 bytesWritten(pid_t process);

// The peak resident memory in KiB of a child that runs `work` and exits with its result.
struct ChildRun {
    int status = -1;
    long peakKiB = 0;
};
ChildRun runInChild(const std::function<int()> &work);

} // namespace hardening
