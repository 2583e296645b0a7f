#pragma once
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "globals/batch/BatchRun.h"

// A temporary folder, ways to fill it, and a snapshot of everything below a path (kind,
// permissions, content or link target) to prove what a run changed and what it left alone.
class TreeFixture : public ::testing::Test {
protected:
    using Snapshot = std::map<std::string, std::string>;

    // Names that are not UTF-8 are beyond QTemporaryDir: the tree goes by its bytes.
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    std::string at(const std::string &name) const { return root + "/" + name; }
    static void writeFile(const std::string &path, const std::string &content, mode_t mode = 0644)
    {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, mode);
        ASSERT_GE(fd, 0) << path;
        ASSERT_EQ(::write(fd, content.data(), content.size()), ssize_t(content.size()));
        ::close(fd);
    }
    static std::string readFile(const std::string &path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return in ? text.str() : "<missing>";
    }
    static bool exists(const std::string &path)
    {
        struct stat status;
        return ::lstat(path.c_str(), &status) == 0;
    }

    static Snapshot snapshot(const std::string &path)
    {
        Snapshot result;
        add(result, path, "");
        return result;
    }

    // Runs a whole batch with `key`; `listener` answers and hears.
    static batch::BatchSummary runBatch(const batch::BatchOptions &options,
                                        const std::vector<std::string> &paths,
                                        batch::BatchListener &listener,
                                        const std::string &key = "Corvantidekey")
    {
        batch::BatchRun run(options, paths);
        if (run.plan(listener) > 0) {
            run.setKey(key);
            run.run(listener);
        }
        return run.summary();
    }

    static batch::BatchOptions options(batch::Action action, batch::Packing packing,
                                       bool recursive = false)
    {
        batch::BatchOptions o;
        o.action = action;
        o.packing = packing;
        o.recursive = recursive;
        o.workFactor = 10;
        return o;
    }

    QTemporaryDir dir;
    const std::string root = dir.path().toStdString();

private:
    static void add(Snapshot &result, const std::string &path, const std::string &name)
    {
        struct stat status;
        if (::lstat(path.c_str(), &status) != 0)
            return;
        std::string what = std::to_string(status.st_mode & 07777) + " ";
        if (S_ISREG(status.st_mode)) {
            const std::string content = readFile(path);
            what += "file " + (content.size() <= 64
                                   ? content
                                   : std::to_string(content.size()) + " bytes, " +
                                         std::to_string(std::hash<std::string>()(content)));
        } else if (S_ISLNK(status.st_mode)) {
            char target[4096];
            const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
            what += "link " + std::string(target, std::size_t(std::max<ssize_t>(n, 0)));
        } else if (S_ISDIR(status.st_mode)) {
            what += "folder";
            DIR *folder = ::opendir(path.c_str());
            while (folder)
                if (const dirent *entry = ::readdir(folder)) {
                    const std::string child = entry->d_name;
                    if (child != "." && child != "..")
                        add(result, path + "/" + child, name + "/" + child);
                } else {
                    ::closedir(folder);
                    folder = nullptr;
                }
        } else {
            what += "special";
        }
        result[name] = what;
    }
};

// Answers every replace question with one answer and keeps what it heard.
class RecordingListener : public batch::BatchListener {
public:
    explicit RecordingListener(batch::ReplaceAnswer answer = batch::ReplaceAnswer::No)
        : m_answer(answer)
    {
    }
    batch::ReplaceAnswer replaceExisting(const std::string &path) override
    {
        asked.push_back(path);
        return m_answer;
    }
    void progress(const batch::BatchProgress &p) override { last = p; }

    std::vector<std::string> asked;
    batch::BatchProgress last;

private:
    batch::ReplaceAnswer m_answer;
};
