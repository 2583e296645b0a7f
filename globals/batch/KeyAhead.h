#pragma once
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "globals/engine/ScryptKeys.h"

namespace batch {

// Derives the scrypt wrap keys of a run's files ahead, on one thread per processor, while the
// engine works on the current file. A file to encrypt gets a fresh salt; a file to decrypt or
// verify has its header read ahead for its salt (a stream, or a file whose header cannot be read
// then, is derived on the spot when its turn comes). At most one derivation per processor is in
// flight, within the memory that many derivations at the default work factor take, and at most
// two per processor are kept ready, so memory stays bounded and a stopped run wastes little.
class KeyAhead final : public age::ScryptKeys {
public:
    // One job per file, in run order: an empty path for a file to encrypt, otherwise the path of
    // the age file whose header names the salt (empty optional: derive on the spot).
    struct Job {
        bool fresh = true;
        std::optional<std::string> headerPath;
    };

    KeyAhead(std::string passphrase, int workFactor, std::vector<Job> jobs);
    ~KeyAhead() override;
    KeyAhead(const KeyAhead &) = delete;
    KeyAhead &operator=(const KeyAhead &) = delete;

    // The engine turns to file `index`: earlier keys are wiped.
    void startFile(std::size_t index);

    std::optional<age::SaltedWrapKey> freshKey(int workFactor) override;
    std::optional<age::Key32> keyForSalt(const age::Bytes &salt, int workFactor) override;

private:
    enum class State { Waiting, Deriving, Ready, None };
    struct Slot {
        Job job;
        State state = State::Waiting;
        age::Bytes salt;
        int workFactor = 0;
        std::optional<age::Key32> key;
    };

    void work();
    bool mayTake() const;
    std::size_t takeNext();
    void derive(std::size_t index);
    void admit(std::uint64_t cost, std::unique_lock<std::mutex> &lock);
    // The current slot once its derivation ended; the lock is held.
    Slot &currentSlot(std::unique_lock<std::mutex> &lock);
    void wipe(Slot &slot);

    std::string m_passphrase; // wiped when the object goes
    const int m_workFactor;
    std::vector<Slot> m_slots;
    std::size_t m_current = 0, m_next = 0, m_ahead;
    std::uint64_t m_costInFlight = 0, m_costBudget;
    bool m_stopping = false;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::thread> m_threads;
};

} // namespace batch
