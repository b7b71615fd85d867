#include <gtest/gtest.h>

#include "boards/board_requests.h"
#include "boards/modem/modem_dump.h"
#include "boards/modem/modem_requests.h"
#include "transport/time_utils.h"

using namespace varnel;

namespace {

using Requests = std::vector<Bytes>;
using S = RequestSender;

// Channel 1 of the configuration example: 100 kHz enabled, 110 kHz,
// digital master, EOC, noise margin 26, minimum rate 2.0.
ModemEditorValues ExampleEditors() {
  ModemEditorValues e;
  e.txLevelDb = -2.4;
  e.rxLevelDb = -25.4;
  e.agcDb = -51.0;
  e.aggrIndex = 1;
  for (auto& c : e.channels) c.modeIndex = 0;
  e.channels[0] = {true, 100, 110, 2, 26, 2.0, 16.0, true};
  return e;
}

struct OpenLog : LogRequestSource {
  std::optional<Bytes> LogRequest(RequestSender s) override {
    if (s == S::ButVKLog) return Bytes{0x09, 0xFF, 0x0F};
    return std::nullopt;
  }
};

class ModemRequestsTest : public ::testing::Test {
 protected:
  BoardRequests Build(ModemPage page, S sender, std::uint8_t ver1 = 8) {
    dev.board(kModemSlot).Ver1 = ver1;
    form.page = page;
    return BuildModemRequests(dev, form, sender, ModeOfSender(sender), now, log);
  }
  TStructDev dev;
  ModemForm form;
  std::int64_t now = LocalSeconds({2026, 1, 1, 0, 1, 40});
  LogRequestSource* log = nullptr;
};

}  // namespace

TEST_F(ModemRequestsTest, ConfigurationWriteEncodesTheEditors) {
  form.editors = ExampleEditors();
  BoardRequests r = Build(ModemPage::Config, S::ButWR, 8);
  ASSERT_EQ(r.rangeError, "");
  EXPECT_EQ(r.requests, (Requests{{0x10, 0x0C, 0x7F, 0xFF, 0x01},
                                  {0x11, 0x64, 0x80, 0x6E, 0x00, 0xA5, 0x14},
                                  {0x12, 0x00, 0x00, 0x00, 0x00, 0x1F, 0x00},
                                  {0x13, 0x00, 0x00, 0x00, 0x00, 0x1F, 0x00}}));
  EXPECT_EQ(r.expectedCode, 0x13);
  EXPECT_TRUE(r.clearConfigFlags);

  // No aggregation byte before version 8, so no list selection is needed there.
  form.editors.aggrIndex = -1;
  r = Build(ModemPage::Config, S::ButWR, 7);
  EXPECT_EQ(r.requests[0], (Bytes{0x10, 0x0C, 0x7F, 0xFF}));
  EXPECT_EQ(Build(ModemPage::Config, S::ButWR, 8).rangeError, "Объединение в цифровом режиме");

  // The maximum rate only from version 11; rates in 0.2 steps from version 9.
  form.editors.aggrIndex = 3;
  r = Build(ModemPage::Config, S::ButWR, 10);
  EXPECT_EQ(r.requests[0], (Bytes{0x10, 0x0C, 0x7F, 0xFF, 0x03}));
  EXPECT_EQ(r.requests[1], (Bytes{0x11, 0x64, 0x80, 0x6E, 0x00, 0xA5, 0x14}));
  r = Build(ModemPage::Config, S::ButWR, 11);
  EXPECT_EQ(r.requests[1], (Bytes{0x11, 0x64, 0x80, 0x6E, 0x00, 0xA5, 0x14, 0x90}));
  EXPECT_EQ(r.requests[2], (Bytes{0x12, 0x00, 0x00, 0x00, 0x00, 0x1F, 0x00, 0x00}));
}

TEST_F(ModemRequestsTest, ValuesOutsideTheirFieldsStopTheComposition) {
  const std::vector<std::pair<void (*)(ModemEditorValues&), std::string>> cases{
      {[](ModemEditorValues& e) { e.txLevelDb = 0.4; }, "Уровень ЦАП передатчика, дБ"},
      {[](ModemEditorValues& e) { e.rxLevelDb = -26.0; }, "Уровень АЦП приёмника, дБ"},
      {[](ModemEditorValues& e) { e.channels[2].modeIndex = -1; }, "Канал 3: режим"},
      {[](ModemEditorValues& e) { e.channels[1].txFreqKHz = 1024; },
       "Канал 2: средняя частота полосы передатчика, кГц"},
      {[](ModemEditorValues& e) { e.channels[0].noiseMargin = 32; }, "Канал 1: запас по шуму, дБ"},
      {[](ModemEditorValues& e) { e.channels[0].rxRateMin = 25.6; }, "Канал 1: мин. скорость приёмника, кбит/с"},
  };
  for (const auto& [spoil, field] : cases) {
    form.editors = ExampleEditors();
    spoil(form.editors);
    const BoardRequests r = Build(ModemPage::Config, S::ButWR, 8);
    EXPECT_EQ(r.rangeError, field);
    EXPECT_TRUE(r.requests.empty()) << field;
  }
}

TEST_F(ModemRequestsTest, RequestTableOfTheModemPages) {
  EXPECT_EQ(Build(ModemPage::Firmware, S::ButRD).requests, Requests{{0x01}});
  EXPECT_EQ(Build(ModemPage::Firmware, S::ButRD).expectedCode, 0x01);
  // Channel 2 hidden, channel 1's configuration known.
  form.shownChannels = {true, false, true};
  dev.modemChannel(1).CfgValid = 1;
  BoardRequests r = Build(ModemPage::Channels, S::ButRD);
  EXPECT_EQ(r.requests, (Requests{{0x15}, {0x17}, {0x13}}));
  EXPECT_EQ(r.expectedCode, 0x15);

  const std::vector<std::pair<S, Requests>> writes{
      {S::ButCRCall, {{0x14, 0x01}, {0x14, 0x02}, {0x14, 0x03}}},
      {S::ButCRC2, {{0x14, 0x02}}},
      {S::MenuDFset1, {{0x14, 0x05}}},
      {S::MenuDFset3, {{0x14, 0x07}}},
      {S::MenuDFreset, {{0x14, 0x04}}},
      {S::ButCRC, {{0x14, 0x04}}},
  };
  for (const auto& [sender, requests] : writes) {
    r = Build(ModemPage::Channels, sender);
    EXPECT_EQ(r.requests, requests);
    EXPECT_EQ(r.expectedCode, 0x14);
    EXPECT_FALSE(r.resetReceiverStates);
  }

  r = Build(ModemPage::Dump, S::ButWR);
  EXPECT_EQ(r.requests, (Requests{{0x00, 0x0F, 0x00, 0x0F}}));
  EXPECT_EQ(r.expectedCode, 0x00);
  EXPECT_EQ(r.dumpLengthText, "010");
}

TEST_F(ModemRequestsTest, ClockAndLogPage) {
  EXPECT_EQ(Build(ModemPage::Log, S::ButTimeRefrVK).requests, Requests{{0x08}});
  EXPECT_EQ(Build(ModemPage::Log, S::ButRD).requests, Requests{{0x08}});
  form.clockCorrection = 5;
  EXPECT_EQ(Build(ModemPage::Log, S::ButTimeSpeedVK).requests, (Requests{{0x08, 0x85}}));
  // 100 s into the cycle that began on 01.01.2026.
  BoardRequests r = Build(ModemPage::Log, S::ButTimeSyncVK);
  EXPECT_EQ(r.requests, (Requests{{0x08, 0x64, 0x00, 0x00, 0x00}}));
  EXPECT_EQ(r.expectedCode, 0x08);

  // Log controls compose only through the log reader.
  r = Build(ModemPage::Log, S::ButVKLog);
  EXPECT_TRUE(r.requests.empty());
  EXPECT_EQ(r.expectedCode, std::nullopt);
  OpenLog open;
  log = &open;
  r = Build(ModemPage::Log, S::ButVKLog);
  EXPECT_EQ(r.requests, (Requests{{0x09, 0xFF, 0x0F}}));
  EXPECT_EQ(r.expectedCode, 0x09);
  EXPECT_EQ(Build(ModemPage::Log, S::ButRD).requests, Requests{{0x08}});
}

TEST(ModemDump, RequestFromTheHexFields) {
  const auto r = ComposeDumpRequest("000F", "10");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->request, (Bytes{0x00, 0x0F, 0x00, 0x0F}));
  EXPECT_EQ(r->lengthText, "010");
  EXPECT_EQ(ComposeDumpRequest("1234", "100")->request, (Bytes{0x00, 0x34, 0x12, 0xFF}));
  EXPECT_EQ(ComposeDumpRequest("1234", "100")->lengthText, "100");
  EXPECT_EQ(ComposeDumpRequest("1234", "101")->request[3], 0x00);
  EXPECT_EQ(ComposeDumpRequest("1234", "101")->lengthText, "001");
  EXPECT_FALSE(ComposeDumpRequest("0F", "10"));      // one address byte
  EXPECT_FALSE(ComposeDumpRequest("01234", "10"));   // three address bytes
  EXPECT_FALSE(ComposeDumpRequest("000F", "0"));
  EXPECT_FALSE(ComposeDumpRequest("000F", "xx"));
}

TEST(BoardRequestsTable, TerminationAmplifierAndPower) {
  using P = TerminationPage;
  for (auto page : {P::Settings, P::Hidden}) {
    for (auto mode : {kReadRequest, kWriteRequest}) {
      EXPECT_EQ(BuildTerminationRequest(page, mode).requests, Requests{{0x01}});
    }
  }
  EXPECT_EQ(BuildTerminationRequest(P::SubchannelState, kReadRequest).requests, Requests{{0x02}});
  const BoardRequests clear = BuildTerminationRequest(P::SubchannelState, kWriteRequest);
  EXPECT_EQ(clear.requests, (Requests{{0x02, 0x00}}));
  EXPECT_EQ(clear.expectedCode, 0x02);

  EXPECT_EQ(BuildAmplifierRequest({}, kReadRequest).requests, Requests{{0x01}});
  EXPECT_EQ(BuildAmplifierRequest({true, true, true, true}, kWriteRequest).requests, (Requests{{0x01, 0x01}}));
  EXPECT_EQ(BuildAmplifierRequest({false, false, false, false}, kWriteRequest).requests, (Requests{{0x01, 0x1A}}));
  EXPECT_EQ(AmplifierSettingByte({false, true, false, true}), 0x08);
  EXPECT_EQ(BuildPowerRequest(kReadRequest).requests, Requests{{0x01}});
  EXPECT_EQ(BuildPowerRequest(kWriteRequest).requests, (Requests{{0x01, 0x00}}));
  EXPECT_EQ(BuildPowerRequest(kWriteRequest).expectedCode, 0x01);
}
