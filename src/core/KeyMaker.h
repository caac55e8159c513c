#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>

namespace kobrix {

class LineStore;

// Makes the search keys of a store's non-ASCII lines on a thread of its own
// while the lines are being appended, so that a load of a catalog outside
// ASCII reads on one core and folds on another.
//
// While a KeyMaker is attached, the store appends non-ASCII lines without
// their keys. The appending thread calls publish() after a batch of lines;
// the maker's thread then makes their keys, reading only lines already
// published and writing only the keys. Before the store moves its line
// tables to grow them, it pauses the maker (see Pause). After finish() every
// line has its key and the maker is detached: the store is then as if the
// lines had been appended with their keys.
class KeyMaker
{
public:
    explicit KeyMaker(LineStore &store);
    ~KeyMaker();
    KeyMaker(const KeyMaker &) = delete;
    KeyMaker &operator=(const KeyMaker &) = delete;

    // Lets the thread make the keys of every line appended so far.
    void publish();
    // Lines appended that have no key yet (an estimate while the thread
    // runs): what finish() would have to make.
    std::size_t pending() const;
    // Makes the keys the thread did not come to, sharing them with the
    // thread when there are many, and detaches from the store. When memory
    // ran out for the keys, the store keeps none (its search makes them as
    // it goes).
    // Idempotent.
    void finish();

    // Keeps the maker's thread away from the store while it lives: the
    // store may then move its tables.
    class Pause
    {
    public:
        explicit Pause(KeyMaker &maker);
        ~Pause();
        Pause(const Pause &) = delete;
        Pause &operator=(const Pause &) = delete;

    private:
        KeyMaker &m_maker;
    };

private:
    void run();

    LineStore *m_store;
    std::mutex m_mutex;
    std::condition_variable m_wake; // work published, or stop
    std::condition_variable m_idle; // the thread left the store
    std::size_t m_published = 0;    // non-ASCII lines the thread may key
    std::atomic<std::size_t> m_keyed{0}; // keys made, as last told by the thread
    int m_pauses = 0;
    bool m_busy = false;
    bool m_stop = false;
    bool m_drain = false; // stop once the keys published are made
    std::size_t m_batchEnd = 0; // the batch in hand goes up to this line
    bool m_failed = false; // memory ran out making keys
    std::thread m_thread;
};

} // namespace kobrix
