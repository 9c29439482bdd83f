#pragma once

#include <libpq-fe.h>

#include <cstdint>
#include <memory>
#include <string>

namespace torvane {

// The rows a statement returned, in text form; freed when the object goes.
class PostgresRows {
 public:
  PostgresRows() = default;
  explicit PostgresRows(PGresult* result) : result_(result) {}

  int size() const { return result_ ? PQntuples(result_.get()) : 0; }
  // The number of rows an INSERT or UPDATE touched.
  std::int64_t affected() const;

  std::string Text(int row, int column) const;
  // A bytea column, unescaped.
  std::string Bytes(int row, int column) const;
  std::int64_t Integer(int row, int column) const;

 private:
  struct Clear {
    void operator()(PGresult* result) const { PQclear(result); }
  };
  std::unique_ptr<PGresult, Clear> result_;
};

}  // namespace torvane
