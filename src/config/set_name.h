#pragma once

#include <string>
#include <string_view>

#include "platform/result.h"

namespace torvane {

// The file of the configuration set `name` in the working directory, or, for a
// name that cannot be a file name there, the message that tells the operator why.
// Every set file path is built here: a name that reaches a file has passed the
// check, so no name can point outside the working directory.
//
// A name from a Windows station's settings file may be in its code page; it
// names the same file as its UTF-8 form, so a set copied over is found.
Result<std::string> SetFilePath(std::string_view workingDirectory, std::string_view name);

}  // namespace torvane
