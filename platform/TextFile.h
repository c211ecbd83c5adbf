// Text files in the platform's text mode: each LF is stored as CR LF; on reading CR LF becomes LF
// and the byte 0x1A ends the input. Every call opens, works and closes; nothing is locked.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

/// The whole text of a file, translated. A missing file is created empty and read as "".
/// nullopt when the file can be neither opened nor created, or cannot be read (a directory,
/// no read permission, a read error).
std::optional<std::string> ReadTextFile(const std::string& name);

/// Translates text-mode bytes as ReadTextFile does: CR LF to LF, everything from 0x1A dropped.
std::string FromTextMode(std::string_view bytes);
/// Each LF as CR LF.
std::string ToTextMode(std::string_view text);

enum class WriteResult { Ok, OpenFailed, WriteFailed };

/// Appends text at the end of a file, creating it when missing, never truncating.
/// Every write and the close are checked.
WriteResult AppendTextFile(const std::string& name, const std::string& text);

/// Replaces a file's contents as one step: the text goes to a temporary file in the same
/// directory, which then takes the file's place, so a failure at any point leaves the old file
/// as it was and no temporary file behind. A symbolic link is kept and the file it points to
/// replaced; the old file's permissions are kept. OpenFailed, with nothing touched, when the
/// file exists but is not a regular file or may not be written (a read-only file stays as it is,
/// as opening it for writing would refuse), or when the links cannot be followed.
WriteResult ReplaceTextFile(const std::string& name, const std::string& text);

/// For tests: from the moment this many more bytes have been written, every file write fails as
/// on a full disk, until this is called again (nullopt: never fail). Covers AppendTextFile and
/// ReplaceTextFile.
void SetWriteFailureForTesting(std::optional<std::size_t> afterBytes);

}  // namespace platform
