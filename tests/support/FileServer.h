#pragma once
// A file server on loopback for the attachment downloads: "GET /file/<key>" answers the bytes
// put under that key with their Content-Length, any other path or key 404. A file can be held
// after some of its bytes until the test releases it (a transfer caught in the middle), or cut
// off after some bytes with the connection closed (a dropped transfer).
#include "tests/support/LoopbackServer.h"
#include <condition_variable>
#include <map>

namespace testsupport {

class FileServer {
public:
    FileServer();
    ~FileServer();

    // key as it stands in the address (percent-encoded where the client encodes).
    void Put(const std::string& key, const std::string& body);
    void HoldAfter(const std::string& key, size_t bytes);
    void DropAfter(const std::string& key, size_t bytes);
    // Lets a held answer go on (and every later one pass).
    void Release();
    // True while an answer is held after its first bytes.
    bool Holding() const;
    bool Ok() const { return server_.Ok(); }
    // "127.0.0.1:<port>", the form a message's file host has.
    std::string Host() const;
    std::vector<std::string> Paths() const;

private:
    struct File {
        std::string body;
        size_t holdAfter = std::string::npos;
        size_t dropAfter = std::string::npos;
    };
    void Handle(SOCKET s);

    mutable std::mutex lock_;
    std::condition_variable released_;
    bool release_ = false;
    bool holding_ = false;
    std::map<std::string, File> files_;
    std::vector<std::string> paths_;
    LoopbackServer server_; // last: it starts serving once the rest is built
};

} // namespace testsupport
