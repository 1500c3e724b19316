#pragma once
// What a session told, in order and as text ("stage 1", "online", "failed 943 retry",
// "stanza hello", "ended 2"), written on the session's thread and waited for on the test's.
// Optionally it runs out of memory at the first stanza it is told.
#include "standin/QorCore/CXmppSession.h"
#include <functional>
#include <mutex>
#include <new>
#include <string>
#include <vector>

class XmppSessionRecorder : public CXmppSession::IEvents {
public:
    XmppSessionRecorder() : m_changed(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
    ~XmppSessionRecorder() { ::CloseHandle(m_changed); }
    XmppSessionRecorder(const XmppSessionRecorder&) = delete;
    XmppSessionRecorder& operator=(const XmppSessionRecorder&) = delete;

    void OnStage(int nStage) override { Note("stage " + std::to_string(nStage)); }
    void OnOnline(const std::string&) override { Note("online"); }
    void OnFailed(bool bRetry, int nError) override
    {
        Note("failed " + std::to_string(nError) + (bRetry ? " retry" : ""));
    }
    void OnStanza(const CXmlElement& stanza) override
    {
        if (failAtStanza)
            throw std::bad_alloc();
        Note("stanza " + stanza.ChildText("body"));
    }
    void OnEnded(CXmppSession::EndReason reason) override { Note("ended " + std::to_string(reason)); }

    std::vector<std::string> Events()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_events;
    }
    bool Has(const std::string& event)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        for (const std::string& e : m_events) {
            if (e == event)
                return true;
        }
        return false;
    }
    // Waits for the event, within a bound (a session that never tells it fails the test, it
    // does not hang it).
    bool WaitFor(const std::string& event)
    {
        for (int round = 0; round < 600 && !Has(event); ++round)
            ::WaitForSingleObject(m_changed, 100);
        return Has(event);
    }

    bool failAtStanza = false;

private:
    void Note(const std::string& event)
    {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_events.push_back(event);
        }
        ::SetEvent(m_changed);
    }
    std::mutex m_lock;
    std::vector<std::string> m_events;
    HANDLE m_changed;
};
