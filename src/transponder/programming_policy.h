#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace torvane {

// Which written pages a production cycle reads back before it locks them.
enum class VerifyScope { Off, CarrierId, All };

// How a production cycle programs a transponder beyond writing and locking.
struct ProgrammingPolicy {
  VerifyScope verify = VerifyScope::CarrierId;
  int retries = 2;  // further tries of a refused or unanswered write or lock
};

// "carrierid", "all", "off", without regard to case.
std::optional<VerifyScope> VerifyScopeOf(std::string_view text);
std::string VerifyScopeName(VerifyScope scope);

}  // namespace torvane
