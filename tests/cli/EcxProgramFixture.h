#pragma once
#include "tests/TestPaths.h"
#include <gtest/gtest.h>

#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

// Runs the `ecx` program in a fresh folder as a user would: arguments in raw bytes (file names
// need not be UTF-8), standard input from bytes, standard output and error captured.
class EcxProgram : public ::testing::Test {
protected:
    struct Outcome {
        int status;
        QString err;
        QByteArray out;
    };

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid() && streams.isValid());
        write("plain.txt", "a secret plan\n");
        write("key", "hunter2\n");
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    QByteArray bytePath(const QByteArray &name) const
    {
        return QFile::encodeName(dir.path()) + "/" + name;
    }
    void write(const QString &name, const QByteArray &content)
    {
        writeBytes(QFile::encodeName(path(name)), content);
    }
    static void writeBytes(const QByteArray &path, const QByteArray &content)
    {
        QFile f(QFile::decodeName(path));
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_TRUE(f.open(fd, QIODevice::WriteOnly, QFile::AutoCloseHandle));
        f.write(content);
    }
    QByteArray read(const QString &name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QStringList files() const
    {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

    Outcome ecx(const QByteArrayList &args, const QByteArray &input = {})
    {
        const QByteArray in = QFile::encodeName(streams.filePath("in")),
                         out = QFile::encodeName(streams.filePath("out")),
                         err = QFile::encodeName(streams.filePath("err"));
        writeBytes(in, input);
        std::vector<QByteArray> storage{EC_ECX_PROGRAM};
        storage.insert(storage.end(), args.begin(), args.end());
        std::vector<char *> argv;
        for (QByteArray &arg : storage)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, in.constData(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, out.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        posix_spawn_file_actions_addopen(&actions, 2, err.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        posix_spawn_file_actions_addchdir_np(&actions, QFile::encodeName(dir.path()).constData());
        pid_t child = -1;
        const int spawned = ::posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        int status = -1;
        if (spawned != 0 || ::waitpid(child, &status, 0) != child)
            return {-1, "could not run ecx", {}};
        QFile errFile(QFile::decodeName(err)), outFile(QFile::decodeName(out));
        errFile.open(QIODevice::ReadOnly);
        outFile.open(QIODevice::ReadOnly);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                QString::fromUtf8(errFile.readAll()).trimmed(), outFile.readAll()};
    }

    QTemporaryDir dir, streams;
    const QByteArrayList fast{"--work-factor", "10"};
};

// Failures show text, not code units.
inline void PrintTo(const QString &text, std::ostream *os) { *os << text.toStdString(); }
