// The state document that tests and operators read.
#include <gtest/gtest.h>

#include "state_json.h"
#include "transponder_supply.h"

namespace torvane::sim {
namespace {

TEST(StateJsonTest, ListsEveryTransponderWithPagesLocksAndPlace) {
  TransponderSupply supply(0xE0040001, false, false);
  supply.Write(1, {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0xAB});
  supply.Lock(17);
  supply.PlaceBlank();
  const std::string json = RenderStateJson(supply);

  EXPECT_NE(json.find(R"({"uid": "E0040001", "onAntenna": false, "pages": ["00112233445566AB", )"
                      R"("0000000000000000")"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find(R"(false, true]})"), std::string::npos) << json;  // page 17 locked
  EXPECT_NE(json.find(R"({"uid": "E0040002", "onAntenna": true)"), std::string::npos) << json;
}

TEST(StateJsonTest, StrangeUidsCannotBreakTheDocument) {
  TransponderSupply supply(1, true, false);
  Transponder odd;
  odd.uid = "a\"b\\c\x01\xE9";
  supply.Place(odd);
  EXPECT_NE(RenderStateJson(supply).find(R"("uid": "a\"b\\c\u0001\u00E9")"), std::string::npos);
}

TEST(StateJsonTest, EmptySupplyIsAnEmptyList) {
  TransponderSupply supply(1, true, false);
  EXPECT_EQ(RenderStateJson(supply), "{\n  \"transponders\": []\n}\n");
}

}  // namespace
}  // namespace torvane::sim
