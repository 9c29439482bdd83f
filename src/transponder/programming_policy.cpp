#include "transponder/programming_policy.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace torvane {

namespace {

constexpr std::array<std::pair<std::string_view, VerifyScope>, 3> kScopeNames = {{
    {"carrierid", VerifyScope::CarrierId},
    {"all", VerifyScope::All},
    {"off", VerifyScope::Off},
}};

bool SameWord(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

std::optional<VerifyScope> VerifyScopeOf(std::string_view text) {
  for (const auto& [name, scope] : kScopeNames) {
    if (SameWord(name, text)) return scope;
  }
  return std::nullopt;
}

std::string VerifyScopeName(VerifyScope scope) {
  for (const auto& [name, named] : kScopeNames) {
    if (named == scope) return std::string(name);
  }
  return {};
}

}  // namespace torvane
