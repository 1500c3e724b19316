#include "standin/QorCore/CQorCoreLog.h"
#include "framework/Platform.h"
#include <deque>
#include <mutex>

namespace {

std::mutex& LogLock()
{
    static std::mutex lock;
    return lock;
}

std::deque<std::string>& Kept()
{
    static std::deque<std::string> lines;
    return lines;
}

} // namespace

void CQorCoreLog::Write(const std::string& line)
{
    try {
        const std::string text = "QorCore: " + line + "\n";
        ::OutputDebugStringA(text.c_str());
        std::lock_guard<std::mutex> lock(LogLock());
        Kept().push_back(line);
        while (Kept().size() > kKeptLines)
            Kept().pop_front();
    } catch (...) {
        // A log line that cannot be written (memory ran out) is not worth failing for.
    }
}

std::vector<std::string> CQorCoreLog::Lines()
{
    std::lock_guard<std::mutex> lock(LogLock());
    return std::vector<std::string>(Kept().begin(), Kept().end());
}

void CQorCoreLog::Clear()
{
    std::lock_guard<std::mutex> lock(LogLock());
    Kept().clear();
}

std::string CQorCoreLog::Quote(const std::string& text)
{
    std::string out = "'";
    for (size_t i = 0; i < text.size() && i < kQuoteLength; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        out += c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c);
    }
    if (text.size() > kQuoteLength)
        out += "...";
    return out + "'";
}
