// Scratch working directories and whole-file reads and writes, for tests and benchmarks.
#pragma once

#include <filesystem>
#include <string>

namespace sqtest {

/// A fresh temporary directory that is the working directory while the object lives; it goes,
/// with everything in it, when the object does.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
    std::filesystem::path m_previous;
};

/// Whole contents of a file, as bytes; "" when it does not exist.
std::string ReadBytes(const std::filesystem::path& path);
/// Replaces a file's contents by `bytes`; throws when that fails.
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

}  // namespace sqtest
