#pragma once
#include <string>

namespace registry {

// Lets the processes that write one store take turns. SQLite's write lock is polled, so a
// process writing in a tight loop takes it again before a waiting process looks, and the
// waiter starves until it gives up. A process about to wait for the write lock therefore
// first holds a lock of its own on a small file beside the store ("<store>-writers"), and
// keeps it until it has the write lock: the process that wrote last must take the same lock
// before it writes again, so it waits while another process is waiting.
class WriterTurn {
public:
    WriterTurn() = default;
    ~WriterTurn();
    WriterTurn(const WriterTurn &) = delete;
    WriterTurn &operator=(const WriterTurn &) = delete;

    // Forgets any file of another store; the next `take` uses the one beside `storePath`.
    void reset(const std::string &storePath);

    // Waits up to `timeoutMs` for the turn and holds it. Without the file (a folder that
    // cannot be written) or once the time is up it goes on without a turn: the store's own
    // lock still keeps writes apart, only without the fairness.
    void take(int timeoutMs);
    void release();

private:
    bool open();
    bool tryLock(short type);

    std::string m_path;
    int m_file = -1;
    bool m_held = false;
};

} // namespace registry
