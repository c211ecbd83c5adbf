// Web servers on 127.0.0.1 for the tests: a well-behaved one (cpp-httplib) and a raw one that
// misbehaves on purpose. Both pick a free port and stop when destroyed.
#pragma once

#include <httplib.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace sqtest {

/// An HTTP server on 127.0.0.1; register handlers on Server() before calling Start().
class HttpServer {
public:
    HttpServer() = default;
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    httplib::Server& Server() { return m_server; }
    void Start();
    std::string Url(const std::string& path) const;
    int Port() const { return m_port; }

private:
    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
};

/// A TCP server on 127.0.0.1 that hands each accepted connection to `handle`, which owns the
/// socket until it returns; the socket is then closed.
class RawServer {
public:
    explicit RawServer(std::function<void(int socket)> handle);
    ~RawServer();
    RawServer(const RawServer&) = delete;
    RawServer& operator=(const RawServer&) = delete;

    std::string Url(const std::string& path) const;

private:
    std::function<void(int)> m_handle;
    std::atomic<int> m_listener{-1};
    int m_port = 0;
    std::thread m_thread;
};

/// A port on 127.0.0.1 on which nothing listens.
int ClosedPort();

/// Sends all bytes on a socket; false when the peer has gone.
bool SendAll(int socket, const std::string& bytes);
/// Reads a request's header block (up to the empty line).
std::string ReadRequest(int socket);

}  // namespace sqtest
