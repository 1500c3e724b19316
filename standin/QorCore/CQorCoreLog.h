#pragma once
// The core's own log of what it refused or gave up on (a command from someone who may not give
// it, a stanza past a limit, a stream it could not read). Each line goes to the debugger's output,
// where the closed component's diagnostics go, and the latest lines stay in memory for tests;
// nothing here grows with the life of the process.
#include <string>
#include <vector>

class CQorCoreLog {
public:
    enum { kKeptLines = 64 };

    // One line, UTF-8; a text that others sent goes into it through Quote.
    static void Write(const std::string& line);
    // The latest lines, oldest first; Clear forgets them.
    static std::vector<std::string> Lines();
    static void Clear();
    // A text of someone else's for a log line: at most kQuoteLength bytes, control characters
    // replaced, so that a line stays one line.
    static std::string Quote(const std::string& text);

private:
    enum { kQuoteLength = 200 };
};
