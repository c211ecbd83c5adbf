// The internet client: downloads over libcurl, opened first and then read block by block.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace platform {

/// The HTTP library's global start-up, once at program start. false when it fails.
bool InternetStartup();
/// The matching clean-up at program end.
void InternetCleanup();

/// Limits that keep one dead or hostile server from holding the program.
struct InternetLimits {
    long connectTimeoutMs = 30'000;                     ///< to establish the connection
    long stallTimeoutMs = 30'000;                       ///< with no byte received
    std::size_t maxBodyBytes = std::size_t{256} << 20;  ///< a larger body fails the transfer
};

/// The limits in force. Tests shorten them; the user has no setting.
InternetLimits& CurrentInternetLimits();

/// A failure of the internet client, carrying the client's (libcurl's) error code.
class CInternetException : public std::runtime_error {
public:
    CInternetException(unsigned code, const std::string& what)
        : std::runtime_error(what), m_code(code) {}
    unsigned ErrorCode() const { return m_code; }

private:
    unsigned m_code;
};

/// An opened URL whose body is read in blocks.
class CInternetFile {
public:
    virtual ~CInternetFile() = default;
    /// Appends the next bytes of the body to `body` and returns how many; 0 only at the end.
    /// Throws CInternetException when the transfer fails.
    virtual std::size_t Read(std::string& body) = 0;
};

class CurlFile;

/// One client for one or more downloads: sends `agent` as its user agent, connects directly
/// (never through a proxy), follows redirects and verifies certificates.
class CInternetSession {
public:
    /// `keepAlive` is called regularly while the client waits for the network.
    /// Throws CInternetException when the client cannot be set up.
    explicit CInternetSession(std::string agent, std::function<void()> keepAlive = {});
    ~CInternetSession();
    CInternetSession(const CInternetSession&) = delete;
    CInternetSession& operator=(const CInternetSession&) = delete;

    /// Opens the URL: returns once the response has begun. `headers` are extra request header
    /// lines, each ended by CR LF. Throws CInternetException when the URL cannot be opened.
    std::unique_ptr<CInternetFile> OpenURL(const std::string& url, const std::string& headers);

private:
    std::string m_agent;
    std::function<void()> m_keepAlive;
    std::unique_ptr<CurlFile> m_prepared;  ///< the handle for the next download, made up front
};

}  // namespace platform
