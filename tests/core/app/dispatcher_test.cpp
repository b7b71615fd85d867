#include "core_fakes.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

const std::string kSent = " Команда отправлена...";
const std::string kWriteDone = "[10:20:30] Команда записи исполнена";

// The root at Route 1; the status shows a command under way.
class DispatcherTest : public LinkTest {
 protected:
  DispatcherTest() { link.status.Set(kSent, kColourRed); }

  void Await(int device, int slot, std::uint8_t code, std::uint8_t mode = kReadRequest) {
    link.request = RequestState{device, 0, slot, 0, code, mode};
  }
  std::string LabelRoute() const {
    const std::string& l = link.dispatcher.answerLabel();
    return l.substr(l.find("  R:") + 2);
  }
  void ExpectCalls(const std::vector<Call>& expected) { EXPECT_EQ(handlers.calls, expected); }
  std::uint32_t Answers(int device, int slot) const { return link.registry.device(device).board(slot).Answers; }
  void ExpectStatus(const std::string& text, std::uint32_t colour) {
    EXPECT_EQ(link.status.text(), text);
    EXPECT_EQ(link.status.colour(), colour);
  }
  // Nothing counted, parsed or acknowledged.
  void ExpectIgnored() {
    for (int d = 1; d <= kMaxDevices; ++d)
      for (const auto& b : link.registry.device(d).boards) ASSERT_EQ(b.Answers, 0u) << d;
    ExpectCalls({});
    ExpectStatus(kSent, kColourRed);
  }

  const int root = AddDevice(Route{1}, Route{1});
};

}  // namespace

TEST_F(DispatcherTest, ShortForeignAndCorruptDatagramsStopAtTheFrameCheck) {
  link.trace.setDebug(true);
  Await(root, 4, 0x01);
  link.dispatcher.DispatchAnswer(Bytes{0x80, 0x7F});  // sums to 0xFF, but too short
  link.dispatcher.DispatchAnswer(Bytes{0x00, 0x01, 0xFE});
  EXPECT_EQ(link.dispatcher.answerLabel(), "Ответ: [10:20:30] 0001FE  R:");
  link.dispatcher.DispatchAnswer(Bytes{0x80, 0x41, 0x01, 0x3E});  // checksum one too high
  EXPECT_EQ(trace.messages(), (Strings{"<< GET inf [2] 807F", "<< GET inf [3] 0001FE", "<< GET inf [4] 8041013E",
                                       "   cs err"}));
  ExpectIgnored();
}

TEST_F(DispatcherTest, UnmatchedAndOverlongRoutesAreNotFound) {
  Route longest{1};  // the longest send Route a device can have
  while (longest.size() < 64) longest.push_back(longest.size() % 2 ? 2 : 3);
  Await(AddDevice(longest, longest), 4, 0x01);
  link.trace.setDebug(true);
  Dispatch({0x80, 0x21, 0x13, 0x32});  // channel nibbles only
  Bytes tooLong{0x80};
  tooLong.insert(tooLong.end(), 40, 0x21);  // 80 channel nibbles, then board 4
  tooLong.insert(tooLong.end(), {0x04, 0x01, 0x00});
  Dispatch(tooLong);
  EXPECT_EQ(trace.messages()[1], "  Route not found");
  EXPECT_EQ(trace.messages()[3], "  Route not found");
  EXPECT_EQ(LabelRoute(), "R:");

  Route r = longest;
  r.push_back(4);
  Bytes fits{0x80};
  AppendPackedNibbles(r, fits);
  fits.insert(fits.end(), {0x01, 0x00});
  Dispatch(fits);
  EXPECT_EQ(handlers.calls.size(), 1u);
}

TEST_F(DispatcherTest, AwaitedBoardAnswerIsCountedParsedAndGoesGreen) {
  link.trace.setDebug(true);
  Await(root, 4, 0x01);
  // 80 + 41 + 01 + 0A + 0B = 0xD7, checksum 0x28.
  link.dispatcher.DispatchAnswer(Bytes{0x80, 0x41, 0x01, 0x0A, 0x0B, 0x28});
  ExpectCalls({{"modem", root, 0x01, {}, {0x01, 0x0A, 0x0B}, 4}});
  EXPECT_EQ(Answers(root, 4), 1u);
  ExpectStatus("[10:20:30] Команда чтения исполнена", kColourGreen);
  EXPECT_EQ(link.request.expectedCode, 0x01);  // only device acks clear it
  EXPECT_EQ(link.dispatcher.answerLabel(), "Ответ: [10:20:30] 8041010A0B28  R:.1.4 ");
  EXPECT_TRUE(trace.Has(" ID_Route:.1.4 j=3"));

  link.request.requestMode = kWriteRequest;
  handlers.parserResult = false;
  Dispatch({0x80, 0x41, 0x01, 0x00});
  ExpectStatus(kWriteDone + " с ошибкой", kColourMaroon);
  // A stream of failing answers that are not the awaited one says so once.
  link.request.expectedCode = 0x15;
  for (int i = 0; i < 50; ++i) Dispatch({0x80, 0x41, 0x01, 0x00});
  ExpectStatus(kWriteDone + " с ошибкой", kColourMaroon);
}

TEST_F(DispatcherTest, StatusGoesGreenOnlyForTheAwaitedAnswer) {
  auto greenAfter = [&](int slot, std::uint8_t expected, std::uint8_t command) {
    Await(root, slot, expected);
    link.status.Set(kSent, kColourRed);
    Dispatch({0x80, 0x41, command, 0x00});
    return link.status.colour() == kColourGreen;
  };
  EXPECT_FALSE(greenAfter(4, 0x01, 0x02));  // other command
  EXPECT_FALSE(greenAfter(6, 0x01, 0x01));  // other slot selected
  // The modem's three channel states, 0x15 to 0x17, all answer the one awaited 0x15.
  EXPECT_TRUE(greenAfter(4, 0x15, 0x17));
  EXPECT_FALSE(greenAfter(4, 0x15, 0x18));
  EXPECT_FALSE(greenAfter(4, 0x16, 0x17));
  // Every answer of the current device is still counted and parsed.
  EXPECT_EQ(Answers(root, 4), 5u);
  EXPECT_EQ(handlers.calls.size(), 5u);
}

TEST_F(DispatcherTest, MultiByteBoardRoutesFindTheDeviceAndTheBody) {
  const int viaCh2 = AddDevice(Route{1, 2}, Route{1, 2, 0, 7});
  const int deeper = AddDevice(Route{1, 2, 3}, Route{1, 2, 3, 0, 9});
  const int ethSide = AddDevice(Route{1, 2, 0, 7}, Route{1, 2, 0, 7});
  const std::tuple<int, int, Bytes, const char*, const char*> cases[] = {
      // 1, 2, 5: odd count, the address byte's high half is padding.
      {viaCh2, 1, {0x80, 0x21, 0x05, 0x01, 0x02}, "termination", "R:.1.2.5 "},
      {deeper, 2, {0x80, 0x21, 0x63, 0x01, 0x02}, "termination", "R:.1.2.3.6 "},
      // A 0 inside a send Route is no terminator.
      {ethSide, 6, {0x80, 0x21, 0x70, 0x0A, 0x01, 0x02}, "amplifier", "R:.1.2.0.7.A "},
  };
  for (const auto& [device, slot, frame, kind, label] : cases) {
    SCOPED_TRACE(label);
    handlers.calls.clear();
    Await(device, slot, 0x01);
    Dispatch(frame);
    ExpectCalls({{kind, device, 0, {}, {0x01, 0x02}, slot}});
    EXPECT_EQ(Answers(device, slot), 1u);
    EXPECT_EQ(LabelRoute(), label);
  }
}

TEST_F(DispatcherTest, AnswersNotForTheCurrentRequestAreOnlyTraced) {
  const int other = AddDevice(Route{1, 2}, Route{1, 2, 0, 7});
  auto expectIgnored = [&](int device, int slot, std::uint8_t mode, Bytes frame) {
    SCOPED_TRACE(BytesToHex(frame));
    Await(device, slot, 0x01, mode);
    trace.lines.clear();
    Dispatch(std::move(frame));
    EXPECT_EQ(trace.messages().at(0).substr(0, 12), "<< GET inf [");
    ExpectIgnored();
  };
  // From another device than the current one.
  expectIgnored(root, 1, kReadRequest, {0x80, 0x21, 0x05, 0x01, 0x00});
  expectIgnored(other, 4, kReadRequest, {0x80, 0x41, 0x01, 0x00});
  // No board request made yet, or no board selected.
  expectIgnored(root, 4, kNoRequest, {0x80, 0x41, 0x01, 0x00});
  expectIgnored(root, 0, kReadRequest, {0x80, 0x41, 0x01, 0x00});
  // Body shorter than two bytes.
  expectIgnored(root, 4, kReadRequest, {0x80, 0x41, 0x01});
  // Addresses no slot has: 0x09, and 15 after 15; silently dropped.
  expectIgnored(root, 4, kReadRequest, {0x80, 0x91, 0x01, 0x00});
  expectIgnored(root, 4, kReadRequest, {0x80, 0xFF, 0x01, 0x00});
  EXPECT_FALSE(trace.Has(" Unknown brd"));
}

TEST_F(DispatcherTest, BoardsWithoutParserGiveUnknownBrdAndLeaveStatusAlone) {
  Await(root, 4, 0x01);
  Dispatch({0x80, 0xE1, 0x01, 0x00});  // the power supply board
  EXPECT_EQ(trace.messages().back(), " Unknown brd");
  // The slot exists, so the answer is counted before the parser is chosen.
  EXPECT_EQ(Answers(root, 10), 1u);
  ExpectCalls({});
  ExpectStatus(kSent, kColourRed);
}

TEST_F(DispatcherTest, IdentityAnswersReachDiscoveryWithIdRouteAndBody) {
  Dispatch({0x80, 0x01, 0x00, 0x05, 0x41, 0x42});
  Dispatch({0x80, 0x01, 0x03});  // a one-byte body is passed on; side 3 is still an identity
  // 1, 2, 0, 7, 0 takes three bytes; a new device has number 0.
  Dispatch({0x80, 0x21, 0x70, 0x00, 0x01, 0x05, 0x41});
  ExpectCalls({{"identity", root, 1, Route{1}, {0x00, 0x05, 0x41, 0x42}},
               {"identity", root, 1, Route{1}, {0x03}},
               {"identity", 0, 7, Route{1, 2, 0, 7}, {0x01, 0x05, 0x41}}});
  EXPECT_EQ(LabelRoute(), "R:.1.2.0.7.0");

  Dispatch({0x80, 0x01});  // no body at all
  EXPECT_EQ(trace.messages().back(), "  GetInfDev Err:1");
  EXPECT_EQ(handlers.calls.size(), 3u);
}

TEST_F(DispatcherTest, DeviceAcksMatchTheExpectedCodeOnce) {
  link.trace.setDebug(true);
  Await(root, 0, 0x05);
  Dispatch({0x80, 0x02, 0x05});  // a device the registry does not know
  EXPECT_TRUE(trace.Has("  Err:1"));
  EXPECT_EQ(link.request.expectedCode, 0x05);
  ExpectIgnored();

  Await(root, 0, 0x04, kWriteRequest);  // the lowest acknowledgement code
  Dispatch({0x80, 0x01, 0x04});
  ExpectStatus(kWriteDone, kColourGreen);
  EXPECT_EQ(link.request.expectedCode, 0);
  EXPECT_FALSE(trace.Has("  Err:2"));
  Dispatch({0x80, 0x01, 0x04});  // nothing awaited any more
  EXPECT_TRUE(trace.Has("  Err:2"));

  // Network settings need 17 bytes; a shorter ack is cleared and flagged, not handed on.
  trace.lines.clear();
  for (std::size_t length : {17u, 16u}) {
    Await(root, 0, 0x11);
    Bytes frame{0x80, 0x01, 0x11};
    frame.resize(2 + length, 0x33);
    Dispatch(frame);
    EXPECT_EQ(link.request.expectedCode, 0);
    EXPECT_EQ(trace.Has("  Err:2"), length == 16) << length;
  }
  Bytes body(17, 0x33);
  body[0] = 0x11;
  ExpectCalls({{"netsettings", root, 0, {}, body}});
}
