// Web servers on 127.0.0.1 for the tests.
#include "LoopbackServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace sqtest {

namespace {

int Listen(int& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(fd, 16) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    port = ntohs(addr.sin_port);
    return fd;
}

}  // namespace

HttpServer::~HttpServer() {
    m_server.stop();
    if (m_thread.joinable())
        m_thread.join();
}

void HttpServer::Start() {
    m_port = m_server.bind_to_any_port("127.0.0.1");
    if (m_port <= 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
    // stop() is ignored until the server runs, so do not hand it out before.
    while (!m_server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

std::string HttpServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

RawServer::RawServer(std::function<void(int)> handle) : m_handle(std::move(handle)) {
    m_listener = Listen(m_port);
    m_thread = std::thread([this] {
        for (;;) {
            pollfd p{m_listener.load(), POLLIN, 0};
            if (::poll(&p, 1, 100) < 0)
                return;
            if (m_listener < 0)
                return;
            if (!(p.revents & POLLIN))
                continue;
            const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0)
                return;
            m_handle(client);
            ::close(client);
        }
    });
}

RawServer::~RawServer() {
    const int fd = m_listener.exchange(-1);
    ::shutdown(fd, SHUT_RDWR);
    if (m_thread.joinable())
        m_thread.join();
    ::close(fd);
}

std::string RawServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

int ClosedPort() {
    int port = 0;
    ::close(Listen(port));
    return port;
}

bool SendAll(int socket, const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

std::string ReadRequest(int socket) {
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        const ssize_t n = ::recv(socket, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        request.append(buffer, static_cast<std::size_t>(n));
    }
    return request;
}

}  // namespace sqtest
