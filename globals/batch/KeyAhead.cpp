#include "globals/batch/KeyAhead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "globals/engine/AgeHeader.h"
#include "globals/engine/Armor.h"
#include "globals/engine/ScryptIdentity.h"
#include "globals/engine/ScryptMemory.h"
#include "globals/engine/SecretArray.h"

namespace batch {

namespace {

constexpr int defaultWorkFactor = 18;

age::Key32 copyOf(const age::Key32 &key)
{
    age::Key32 copy;
    std::copy(key.begin(), key.end(), copy.begin());
    return copy;
}

std::uint64_t derivationCost(int logN) { return age::scryptMemoryNeeded(logN); }

// The salt and work factor in the header of the age file at `path`, when it has exactly one
// well-formed scrypt stanza; opening never blocks and reads only a regular file.
std::optional<age::ScryptParameters> scryptParametersAt(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat status;
    std::optional<age::ScryptParameters> parameters;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        age::FdSource raw(fd, path);
        age::AnyAgeSource any(raw);
        age::ByteReader reader(any);
        age::Failure failure;
        const auto header = age::parseHeader(reader, failure);
        if (header && header->stanzas.size() == 1)
            parameters = age::scryptParametersOf(header->stanzas.front());
    }
    ::close(fd);
    if (parameters && parameters->workFactor > age::maxReadWorkFactor)
        return std::nullopt;
    return parameters;
}

} // namespace

KeyAhead::KeyAhead(std::string passphrase, int workFactor, std::vector<Job> jobs)
    : m_passphrase(std::move(passphrase)), m_workFactor(workFactor)
{
    for (Job &job : jobs)
        m_slots.push_back(Slot{std::move(job), State::Waiting, {}, 0, std::nullopt});
    const unsigned processors = std::max(1u, std::thread::hardware_concurrency());
    m_ahead = 2 * std::size_t(processors);
    m_costBudget = processors * derivationCost(defaultWorkFactor);
    const std::size_t threads = std::min<std::size_t>(processors, m_slots.size());
    try {
        for (std::size_t i = 0; i < threads; ++i)
            m_threads.emplace_back([this] { work(); });
    } catch (const std::system_error &) {
        // Fewer threads than processors: the files wait a little longer for their keys, and
        // with none at all each key is derived on the spot.
    }
    if (m_threads.empty())
        for (Slot &slot : m_slots)
            slot.state = State::None;
}

KeyAhead::~KeyAhead()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    for (std::thread &thread : m_threads)
        thread.join();
    for (Slot &slot : m_slots)
        wipe(slot);
    age::wipeSecret(m_passphrase.data(), m_passphrase.size());
}

void KeyAhead::startFile(std::size_t index)
{
    {
        const std::lock_guard lock(m_mutex);
        for (std::size_t i = m_current; i < index && i < m_slots.size(); ++i)
            wipe(m_slots[i]);
        m_current = index;
    }
    m_changed.notify_all();
}

std::optional<age::SaltedWrapKey> KeyAhead::freshKey(int workFactor)
{
    std::unique_lock lock(m_mutex);
    Slot &slot = currentSlot(lock);
    if (slot.key && slot.job.fresh && slot.workFactor == workFactor)
        return age::SaltedWrapKey{slot.salt, copyOf(*slot.key)};
    lock.unlock();
    age::Bytes salt = age::freshScryptSalt();
    auto key = age::scryptWrapKey(m_passphrase, salt, workFactor);
    if (!key)
        return std::nullopt;
    return age::SaltedWrapKey{std::move(salt), std::move(*key)};
}

std::optional<age::Key32> KeyAhead::keyForSalt(const age::Bytes &salt, int workFactor)
{
    std::unique_lock lock(m_mutex);
    Slot &slot = currentSlot(lock);
    // Also the fresh key of a file just encrypted, when it is read back before a delete.
    if (slot.key && slot.salt == salt && slot.workFactor == workFactor)
        return copyOf(*slot.key);
    lock.unlock();
    return age::scryptWrapKey(m_passphrase, salt, workFactor);
}

KeyAhead::Slot &KeyAhead::currentSlot(std::unique_lock<std::mutex> &lock)
{
    static Slot none{{}, State::None, {}, 0, std::nullopt};
    if (m_current >= m_slots.size())
        return none;
    Slot &slot = m_slots[m_current];
    m_changed.wait(lock, [&] { return slot.state == State::Ready || slot.state == State::None; });
    return slot;
}

bool KeyAhead::mayTake() const { return m_next < m_slots.size() && m_next < m_current + m_ahead; }

void KeyAhead::work()
{
    for (;;) {
        std::size_t index;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_stopping || mayTake(); });
            if (m_stopping)
                return;
            index = m_next++;
            m_slots[index].state = State::Deriving;
        }
        try {
            derive(index);
        } catch (const std::exception &) {
            // The file's key is then derived on the spot, where a failure is reported.
            const std::lock_guard lock(m_mutex);
            m_slots[index].state = State::None;
        }
        m_changed.notify_all();
    }
}

void KeyAhead::derive(std::size_t index)
{
    // The slot's job never changes, and its other members are written only by this thread
    // until the state says Ready or None.
    Slot &slot = m_slots[index];
    std::optional<age::ScryptParameters> parameters;
    if (slot.job.fresh)
        parameters = age::ScryptParameters{age::freshScryptSalt(), m_workFactor};
    else if (slot.job.headerPath)
        parameters = scryptParametersAt(*slot.job.headerPath);
    std::unique_lock lock(m_mutex);
    if (!parameters || m_stopping || index < m_current ||
        age::scryptMemoryCheck(parameters->workFactor)) {
        slot.state = State::None;
        return;
    }
    const std::uint64_t cost = derivationCost(parameters->workFactor);
    admit(cost, lock);
    lock.unlock();
    std::optional<age::Key32> key;
    try {
        key = age::scryptWrapKey(m_passphrase, parameters->salt, parameters->workFactor);
    } catch (const std::exception &) {
        // Left to the engine, which derives on the spot and reports what fails.
    }
    lock.lock();
    m_costInFlight -= cost;
    slot.salt = std::move(parameters->salt);
    slot.workFactor = parameters->workFactor;
    slot.state = key ? State::Ready : State::None;
    slot.key = std::move(key);
}

// Waits until a derivation of `cost` fits the memory budget; one alone always fits.
void KeyAhead::admit(std::uint64_t cost, std::unique_lock<std::mutex> &lock)
{
    m_changed.wait(lock,
                   [&] { return m_costInFlight == 0 || m_costInFlight + cost <= m_costBudget; });
    m_costInFlight += cost;
}

void KeyAhead::wipe(Slot &slot) { slot.key.reset(); }

} // namespace batch
