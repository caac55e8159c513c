#include "core/KeyMaker.h"

#include "core/LineStore.h"

#include <algorithm>
#include <new>

namespace kobrix {

namespace {

// Lines keyed between two looks at the state: a pause waits for at most
// this many keys (a fraction of a millisecond).
constexpr std::size_t kBatchLines = 2048;

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
        m_wake.wait(lock, [&] { return m_stop || hasWork(); });
        if (m_stop)
            return; // finish() makes what is left
        if (!hasWork())
            continue;
        const std::size_t upTo = std::min(m_published, m_store->keysMade() + kBatchLines);
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
    publish();
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    // The thread stops after the batch in hand; the keys it has not come
    // to are made here rather than waited for, so that a slice of a load
    // never waits on a thread that is late or not scheduled.
    m_thread.join();
    LineStore &store = *m_store;
    store.m_attached.maker = nullptr;
    m_store = nullptr;
    if (!m_failed) {
        try {
            store.makeKeys(store.nonAsciiLines().size());
        } catch (const std::bad_alloc &) {
            m_failed = true;
        }
    }
    if (m_failed)
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
