// Text files in text mode, over POSIX file descriptors so that every failure is seen.
#include "platform/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string_view>

namespace platform {

namespace {

std::optional<std::size_t> g_failAfter;

/// Writes everything, retrying short writes; false on any failure.
bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        std::size_t chunk = bytes.size();
        if (g_failAfter) {
            if (*g_failAfter == 0) {
                errno = ENOSPC;
                return false;
            }
            chunk = std::min(chunk, *g_failAfter);
        }
        const ssize_t n = ::write(fd, bytes.data(), chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (g_failAfter)
            *g_failAfter -= static_cast<std::size_t>(n);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

/// The path that a write to `name` must replace: `name` itself, or the file its links point to
/// (which need not exist yet). nullopt when the links cannot be followed (a loop, an error).
std::optional<std::string> ResolveLinks(const std::string& name) {
    std::string path = name;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) {
            if (errno == ENOENT)
                return path;
            return std::nullopt;
        }
        if (!S_ISLNK(st.st_mode))
            return path;
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= target.size())
            return std::nullopt;
        target.resize(static_cast<std::size_t>(n));
        if (target.front() != '/') {
            const auto slash = path.rfind('/');
            if (slash != std::string::npos)
                target = path.substr(0, slash + 1) + target;
        }
        path = target;
    }
    return std::nullopt;  // too many links: a loop
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

mode_t DefaultFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

void SetWriteFailureForTesting(std::optional<std::size_t> afterBytes) {
    g_failAfter = afterBytes;
}

std::string FromTextMode(std::string_view bytes) {
    if (const auto eof = bytes.find('\x1a'); eof != std::string_view::npos)
        bytes = bytes.substr(0, eof);
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        text.push_back(bytes[i]);
    }
    return text;
}

std::string ToTextMode(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n')
            bytes.push_back('\r');
        bytes.push_back(c);
    }
    return bytes;
}

std::optional<std::string> ReadTextFile(const std::string& name) {
    // As the platform's text mode does: opening a missing file for reading creates it. One open
    // with O_CREAT, so a file that appears meanwhile is read rather than refused.
    const int fd = ::open(name.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return FromTextMode(bytes);
}

WriteResult AppendTextFile(const std::string& name, const std::string& text) {
    const int fd = ::open(name.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return WriteResult::OpenFailed;
    const bool written = WriteAll(fd, ToTextMode(text));
    const bool closed = ::close(fd) == 0;
    return written && closed ? WriteResult::Ok : WriteResult::WriteFailed;
}

WriteResult ReplaceTextFile(const std::string& name, const std::string& text) {
    const std::optional<std::string> resolved = ResolveLinks(name);
    if (!resolved)
        return WriteResult::OpenFailed;
    const std::string& target = *resolved;

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return WriteResult::OpenFailed;
    // Renaming over a file needs only the directory's permission; refuse what an open for
    // writing would refuse, and never put a file in the place of a device, pipe or directory.
    if (exists &&
        (!S_ISREG(old.st_mode) || ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0))
        return WriteResult::OpenFailed;

    const auto slash = target.rfind('/');
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    const std::string directory = DirectoryOf(target);
    std::string temp = directory + "/." + base + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return WriteResult::OpenFailed;

    bool ok = ::fchmod(fd, exists ? (old.st_mode & 07777) : DefaultFileMode()) == 0;
    if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
        // Keep the owner where we may (root saving a user's file); failing that is harmless.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        }
    }
    ok = ok && WriteAll(fd, ToTextMode(text));
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return WriteResult::WriteFailed;
    }
    // Make the rename itself durable. The new contents are in place already, so a failure here
    // is no failure of the save.
    if (const int dir = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return WriteResult::Ok;
}

}  // namespace platform
