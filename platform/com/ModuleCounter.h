#pragma once
#include <atomic>

// Counts what keeps a component library in use: its live objects and the locks that hosts
// take on it through a class factory. The library may be unloaded only when both are zero.
class ModuleCounter {
public:
    void objectCreated() { ++m_objects; }
    void objectDestroyed() { --m_objects; }
    void lock() { ++m_locks; }
    void unlock() { --m_locks; }
    bool canUnload() const { return m_objects == 0 && m_locks == 0; }
    int objects() const { return m_objects; }

private:
    std::atomic<int> m_objects{0};
    std::atomic<int> m_locks{0};
};
