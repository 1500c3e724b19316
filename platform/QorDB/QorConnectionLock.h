#pragma once
// The lock of a shared connection: recursive, and handed over in the order the threads asked
// for it. A worker that ends one batch and begins the next at once would otherwise take the
// lock straight back, time after time, while the user-interface thread waits for it (an
// operating system's mutex makes no promise of order); here a thread that waits gets the lock
// when the holder lets go, so the other thread waits for one batch at most.
#include <condition_variable>
#include <mutex>
#include <thread>

class QorConnectionLock {
public:
    void lock()
    {
        std::unique_lock<std::mutex> guard(m_state);
        const std::thread::id self = std::this_thread::get_id();
        if (m_depth > 0 && m_owner == self) {
            ++m_depth;
            return;
        }
        const unsigned long long ticket = m_nextTicket++;
        if (m_depth > 0 || m_serving != ticket) {
            ++m_waiting;
            m_turn.wait(guard, [&] { return m_depth == 0 && m_serving == ticket; });
            --m_waiting;
        }
        m_owner = self;
        m_depth = 1;
    }

    bool try_lock()
    {
        std::lock_guard<std::mutex> guard(m_state);
        const std::thread::id self = std::this_thread::get_id();
        if (m_depth > 0 && m_owner == self) {
            ++m_depth;
            return true;
        }
        if (m_depth > 0 || m_serving != m_nextTicket)
            return false;
        ++m_nextTicket;
        m_owner = self;
        m_depth = 1;
        return true;
    }

    void unlock()
    {
        std::lock_guard<std::mutex> guard(m_state);
        if (--m_depth > 0)
            return;
        m_owner = std::thread::id();
        ++m_serving;
        if (m_waiting > 0)
            m_turn.notify_all();
    }

private:
    std::mutex m_state;
    std::condition_variable m_turn;
    std::thread::id m_owner;
    int m_depth = 0;
    int m_waiting = 0;
    unsigned long long m_nextTicket = 0; // the next thread to ask gets this turn
    unsigned long long m_serving = 0;    // the turn that may hold the lock now (or next)
};
