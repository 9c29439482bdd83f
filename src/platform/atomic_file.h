#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_identity.h"
#include "platform/result.h"

namespace torvane {

// Replaces the file at `path` with `content` so that a crash leaves either the
// old file or the new one, never a mix: the content goes to a temporary file in
// the same folder, is flushed to the disk and then renamed over the original.
// An existing file keeps its permissions.
Status WriteFileAtomically(const std::string& path, std::string_view content);
// The same for content given in pieces, written one after the other; gives the
// identity of the file now at `path`, so that a later change is told from it.
Result<FileIdentity> ReplaceFileAtomically(const std::string& path,
                                           std::span<const std::string_view> pieces);

// Removes the temporary files that a save interrupted by a kill or a power loss
// left in `folder` ("<file>.<pid>.<n>.tmp" of a process that no longer runs);
// returns the names removed.
std::vector<std::string> RemoveLeftoverTemporaries(const std::string& folder);

// The most characters the temporary file's name adds to the file's own name: a
// name that leaves less room below the file system's limit cannot be saved.
constexpr std::size_t kTemporaryNameSuffixMax = 23;  // "." pid "." counter ".tmp"

// Removes the file so that the removal survives a crash; a missing file is no
// failure.
Status RemoveFileDurably(const std::string& path);

}  // namespace torvane
