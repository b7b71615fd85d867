#include "boards/modem/modem_dump.h"
#include "boards/request_hub.h"
#include "core_fakes.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

using Requests = std::vector<Bytes>;
using S = RequestSender;

// Channel 1 of the configuration example: 100 kHz enabled, 110 kHz,
// digital master, EOC, noise margin 26, minimum rate 2.0; all loaded from device.
ModemEditorValues ExampleEditors(int device) {
  ModemEditorValues e;
  e.loadedFrom = device;
  e.txLevelDb = -2.4;
  e.rxLevelDb = -25.4;
  e.agcDb = -51.0;
  e.aggrIndex = 1;
  for (auto& c : e.channels) c.modeIndex = 0;
  e.channels[0] = {true, 100, 110, 2, 26, 2.0, 16.0, true, 0};
  for (auto& c : e.channels) c.loadedFrom = device;
  return e;
}

struct FixedBlock : BlockRequestBuilder {
  BlockFrame frame;
  std::vector<RequestModeValue> modes;
  BlockFrame BuildBlockFrame(RequestModeValue mode) override {
    modes.push_back(mode);
    return frame;
  }
};

struct OpenLog : LogRequestSource {
  std::optional<Bytes> LogRequest(RequestSender s) override {
    if (s == S::ButVKLog) return Bytes{0x09, 0xFF, 0x0F};
    return std::nullopt;
  }
};

// Clicks on the modem board of the root; what was sent is read back as payloads.
class RequestsTest : public LinkTest {
 protected:
  RequestsTest() {
    link.request.currentDevice = device;
    link.request.selectedSlot = kModemSlot;
  }
  ClickResult Click(S sender, ModemPage page = ModemPage::Config) {
    input.sender = sender;
    input.modem.page = page;
    return ButRDClick(link, input, hooks);
  }
  // Payloads sent since the last call, without direction byte, address and checksum.
  Requests Payloads() {
    Requests out;
    for (const auto& s : sink.sent) out.emplace_back(s.bytes.begin() + 2, s.bytes.end() - 1);
    sink.sent.clear();
    return out;
  }
  // The configuration written to a board of this MCU version.
  Requests Write(std::uint8_t ver1) {
    dev().board(kModemSlot).Ver1 = ver1;
    Click(S::ButWR);
    return Payloads();
  }
  TStructDev& dev() { return link.registry.device(device); }

  const int device = AddDevice(Route{1}, Route{1});
  BoardRequestInput input;
  RequestHooks hooks;
};

}  // namespace

TEST_F(RequestsTest, ConfigurationReadSendsFourRequestsAndForgetsTheConfiguration) {
  dev().modemCommon.CommonValid = dev().modemCommon.CommonShown = 1;
  dev().modemChannel(2).CfgValid = dev().modemChannel(2).CfgShown = 1;
  const ClickResult r = Click(S::ButRD);
  ASSERT_EQ(sink.sent.size(), 4u);
  // 00 + 41 + 10 = 0x51, complemented.
  EXPECT_EQ(sink.sent[0].bytes, (Bytes{0x00, 0x41, 0x10, 0xAE}));
  EXPECT_EQ(Payloads(), (Requests{{0x10}, {0x11}, {0x12}, {0x13}}));
  EXPECT_EQ(std::tuple(link.request.expectedCode, link.request.requestMode, link.request.lastDevice),
            std::tuple(0x13, kReadRequest, device));
  EXPECT_EQ(dev().board(kModemSlot).Requests, 4u);
  EXPECT_EQ(dev().modemCommon.CommonValid + dev().modemCommon.CommonShown, 0);
  EXPECT_EQ(dev().modemChannel(2).CfgValid + dev().modemChannel(2).CfgShown, 0);
  EXPECT_EQ(link.status.text(), "[10:20:30] Команда отправлена...");
  EXPECT_EQ(link.status.colour(), 0x0000DDu);
  EXPECT_TRUE(r.redrawModemView);
}

TEST_F(RequestsTest, ConfigurationWriteEncodesTheEditorsByVersion) {
  input.modem.editors = ExampleEditors(device);
  EXPECT_EQ(Write(8), (Requests{{0x10, 0x0C, 0x7F, 0xFF, 0x01},
                                {0x11, 0x64, 0x80, 0x6E, 0x00, 0xA5, 0x14},
                                {0x12, 0x00, 0x00, 0x00, 0x00, 0x1F, 0x00},
                                {0x13, 0x00, 0x00, 0x00, 0x00, 0x1F, 0x00}}));
  EXPECT_EQ(std::tuple(link.request.expectedCode, link.request.requestMode), std::tuple(0x13, kWriteRequest));
  // No aggregation byte before version 8, so no list selection is needed there.
  input.modem.editors.aggrIndex = -1;
  EXPECT_EQ(Write(7)[0], (Bytes{0x10, 0x0C, 0x7F, 0xFF}));
  // The maximum rate only from version 11; rates in 0.2 steps from version 9.
  input.modem.editors.aggrIndex = 3;
  const Requests v10 = Write(10);
  EXPECT_EQ(v10[0], (Bytes{0x10, 0x0C, 0x7F, 0xFF, 0x03}));
  EXPECT_EQ(v10[1], (Bytes{0x11, 0x64, 0x80, 0x6E, 0x00, 0xA5, 0x14}));
  const Requests v11 = Write(11);
  EXPECT_EQ(v11[1], (Bytes{0x11, 0x64, 0x80, 0x6E, 0x00, 0xA5, 0x14, 0x90}));
  EXPECT_EQ(v11[2], (Bytes{0x12, 0x00, 0x00, 0x00, 0x00, 0x1F, 0x00, 0x00}));
}

TEST_F(RequestsTest, AFieldOutsideItsRangeSendsNothingAndChangesNothing) {
  const std::pair<void (*)(ModemEditorValues&), std::string> cases[] = {
      {[](ModemEditorValues& e) { e.aggrIndex = -1; }, "Объединение в цифровом режиме"},
      {[](ModemEditorValues& e) { e.txLevelDb = 0.4; }, "Уровень ЦАП передатчика, дБ"},
      {[](ModemEditorValues& e) { e.channels[2].modeIndex = -1; }, "Канал 3: режим"},
      {[](ModemEditorValues& e) { e.channels[1].txFreqKHz = 1024; },
       "Канал 2: средняя частота полосы передатчика, кГц"},
      {[](ModemEditorValues& e) { e.channels[0].noiseMargin = 32; }, "Канал 1: запас по шуму, дБ"},
  };
  link.request.expectedCode = 0x01;
  link.request.requestMode = kReadRequest;
  dev().modemChannel(1).CfgValid = 1;
  dev().board(kModemSlot).Ver1 = 8;
  link.status.Set("before", kColourGreen);
  for (const auto& [spoil, field] : cases) {
    input.modem.editors = ExampleEditors(device);
    spoil(input.modem.editors);
    EXPECT_EQ(Click(S::ButWR).error, "Ошибка в параметрах:\r" + field);
  }
  EXPECT_TRUE(sink.sent.empty());
  EXPECT_EQ(std::tuple(link.request.expectedCode, link.request.requestMode), std::tuple(0x01, kReadRequest));
  EXPECT_EQ(dev().modemChannel(1).CfgValid, 1);
  EXPECT_EQ(link.status.text(), "before");
}

TEST_F(RequestsTest, AWriteOfEditorsNotLoadedFromThisBoardNamesWhatToReadAndSendsNothing) {
  dev().board(kModemSlot).Ver1 = 11;
  input.modem.editors = ExampleEditors(device);
  input.modem.editors.loadedFrom = input.modem.editors.channels[1].loadedFrom = device + 1;  // another block's
  EXPECT_EQ(Click(S::ButWR).error,
            "Конфигурация платы не прочитана: общие параметры, канал 2.\rСначала выполните чтение.");
  EXPECT_TRUE(sink.sent.empty());
  EXPECT_EQ(link.request.requestMode, kNoRequest);
}

TEST_F(RequestsTest, ChannelPageReadsStatesAndUnknownModesWritesResets) {
  // Channel 2 hidden, channel 1's configuration known.
  input.modem.shownChannels = {true, false, true};
  dev().modemChannel(1).CfgValid = 1;
  for (auto& m : dev().board(kModemSlot).Modules) m.Values[0] = 3;
  Click(S::ButRD, ModemPage::Channels);
  EXPECT_EQ(Payloads(), (Requests{{0x15}, {0x17}, {0x13}}));
  EXPECT_EQ(link.request.expectedCode, 0x15);
  for (const auto& m : dev().board(kModemSlot).Modules) EXPECT_EQ(m.Values[0], 0u);

  const std::pair<S, Requests> writes[] = {
      {S::ButCRCall, {{0x14, 0x01}, {0x14, 0x02}, {0x14, 0x03}}},
      {S::ButCRC2, {{0x14, 0x02}}},
      {S::MenuDFset1, {{0x14, 0x05}}},
      {S::MenuDFset3, {{0x14, 0x07}}},
      {S::MenuDFreset, {{0x14, 0x04}}},
  };
  for (const auto& [sender, requests] : writes) {
    dev().board(kModemSlot).Modules[0].Values[0] = 3;
    Click(sender, ModemPage::Channels);
    EXPECT_EQ(Payloads(), requests);
    EXPECT_EQ(link.request.expectedCode, 0x14);
    EXPECT_EQ(dev().board(kModemSlot).Modules[0].Values[0], 3u);
  }
}

TEST_F(RequestsTest, ClockAndLogPage) {
  EXPECT_TRUE(Click(S::ButVKLog, ModemPage::Log).statusSet);  // no log reader: nothing composed
  EXPECT_EQ(Payloads(), Requests{});
  Click(S::ButTimeRefrVK, ModemPage::Log);
  input.modem.clockCorrection = 5;
  Click(S::ButTimeSpeedVK, ModemPage::Log);
  // 100 s into the cycle that began on 01.01.2026.
  clock.local = {2026, 1, 1, 0, 1, 40};
  Click(S::ButTimeSyncVK, ModemPage::Log);
  EXPECT_EQ(Payloads(), (Requests{{0x08}, {0x08, 0x85}, {0x08, 0x64, 0x00, 0x00, 0x00}}));
  EXPECT_EQ(link.request.expectedCode, 0x08);

  // Log controls compose only through the log reader.
  OpenLog open;
  hooks.log = &open;
  Click(S::ButVKLog, ModemPage::Log);
  EXPECT_EQ(link.request.expectedCode, 0x09);
  Click(S::ButRD, ModemPage::Log);
  EXPECT_EQ(Payloads(), (Requests{{0x09, 0xFF, 0x0F}, {0x08}}));
}

TEST_F(RequestsTest, DumpRequestFromTheHexFields) {
  auto dump = [](const char* address, const char* length) {
    const auto r = ComposeDumpRequest(address, length);
    return r ? BytesToHex(r->request) + " " + r->lengthText : "none";
  };
  EXPECT_EQ(dump("000F", "10"), "000F000F 010");
  EXPECT_EQ(dump("1234", "100"), "003412FF 100");
  EXPECT_EQ(dump("0F", "10"), "none");     // one address byte
  EXPECT_EQ(dump("01234", "10"), "none");  // three address bytes
  EXPECT_EQ(dump("000F", "0"), "none");
  EXPECT_EQ(dump("000F", "xx"), "none");
  // The click rewrites the length field with what was asked for.
  input.modem.dumpLength = "101";
  EXPECT_EQ(Click(S::ButRD, ModemPage::Dump).dumpLengthText, "001");
  EXPECT_EQ(Payloads(), (Requests{{0x00, 0x0F, 0x00, 0x00}}));
  EXPECT_EQ(link.request.expectedCode, 0x00);
}

TEST_F(RequestsTest, OtherBoardsUseTheirAddressAndRequestTable) {
  link.request.selectedSlot = 2;  // termination board 0x06
  input.terminationPage = TerminationPage::SubchannelState;
  Click(S::ButWR);
  EXPECT_EQ(sink.sent.back().bytes, (Bytes{0x00, 0x61, 0x02, 0x00, 0x9C}));
  link.request.selectedSlot = 8;  // amplifier 0x0C
  input.amplifier = {false, true, false, true};
  Click(S::ButWR);
  EXPECT_EQ(sink.sent.back().bytes, (Bytes{0x00, 0xC1, 0x01, 0x08, 0x35}));
  EXPECT_EQ(link.request.expectedCode, 0x01);
  sink.sent.clear();
  // A filter board composes nothing, yet the click reports itself sent.
  link.request.selectedSlot = 5;
  EXPECT_TRUE(Click(S::ButRD).statusSet);
  EXPECT_TRUE(sink.sent.empty());
}

TEST_F(RequestsTest, BlockLevelGoesThroughItsBuilder) {
  link.request.selectedSlot = 0;
  link.status.Set("before", kColourGreen);
  FixedBlock block;
  hooks.block = &block;
  block.frame = {{}, "IP"};
  EXPECT_EQ(Click(S::ButWR).error, "Ошибка в параметрах:\rIP");
  block.frame = {{}, ""};
  EXPECT_FALSE(Click(S::ButRD).statusSet);
  EXPECT_TRUE(sink.sent.empty());
  EXPECT_EQ(link.status.text(), "before");

  block.frame = {{0x00, 0x01, 0x00, 0x11}, ""};
  EXPECT_EQ(Click(S::ButWR).sent, 1);
  EXPECT_EQ(sink.sent.back().bytes, (Bytes{0x00, 0x01, 0x00, 0x11, 0xED}));
  EXPECT_EQ(block.modes, (std::vector<RequestModeValue>{kWriteRequest, kReadRequest, kWriteRequest}));
  EXPECT_EQ(link.request.requestMode, kWriteRequest);
}

TEST_F(RequestsTest, NoDeviceNoClick) {
  link.request.currentDevice = 0;
  EXPECT_FALSE(Click(S::ButRD).statusSet);
  EXPECT_TRUE(sink.sent.empty());
  EXPECT_EQ(link.request.requestMode, kNoRequest);
}
