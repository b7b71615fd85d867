#include "boards/request_hub.h"
#include "core_fakes.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

using Requests = std::vector<Bytes>;

struct FixedBlock : BlockRequestBuilder {
  BlockFrame frame;
  std::vector<RequestModeValue> modes;
  BlockFrame BuildBlockFrame(RequestModeValue mode) override {
    modes.push_back(mode);
    return frame;
  }
};

class RequestHubTest : public LinkTest {
 protected:
  RequestHubTest() {
    device = AddDevice(Route{1}, Route{1});
    link.request.currentDevice = device;
    link.request.selectedSlot = kModemSlot;
  }
  ClickResult Click(RequestSender sender, ModemPage page = ModemPage::Config) {
    input.sender = sender;
    input.modem.page = page;
    return ButRDClick(link, input, hooks);
  }
  // Payloads of the datagrams sent, without direction byte, address and checksum.
  Requests Payloads(std::size_t addressBytes = 1) const {
    Requests out;
    for (const auto& s : sink.sent) out.emplace_back(s.bytes.begin() + 1 + addressBytes, s.bytes.end() - 1);
    return out;
  }
  TStructDev& dev() { return link.registry.device(device); }

  int device = 0;
  BoardRequestInput input;
  RequestHooks hooks;
};

}  // namespace

TEST_F(RequestHubTest, ConfigurationReadSendsFourRequests) {
  dev().modemCommon.CommonValid = dev().modemCommon.CommonShown = 1;
  dev().modemChannel(2).CfgValid = dev().modemChannel(2).CfgShown = 1;
  const ClickResult r = Click(RequestSender::ButRD);
  ASSERT_EQ(sink.sent.size(), 4u);
  // 00 + 41 + 10 = 0x51, complemented.
  EXPECT_EQ(sink.sent[0].bytes, (Bytes{0x00, 0x41, 0x10, 0xAE}));
  EXPECT_EQ(sink.sent[0].port, kDevicePort);
  EXPECT_EQ(Payloads(), (Requests{{0x10}, {0x11}, {0x12}, {0x13}}));
  EXPECT_EQ(link.request.expectedCode, 0x13);
  EXPECT_EQ(link.request.requestMode, kReadRequest);
  EXPECT_EQ(link.request.lastDevice, device);
  EXPECT_EQ(dev().board(kModemSlot).Requests, 4u);
  EXPECT_EQ(dev().modemCommon.CommonValid + dev().modemCommon.CommonShown, 0);
  EXPECT_EQ(dev().modemChannel(2).CfgValid + dev().modemChannel(2).CfgShown, 0);
  EXPECT_EQ(link.status.text(), "[10:20:30] Команда отправлена...");
  EXPECT_EQ(link.status.colour(), 0x0000DDu);
  EXPECT_TRUE(r.redrawModemView);
  EXPECT_EQ(r.error, "");
}

TEST_F(RequestHubTest, ChannelReadWithAndWithoutShownChannels) {
  for (auto& m : dev().board(kModemSlot).Modules) m.Values[0] = 3;
  Click(RequestSender::ButRD, ModemPage::Channels);
  EXPECT_EQ(Payloads(), (Requests{{0x15}, {0x16}, {0x17}, {0x11}, {0x12}, {0x13}}));
  for (const auto& m : dev().board(kModemSlot).Modules) EXPECT_EQ(m.Values[0], 0u);

  sink.sent.clear();
  link.status.Set("", kColourGreen);
  input.modem.shownChannels = {false, false, false};
  const ClickResult r = Click(RequestSender::ButRD, ModemPage::Channels);
  EXPECT_TRUE(sink.sent.empty());
  EXPECT_TRUE(r.statusSet);
  EXPECT_EQ(link.status.text(), "[10:20:30] Команда отправлена...");
  EXPECT_EQ(link.request.expectedCode, 0x15);
}

TEST_F(RequestHubTest, RangeErrorSendsNothingAndChangesNothing) {
  link.request.expectedCode = 0x01;
  link.request.requestMode = kReadRequest;
  dev().modemChannel(1).CfgValid = 1;
  link.status.Set("before", kColourGreen);
  input.modem.editors.aggrIndex = 0;
  for (auto& c : input.modem.editors.channels) c.modeIndex = 0;
  input.modem.editors.channels[2].modeIndex = -1;
  dev().board(kModemSlot).Ver1 = 8;

  const ClickResult r = Click(RequestSender::ButWR);
  EXPECT_EQ(r.error, "Ошибка в параметрах:\rКанал 3: режим");
  EXPECT_TRUE(sink.sent.empty());
  EXPECT_EQ(link.request.expectedCode, 0x01);
  EXPECT_EQ(link.request.requestMode, kReadRequest);
  EXPECT_EQ(dev().modemChannel(1).CfgValid, 1);
  EXPECT_EQ(link.status.text(), "before");

  input.modem.editors.channels[2].modeIndex = 3;
  EXPECT_EQ(Click(RequestSender::ButWR).sent, 4);
  EXPECT_EQ(link.request.requestMode, kWriteRequest);
}

TEST_F(RequestHubTest, OtherBoardsUseTheirAddress) {
  link.request.selectedSlot = 2;  // termination board 0x06
  input.terminationPage = TerminationPage::SubchannelState;
  Click(RequestSender::ButWR);
  EXPECT_EQ(sink.sent.back().bytes, (Bytes{0x00, 0x61, 0x02, 0x00, 0x9C}));
  link.request.selectedSlot = 8;  // amplifier 0x0C
  Click(RequestSender::ButRD);
  EXPECT_EQ(sink.sent.back().bytes, (Bytes{0x00, 0xC1, 0x01, 0x3D}));
  EXPECT_EQ(link.request.expectedCode, 0x01);

  // A filter board composes nothing, yet the click reports itself sent.
  sink.sent.clear();
  link.request.selectedSlot = 5;
  EXPECT_TRUE(Click(RequestSender::ButRD).statusSet);
  EXPECT_TRUE(sink.sent.empty());
}

TEST_F(RequestHubTest, BlockLevelGoesThroughItsBuilder) {
  link.request.selectedSlot = 0;
  link.status.Set("before", kColourGreen);
  EXPECT_FALSE(Click(RequestSender::ButRD).statusSet);  // no builder yet
  EXPECT_TRUE(sink.sent.empty());

  FixedBlock block;
  hooks.block = &block;
  block.frame = {{}, "IP"};
  EXPECT_EQ(Click(RequestSender::ButWR).error, "Ошибка в параметрах:\rIP");
  EXPECT_TRUE(sink.sent.empty());
  block.frame = {{}, ""};
  EXPECT_FALSE(Click(RequestSender::ButRD).statusSet);
  EXPECT_TRUE(sink.sent.empty());
  EXPECT_EQ(link.status.text(), "before");

  block.frame = {{0x00, 0x01, 0x00, 0x11}, ""};
  EXPECT_EQ(Click(RequestSender::ButWR).sent, 1);
  EXPECT_EQ(sink.sent.back().bytes, (Bytes{0x00, 0x01, 0x00, 0x11, 0xED}));
  EXPECT_EQ(block.modes, (std::vector<RequestModeValue>{kWriteRequest, kReadRequest, kWriteRequest}));
  EXPECT_EQ(link.request.requestMode, kWriteRequest);
}

TEST_F(RequestHubTest, NoDeviceNoClick) {
  link.request.currentDevice = 0;
  const ClickResult r = Click(RequestSender::ButRD);
  EXPECT_FALSE(r.statusSet);
  EXPECT_TRUE(sink.sent.empty());
  EXPECT_EQ(link.request.requestMode, kNoRequest);
}

TEST_F(RequestHubTest, DumpRewritesTheLengthField) {
  input.modem.dumpLength = "101";
  const ClickResult r = Click(RequestSender::ButRD, ModemPage::Dump);
  EXPECT_EQ(Payloads(), (Requests{{0x00, 0x0F, 0x00, 0x00}}));
  EXPECT_EQ(r.dumpLengthText, "001");
  EXPECT_EQ(link.request.expectedCode, 0x00);
}
