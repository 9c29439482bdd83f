#pragma once

namespace torvane {

// Reads the command line before any window exists, so that --help and
// --version work without a display, enters the working folder and runs the
// station. Returns the exit code: 0 done, 1 the working folder cannot be
// used, 2 the command line is wrong.
int StartStation(int argc, char** argv);

}  // namespace torvane
