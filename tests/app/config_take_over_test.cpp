#include "app/config_take_over.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scratch_directory.h"

namespace torvane {
namespace {

TEST(ConfigTakeOverTest, HandOverGivesTheNextCarrierIdAndTheWindowsState) {
  StationState state;
  state.workingDirectory = "/station";
  state.setInUse.name = "Job 1";
  state.setInUse.set.carrierId = "5";
  state.setInUse.set.counterValue = "42";
  state.production.nextCarrierId = "1000";
  state.setList = {"Job 1", "Job 2"};
  state.pages.displayForm = PageForm::Ascii;
  const ConfigDialogState dialog = ConfigDialogHandOver(state);
  EXPECT_EQ(dialog.name, "Job 1");
  EXPECT_EQ(dialog.set.carrierId, "1000");
  EXPECT_EQ(dialog.set.counterValue, "42");
  EXPECT_EQ(dialog.setList, state.setList);
  EXPECT_EQ(dialog.workingDirectory, "/station");
  EXPECT_EQ(dialog.displayForm, PageForm::Ascii);
  EXPECT_FALSE(dialog.saved);
}

TEST(ConfigTakeOverTest, OkTakesTheSetOverAndASaveStartsTheWorkOrder) {
  for (bool saved : {false, true}) {
    SCOPED_TRACE(saved);
    StationState state{};
    DeferredRequests requests;
    state.carrierIdMaxText = "77";
    state.production.producedCount = 9;
    state.production.headerPending = false;
    ConfigDialogState dialog;
    dialog.name = "Job 2";
    dialog.setList = {"Job 2"};
    dialog.displayForm = PageForm::Ascii;
    dialog.saved = saved;
    dialog.set.carrierId = "1000";
    dialog.set.quantity = "50";
    dialog.set.typeQuorvi = true;
    dialog.set.alignment = "Right";
    dialog.set.byteHex[20] = "4A";
    dialog.set.editPage[6] = true;
    dialog.set.editPage[9] = true;
    TakeOverConfiguration(dialog, state, requests);

    EXPECT_EQ(state.setInUse.name, "Job 2");
    EXPECT_EQ(state.setInUse.set.byteHex[20], "4A");
    EXPECT_EQ(state.setInUse.setTypeQuorvi, 1);
    EXPECT_EQ(state.setList, dialog.setList);
    EXPECT_EQ(state.pages.displayForm, PageForm::Ascii);
    EXPECT_EQ(state.pages.alignment, "Right");
    EXPECT_EQ(state.production.nextCarrierId, "1000");
    EXPECT_EQ(state.carrierIdMaxText, saved ? "1049" : "77");
    EXPECT_EQ(state.production.producedCount, saved ? 0u : 9u);
    EXPECT_TRUE(state.production.headerPending);
    for (int page = 0; page < kPageCount; ++page) {
      EXPECT_EQ(requests.pageFocusRequest[page], page == 6) << page;
    }
  }
}

TEST(ConfigTakeOverTest, CounterNeverGoesBackToAValueItsSetHasWrittenNorTakesCsvText) {
  test::ScratchDirectory directory;
  directory.Write("Count.ini", "[SEMI E99 Carrier ID Setup]\r\nCarrier ID=7\r\n");
  struct Case {
    std::string running, set, taken;
  };
  const Case cases[] = {
      {"FOUP-A0000000003", "Count", "7"}, {"12", "Count", "12"}, {"3", "Count", "7"},
      {"000000042", "Count", "42"},       {"5", "Missing", "5"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CounterTakenOver(c.running, directory.path(), c.set), c.taken) << c.running;
  }
  StationState state{};
  DeferredRequests requests;
  state.workingDirectory = directory.path();
  ConfigDialogState dialog;
  dialog.name = "Count";
  dialog.set.sourceDecimalCounter = true;
  dialog.set.carrierId = "FOUP-A0000000003";
  TakeOverConfiguration(dialog, state, requests);
  EXPECT_EQ(state.setInUse.set.carrierId, "7");
  EXPECT_EQ(state.production.nextCarrierId, "7");
}

TEST(ConfigTakeOverTest, LastCarrierIdOfTheWorkOrder) {
  struct Case {
    std::string next, quantity, last;
  };
  const std::vector<Case> cases = {
      {"1000", "50", "1049"}, {"1", "1", "1"},
      {"0", "1", "0"},        {"1000", "0", "999"},  // nothing to produce
      {"0", "0", ""},         {"18446744073709551610", "100", "18446744073709551615"},
      {"abc", "3", "2"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LastCarrierIdOfWorkOrder(c.next, c.quantity), c.last) << c.next << "+" << c.quantity;
  }
}

}  // namespace
}  // namespace torvane
