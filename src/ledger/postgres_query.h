#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace torvane {

// One SQL statement and its parameters ($1, $2, ... in the order of the calls).
// Text goes as text; bytes go in binary, so any byte of a carrier ID arrives as it is.
class PostgresQuery {
 public:
  explicit PostgresQuery(std::string sql) : sql_(std::move(sql)) {}

  PostgresQuery& Text(std::string_view text);
  PostgresQuery& Bytes(std::string_view bytes);
  PostgresQuery& Integer(std::int64_t value);

  const std::string& sql() const { return sql_; }
  int count() const { return static_cast<int>(values_.size()); }
  // The arrays libpq takes; valid while the query lives and is not changed.
  std::vector<const char*> Values() const;
  std::vector<int> Lengths() const;
  const std::vector<int>& Formats() const { return formats_; }

 private:
  std::string sql_;
  std::vector<std::string> values_;
  std::vector<int> formats_;
};

}  // namespace torvane
