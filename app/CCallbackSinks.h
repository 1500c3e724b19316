#pragma once
// The three COM objects that the main window hands to the view library for every sign-in: the
// console (Korvel.Console) and the two callback sinks (Korvel.CoreCallBack, Korvel.TheCallback),
// through which the core's events reach the sinks' owner. One reference of each is held here
// from their creation to their release; the view library holds its own.
class CConsole;
class CCoreCallBack;
class CTheCallback;
class ICoreSinkOwner;

class CCallbackSinks {
public:
    CCallbackSinks() = default;
    CCallbackSinks(const CCallbackSinks&) = delete;
    CCallbackSinks& operator=(const CCallbackSinks&) = delete;

    // Makes the three objects, gives the sinks their owner and hands all three to the view
    // library. FALSE (logged) when one of them could not be made or answered no callback
    // interface; the others are handed over all the same.
    bool Create(ICoreSinkOwner* pOwner);
    // Releases them: the application sink, the core sink, then the console. The sinks lose
    // their owner first, so that a late event of the core finds no window instead of a deleted
    // one (the view library and the core may hold them longer).
    void Release();

    CConsole* GetConsole() const { return m_pConsole; }
    CCoreCallBack* GetCoreSink() const { return m_pCoreCallBack; }
    CTheCallback* GetAppSink() const { return m_pTheCallback; }

private:
    CConsole* m_pConsole = nullptr; // one reference each
    CCoreCallBack* m_pCoreCallBack = nullptr;
    CTheCallback* m_pTheCallback = nullptr;
};
