#include "ledger/postgres_query.h"

namespace torvane {

namespace {
constexpr int kTextFormat = 0;
constexpr int kBinaryFormat = 1;
}  // namespace

PostgresQuery& PostgresQuery::Text(std::string_view text) {
  values_.emplace_back(text);
  formats_.push_back(kTextFormat);
  return *this;
}

PostgresQuery& PostgresQuery::Bytes(std::string_view bytes) {
  values_.emplace_back(bytes);
  formats_.push_back(kBinaryFormat);
  return *this;
}

PostgresQuery& PostgresQuery::Integer(std::int64_t value) {
  return Text(std::to_string(value));
}

std::vector<const char*> PostgresQuery::Values() const {
  std::vector<const char*> values;
  for (const std::string& value : values_) values.push_back(value.data());
  return values;
}

std::vector<int> PostgresQuery::Lengths() const {
  std::vector<int> lengths;
  for (const std::string& value : values_) lengths.push_back(static_cast<int>(value.size()));
  return lengths;
}

}  // namespace torvane
