// The internet client over libcurl's multi interface, so that opening a URL (until the response
// begins) and reading its body are two steps, and the window can be kept painted meanwhile.
#include "platform/InternetSession.h"

#include <curl/curl.h>
#include <sys/mman.h>

#include <cstdint>

#include <algorithm>
#include <chrono>
#include <string_view>
#include <utility>

namespace platform {

bool InternetStartup() {
    return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
}

void InternetCleanup() {
    curl_global_cleanup();
}

InternetLimits& CurrentInternetLimits() {
    static InternetLimits limits;
    return limits;
}

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kSchemes = "http,https,ftp,ftps,file";
constexpr const char* kRedirectSchemes = "http,https";
constexpr long kMaxRedirects = 10;
// Bytes libcurl takes from the socket per call: large pages arrive in fewer, larger pieces.
constexpr long kReceiveBuffer = 512 * 1024;
// The window's keep-alive paints and takes the toolkit's events; a few dozen times a second is
// plenty, and calling it on every wake-up would slow down a run of many quick pages.
constexpr auto kKeepAliveEvery = std::chrono::milliseconds(40);

[[noreturn]] void Fail(CURLcode code) {
    throw CInternetException(static_cast<unsigned>(code), curl_easy_strerror(code));
}

/// Refuses what the client must not guess at: an empty URL, one without a scheme, another scheme.
void CheckUrl(const std::string& url) {
    CURLU* parsed = curl_url();
    if (!parsed)
        Fail(CURLE_OUT_OF_MEMORY);
    char* scheme = nullptr;
    const bool ok = curl_url_set(parsed, CURLUPART_URL, url.c_str(), 0) == CURLUE_OK &&
                    curl_url_get(parsed, CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK;
    const std::string name = scheme ? scheme : "";
    curl_free(scheme);
    curl_url_cleanup(parsed);
    if (!ok)
        Fail(CURLE_URL_MALFORMAT);
    for (const std::string_view allowed : {"http", "https", "ftp", "ftps", "file"})
        if (name == allowed)
            return;
    Fail(CURLE_UNSUPPORTED_PROTOCOL);
}

/// Asks for transparent huge pages on a large reserved body buffer: taking in a 100 MiB page is
/// then bound by copying rather than by one page fault per 4 KiB.
void AdviseHugePages(std::string& buffer) {
#ifdef MADV_HUGEPAGE
    constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
    if (buffer.capacity() < 2 * kHuge)
        return;
    const auto first = reinterpret_cast<std::uintptr_t>(buffer.data());
    const std::uintptr_t begin = (first + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t end = (first + buffer.capacity()) & ~(kHuge - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)buffer;
#endif
}

}  // namespace

class CurlFile final : public CInternetFile {
public:
    CurlFile(const std::string& agent, std::function<void()> keepAlive)
        : m_keepAlive(std::move(keepAlive)), m_limits(CurrentInternetLimits()) {
        m_multi = curl_multi_init();
        m_easy = curl_easy_init();
        if (!m_multi || !m_easy) {
            Cleanup();
            Fail(CURLE_FAILED_INIT);
        }
        m_agent = agent;
    }
    ~CurlFile() override { Cleanup(); }
    CurlFile(const CurlFile&) = delete;
    CurlFile& operator=(const CurlFile&) = delete;

    void Open(const std::string& url, const std::string& headers) {
        for (std::size_t start = 0; start < headers.size();) {
            const std::size_t end = headers.find("\r\n", start);
            const std::string line = headers.substr(start, end - start);
            if (!line.empty())
                m_headers = curl_slist_append(m_headers, line.c_str());
            if (end == std::string::npos)
                break;
            start = end + 2;
        }
        curl_easy_setopt(m_easy, CURLOPT_URL, url.c_str());
        curl_easy_setopt(m_easy, CURLOPT_USERAGENT, m_agent.c_str());
        curl_easy_setopt(m_easy, CURLOPT_HTTPHEADER, m_headers);
        curl_easy_setopt(m_easy, CURLOPT_HTTPGET, 1L);
        // A direct connection whatever the environment's proxy variables say.
        curl_easy_setopt(m_easy, CURLOPT_PROXY, "");
        curl_easy_setopt(m_easy, CURLOPT_NOPROXY, "*");
        curl_easy_setopt(m_easy, CURLOPT_PROTOCOLS_STR, kSchemes);
        curl_easy_setopt(m_easy, CURLOPT_REDIR_PROTOCOLS_STR, kRedirectSchemes);
        curl_easy_setopt(m_easy, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(m_easy, CURLOPT_MAXREDIRS, kMaxRedirects);
        curl_easy_setopt(m_easy, CURLOPT_SSL_VERIFYPEER, 1L);
        curl_easy_setopt(m_easy, CURLOPT_SSL_VERIFYHOST, 2L);
        curl_easy_setopt(m_easy, CURLOPT_CONNECTTIMEOUT_MS, m_limits.connectTimeoutMs);
        curl_easy_setopt(m_easy, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(m_easy, CURLOPT_BUFFERSIZE, kReceiveBuffer);
        curl_easy_setopt(m_easy, CURLOPT_HEADERFUNCTION, &CurlFile::OnHeader);
        curl_easy_setopt(m_easy, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(m_easy, CURLOPT_WRITEFUNCTION, &CurlFile::OnBody);
        curl_easy_setopt(m_easy, CURLOPT_WRITEDATA, this);
        curl_multi_add_handle(m_multi, m_easy);

        while (!m_opened && !m_done)
            Pump();
        if (!m_opened)
            Fail(m_result);
    }

    std::size_t Read(std::string& body) override {
        if (m_reserve && body.capacity() < body.size() + m_reserve) {
            body.reserve(body.size() + m_reserve);
            AdviseHugePages(body);
        }
        m_reserve = 0;
        if (!m_pending.empty()) {
            const std::size_t n = m_pending.size();
            body.append(m_pending);
            std::string().swap(m_pending);
            return n;
        }
        m_sink = &body;
        const std::size_t before = body.size();
        while (body.size() == before && !m_done)
            Pump();
        m_sink = nullptr;
        if (body.size() == before && m_result != CURLE_OK)
            Fail(m_result);
        return body.size() - before;
    }

private:
    /// Lets libcurl work until something happens, or for a short while.
    void Pump() {
        int running = 0;
        const CURLMcode mc = curl_multi_perform(m_multi, &running);
        if (mc != CURLM_OK) {
            Finish(CURLE_FAILED_INIT);
            return;
        }
        int queued = 0;
        while (CURLMsg* msg = curl_multi_info_read(m_multi, &queued))
            if (msg->msg == CURLMSG_DONE)
                Finish(msg->data.result);
        if (m_done)
            return;
        const Clock::time_point now = Clock::now();
        if (now - m_lastByte > std::chrono::milliseconds(m_limits.stallTimeoutMs)) {
            Finish(CURLE_OPERATION_TIMEDOUT);
            return;
        }
        // One clock for every transfer, so that a run of quick pages still keeps the window alive.
        static Clock::time_point lastKeepAlive;
        if (m_keepAlive && now - lastKeepAlive >= kKeepAliveEvery) {
            lastKeepAlive = now;
            m_keepAlive();
        }
        curl_multi_poll(m_multi, nullptr, 0, 50, nullptr);
    }

    void Finish(CURLcode result) {
        m_done = true;
        if (m_result == CURLE_OK)
            m_result = result;
        // A transfer that ended well with no header and no byte (an empty file) was opened.
        if (m_result == CURLE_OK)
            m_opened = true;
    }

    static std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* self) {
        auto* file = static_cast<CurlFile*>(self);
        const std::string_view line(data, size * count);
        file->m_lastByte = Clock::now();
        if (line.starts_with("HTTP/")) {
            file->m_status = 0;
            file->m_location = false;
            const auto space = line.find(' ');
            if (space != std::string_view::npos)
                for (std::size_t i = space + 1; i < line.size() && line[i] >= '0' && line[i] <= '9';
                     ++i)
                    file->m_status = file->m_status * 10 + (line[i] - '0');
        } else if (line.size() > 9 && (line[0] == 'L' || line[0] == 'l') &&
                   curl_strnequal(line.data(), "location:", 9)) {
            file->m_location = true;
        } else if (line == "\r\n" || line == "\n") {
            // The end of a header block: final unless informational or a redirect to follow.
            const bool informational = file->m_status >= 100 && file->m_status < 200;
            const bool redirect = file->m_status >= 300 && file->m_status < 400 && file->m_location;
            if (!informational && !redirect) {
                file->m_opened = true;
                curl_off_t length = -1;
                curl_easy_getinfo(file->m_easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
                if (length > 0)
                    file->m_reserve = std::min<std::size_t>(static_cast<std::size_t>(length),
                                                            file->m_limits.maxBodyBytes);
            }
        }
        return size * count;
    }

    static std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* self) {
        auto* file = static_cast<CurlFile*>(self);
        const std::size_t n = size * count;
        file->m_lastByte = Clock::now();
        file->m_opened = true;
        file->m_received += n;
        if (file->m_received > file->m_limits.maxBodyBytes) {
            file->m_result = CURLE_FILESIZE_EXCEEDED;
            return 0;  // aborts the transfer
        }
        (file->m_sink ? *file->m_sink : file->m_pending).append(data, n);
        return n;
    }

    void Cleanup() {
        if (m_multi && m_easy)
            curl_multi_remove_handle(m_multi, m_easy);
        if (m_easy)
            curl_easy_cleanup(m_easy);
        if (m_multi)
            curl_multi_cleanup(m_multi);
        if (m_headers)
            curl_slist_free_all(m_headers);
        m_easy = nullptr;
        m_multi = nullptr;
        m_headers = nullptr;
    }

    std::function<void()> m_keepAlive;
    InternetLimits m_limits;
    std::string m_agent;
    CURLM* m_multi = nullptr;
    CURL* m_easy = nullptr;
    curl_slist* m_headers = nullptr;
    std::string m_pending;          ///< body bytes that came before the first Read
    std::string* m_sink = nullptr;  ///< where body bytes go during a Read
    std::size_t m_reserve = 0;      ///< the body's announced length, to size the first Read
    std::size_t m_received = 0;
    long m_status = 0;
    bool m_location = false;
    bool m_opened = false;
    bool m_done = false;
    CURLcode m_result = CURLE_OK;
    Clock::time_point m_lastByte = Clock::now();
};

CInternetSession::CInternetSession(std::string agent, std::function<void()> keepAlive)
    : m_agent(std::move(agent)),
      m_keepAlive(std::move(keepAlive)),
      m_prepared(std::make_unique<CurlFile>(m_agent, m_keepAlive)) {}

CInternetSession::~CInternetSession() = default;

std::unique_ptr<CInternetFile> CInternetSession::OpenURL(const std::string& url,
                                                         const std::string& headers) {
    CheckUrl(url);
    std::unique_ptr<CurlFile> file =
        m_prepared ? std::move(m_prepared) : std::make_unique<CurlFile>(m_agent, m_keepAlive);
    file->Open(url, headers);
    return file;
}

}  // namespace platform
