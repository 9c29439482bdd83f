#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace torvane::test {

// A PostgreSQL server of the test program's own: a cluster made by initdb in a
// fresh temporary folder, its Unix socket in that folder, a port of its own.
// The server refuses to run as root, so a root test run starts it as the
// `postgres` system user that the Debian package creates.
class ThrowawayPostgres {
 public:
  // The one server of this test program: started at first use, stopped and
  // removed when the program ends.
  static ThrowawayPostgres& Shared();

  ThrowawayPostgres();
  ~ThrowawayPostgres();
  ThrowawayPostgres(const ThrowawayPostgres&) = delete;
  ThrowawayPostgres& operator=(const ThrowawayPostgres&) = delete;

  // False when the server programs (or, for root, the `postgres` user) are
  // missing: the only case in which a test may skip. error() says why.
  bool installed() const { return installed_; }
  bool running() const { return running_; }
  const std::string& error() const { return error_; }

  // Stops the server (fast shutdown: sessions are cut off) and starts it again
  // on the same folder and port.
  Status Stop();
  Status Start();

  // A new empty database; returns its name.
  Result<std::string> CreateDatabase();
  // The URL form a station's settings hold, over TCP on the local host, for
  // the server's superuser or another role.
  std::string ConnectionString(std::string_view database, std::string_view user = {}) const;
  // Runs SQL through psql; returns its unaligned output.
  Result<std::string> Sql(std::string_view database, std::string_view statements) const;

 private:
  Status InitCluster();
  Status RunServerProgram(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& logName) const;
  std::string ServerLog() const;

  bool installed_ = false;
  bool running_ = false;
  std::string error_;
  std::string binDirectory_;
  std::string folder_;
  std::string serverUser_;  // empty: this user
  int port_ = 0;
  int databases_ = 0;
};

}  // namespace torvane::test
