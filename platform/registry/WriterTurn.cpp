#include "platform/registry/WriterTurn.h"

#include <chrono>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace registry {

WriterTurn::~WriterTurn() { reset({}); }

void WriterTurn::reset(const std::string &storePath)
{
    release();
    if (m_file >= 0)
        ::close(m_file);
    m_file = -1;
    m_path = storePath.empty() ? std::string() : storePath + "-writers";
}

// The file is opened on the first write, so a store that is only read gains no file.
bool WriterTurn::open()
{
    if (m_file < 0 && !m_path.empty())
        m_file = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    return m_file >= 0;
}

// Locks of an open file description: they belong to this store's connection, not to the
// process, so closing another descriptor of the file elsewhere in the process keeps them.
bool WriterTurn::tryLock(short type)
{
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 1;
    return fcntl(m_file, F_OFD_SETLK, &lock) == 0;
}

void WriterTurn::take(int timeoutMs)
{
    if (m_held || !open())
        return;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!(m_held = tryLock(F_WRLCK)) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void WriterTurn::release()
{
    if (m_held)
        tryLock(F_UNLCK);
    m_held = false;
}

} // namespace registry
