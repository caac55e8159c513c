#include "core/KeyMaker.h"

#include "core/LineStore.h"

#include <algorithm>
#include <new>

namespace kobrix {

namespace {

// Lines keyed between two looks at the state: a pause waits for at most
// this many keys (a fraction of a millisecond).
constexpr std::size_t kBatchLines = 2048;
// Keys left at the end that are worth sharing between two threads.
constexpr std::size_t kSharedLines = 4 * kBatchLines;

} // namespace

KeyMaker::KeyMaker(LineStore &store) : m_store(&store)
{
    m_published = store.keysMade();
    m_keyed = m_published;
    store.m_attached.maker = this;
    m_thread = std::thread([this] { run(); });
}

KeyMaker::~KeyMaker() { finish(); }

void KeyMaker::publish()
{
    if (!m_store)
        return;
    // The appending thread alone changes the table of non-ASCII lines.
    const std::size_t lines = m_store->nonAsciiLines().size();
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (lines == m_published)
            return;
        m_published = lines;
    }
    m_wake.notify_one();
}

std::size_t KeyMaker::pending() const
{
    if (!m_store)
        return 0;
    const std::size_t lines = m_store->nonAsciiLines().size();
    const std::size_t keyed = m_keyed.load(std::memory_order_relaxed);
    return lines > keyed ? lines - keyed : 0;
}

void KeyMaker::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        // Only this thread changes the keys, so it reads their count freely.
        const auto hasWork = [this] {
            return m_pauses == 0 && !m_failed && m_published > m_store->keysMade();
        };
        m_wake.wait(lock, [&] { return m_stop || m_drain || hasWork(); });
        if (m_stop)
            return; // finish() makes what is left
        if (!hasWork()) {
            if (m_drain)
                return; // all it was given is made
            continue;
        }
        const std::size_t upTo = std::min(m_published, m_store->keysMade() + kBatchLines);
        m_batchEnd = upTo;
        m_busy = true;
        lock.unlock();
        bool failed = false;
        try {
            m_store->makeKeys(upTo);
        } catch (const std::bad_alloc &) {
            failed = true;
        }
        m_keyed.store(m_store->keysMade(), std::memory_order_relaxed);
        lock.lock();
        m_busy = false;
        m_failed = m_failed || failed;
        m_idle.notify_all();
    }
}

void KeyMaker::finish()
{
    if (!m_store)
        return;
    LineStore &store = *m_store;
    const std::size_t lines = store.nonAsciiLines().size();
    // The keys the thread has not come to: it makes the first half of them,
    // this thread the second half meanwhile, so that the load ends as soon
    // as both cores can end it. Too few to share are made here once the
    // thread has stopped after the batch in hand, rather than waited for,
    // so that a slice of a load never waits on a thread that is late or
    // not scheduled.
    std::size_t split = lines;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        const std::size_t from = m_busy ? m_batchEnd : store.keysMade();
        if (!m_failed && lines > from && lines - from >= kSharedLines) {
            split = from + (lines - from) / 2;
            m_published = split;
            m_drain = true;
        } else {
            m_stop = true;
        }
    }
    m_wake.notify_one();
    ByteBuffer tailKeys;
    std::vector<std::int64_t> tailEnds;
    bool tailFailed = false;
    try {
        store.makeKeysApart(split, lines, tailKeys, tailEnds);
    } catch (const std::bad_alloc &) {
        tailFailed = true;
    }
    m_thread.join();
    store.m_attached.maker = nullptr;
    m_store = nullptr;
    if (!m_failed && !tailFailed) {
        try {
            store.makeKeys(split);
            store.appendKeysMade(tailKeys, tailEnds);
        } catch (const std::bad_alloc &) {
            m_failed = true;
        }
    }
    if (m_failed || tailFailed)
        store.dropSearchKeys();
}

KeyMaker::Pause::Pause(KeyMaker &maker) : m_maker(maker)
{
    std::unique_lock<std::mutex> lock(maker.m_mutex);
    ++maker.m_pauses;
    maker.m_idle.wait(lock, [&maker] { return !maker.m_busy; });
}

KeyMaker::Pause::~Pause()
{
    {
        const std::lock_guard<std::mutex> lock(m_maker.m_mutex);
        --m_maker.m_pauses;
    }
    m_maker.m_wake.notify_one();
}

} // namespace kobrix
