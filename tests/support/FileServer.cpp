#include "tests/support/FileServer.h"
#include <chrono>

namespace testsupport {

FileServer::FileServer() : server_([this](SOCKET s) { Handle(s); }) {}

FileServer::~FileServer()
{
    Release();
}

void FileServer::Put(const std::string& key, const std::string& body)
{
    std::lock_guard<std::mutex> hold(lock_);
    files_[key].body = body;
}

void FileServer::HoldAfter(const std::string& key, size_t bytes)
{
    std::lock_guard<std::mutex> hold(lock_);
    files_[key].holdAfter = bytes;
}

void FileServer::DropAfter(const std::string& key, size_t bytes)
{
    std::lock_guard<std::mutex> hold(lock_);
    files_[key].dropAfter = bytes;
}

void FileServer::Release()
{
    {
        std::lock_guard<std::mutex> hold(lock_);
        release_ = true;
    }
    released_.notify_all();
}

bool FileServer::Holding() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return holding_;
}

std::string FileServer::Host() const
{
    return "127.0.0.1:" + std::to_string(server_.Port());
}

std::vector<std::string> FileServer::Paths() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return paths_;
}

void FileServer::Handle(SOCKET s)
{
    std::string request;
    if (!RecvUntil(s, request, "\r\n\r\n"))
        return;
    size_t sp = request.find(' ');
    size_t end = request.find(' ', sp + 1);
    std::string path = sp == std::string::npos ? std::string() : request.substr(sp + 1, end - sp - 1);
    File file;
    bool found = false;
    {
        std::lock_guard<std::mutex> hold(lock_);
        paths_.push_back(path);
        const std::string prefix = "/file/";
        if (path.compare(0, prefix.size(), prefix) == 0) {
            auto it = files_.find(path.substr(prefix.size()));
            if (it != files_.end()) {
                file = it->second;
                found = true;
            }
        }
    }
    if (!found) {
        SendAll(s, "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nConnection: close\r\n\r\nnot found");
        return;
    }
    if (!SendAll(s, "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                        std::to_string(file.body.size()) + "\r\nConnection: close\r\n\r\n"))
        return;
    size_t first = file.body.size();
    if (file.holdAfter < first)
        first = file.holdAfter;
    if (file.dropAfter < first)
        first = file.dropAfter;
    if (!SendAll(s, file.body.substr(0, first)))
        return;
    if (first == file.dropAfter)
        return; // the connection closes before the announced length
    if (first == file.holdAfter) {
        std::unique_lock<std::mutex> hold(lock_);
        holding_ = true;
        released_.wait_for(hold, std::chrono::seconds(20), [this] { return release_; });
        holding_ = false;
    }
    SendAll(s, file.body.substr(first));
}

} // namespace testsupport
