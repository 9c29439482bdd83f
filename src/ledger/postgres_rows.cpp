#include "ledger/postgres_rows.h"

#include <charconv>

namespace torvane {

std::int64_t PostgresRows::affected() const {
  std::int64_t count = 0;
  const char* text = result_ ? PQcmdTuples(result_.get()) : "";
  std::from_chars(text, text + std::char_traits<char>::length(text), count);
  return count;
}

std::string PostgresRows::Text(int row, int column) const {
  return std::string(PQgetvalue(result_.get(), row, column),
                     static_cast<std::size_t>(PQgetlength(result_.get(), row, column)));
}

std::string PostgresRows::Bytes(int row, int column) const {
  std::size_t length = 0;
  unsigned char* bytes = PQunescapeBytea(
      reinterpret_cast<const unsigned char*>(PQgetvalue(result_.get(), row, column)), &length);
  if (bytes == nullptr) return {};
  std::string value(reinterpret_cast<const char*>(bytes), length);
  PQfreemem(bytes);
  return value;
}

std::int64_t PostgresRows::Integer(int row, int column) const {
  const std::string text = Text(row, column);
  std::int64_t value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

}  // namespace torvane
