#pragma once

#include <string>
#include <string_view>

#include "config/configuration_set.h"
#include "platform/result.h"

namespace torvane {

// Which reader loads a set. The configuration dialog keeps the running values
// it was opened with, "Carrier ID" and "Counter Value", whichever set is picked;
// the main window takes every key.
enum class SetLoad { Dialog, MainWindow };

// Fills `set` from the set file at `path`. A missing file, section or key reads
// as empty text or a clear flag, a byte without its key as zero; an unreadable file reads
// the same and its failure is returned.
Status LoadSetFile(const std::string& path, SetLoad kind, ConfigurationSet& set);

// Writes every key of the set in one atomic save. A new file gets its sections
// and keys in the set's order; an existing one is updated in place and keeps
// the keys this station does not know. A file that cannot be read is left alone.
Status SaveSetFile(const std::string& path, const ConfigurationSet& set);

// The set of that name in the working directory. A name that cannot be a set
// name opens no file: the set reads as from a missing file and the refusal is
// returned.
Status LoadConfigurationSet(std::string_view workingDirectory, std::string_view name, SetLoad kind,
                            ConfigurationSet& set);

}  // namespace torvane
