// What the fault injector does to answers: each fault alone at 100 %, none at
// 0 %, a reordered answer behind the next one, each device by its own
// settings (the drop codes show it), and the same seed giving the same run.

#include <gtest/gtest.h>

#include "sim/fault/fault_injector.h"
#include "sim/wire/checksum.h"
#include "sim/wire/frame.h"
#include "test_support.h"

namespace varnel::sim {
namespace {

using std::chrono::milliseconds;

Answer AnswerOf(std::size_t device, std::uint8_t tag) {
  return {BuildAnswer({1, 4}, Bytes{0x01, tag}), milliseconds(0), device};
}

// Device 0 has `faults`, device 1 none.
struct Injected {
  explicit Injected(FaultSettings faults, std::uint64_t seed = 7)
      : settings{faults, FaultSettings{}},
        injector(seed, [this](std::size_t d) -> const FaultSettings& { return settings.at(d); }) {}

  Outcome Run(std::vector<Answer> answers) {
    Outcome outcome{std::move(answers), "answered"};
    injector.Apply(outcome);
    return outcome;
  }

  std::vector<FaultSettings> settings;
  FaultInjector injector;
};

TEST(SimFaults, AnswersToTheListedCommandsAreAlwaysLostAndNoOthers) {
  FaultSettings faults;
  faults.dropCodes.set(0x16);
  faults.dropCodes.set(0x12);
  Injected injected(faults);
  std::vector<Answer> answers;
  for (int code : {0x15, 0x16, 0x17, 0x11, 0x12, 0x13}) {
    answers.push_back(AnswerOf(0, static_cast<std::uint8_t>(code)));
    answers.back().command = code;
  }
  answers.push_back(AnswerOf(0, 0x16));  // an identity: no command, never matched
  answers.push_back(AnswerOf(1, 0x16));  // device 1 has no such fault
  answers.back().command = 0x16;
  for (int round = 0; round < 20; ++round) {
    const Outcome out = injected.Run(answers);
    std::vector<int> kept;
    for (const Answer& a : out.answers) kept.push_back(a.frame[a.frame.size() - 2]);
    EXPECT_EQ(kept, (std::vector<int>{0x15, 0x17, 0x11, 0x13, 0x16, 0x16}));
    EXPECT_NE(out.note.find("answer to 16 dropped"), std::string::npos) << out.note;
    EXPECT_NE(out.note.find("answer to 12 dropped"), std::string::npos) << out.note;
  }
}

TEST(SimFaults, EachFaultAloneAtFullRateAndNoneAtZero) {
  const Answer clean = AnswerOf(0, 0xAA);
  const Outcome untouched = Injected({}).Run({clean});
  EXPECT_EQ(Frames(untouched), std::vector<Bytes>{clean.frame});
  EXPECT_EQ(untouched.note, "answered");
  EXPECT_TRUE(Injected({.drop = 100}).Run({clean}).answers.empty());

  const Outcome twice = Injected({.duplicate = 100}).Run({clean});
  ASSERT_EQ(twice.answers.size(), 2u);
  EXPECT_EQ(twice.answers[0].frame, clean.frame);
  EXPECT_EQ(twice.answers[1].frame, clean.frame);
  EXPECT_NE(twice.note.find("answer repeated"), std::string::npos) << twice.note;

  for (std::uint64_t seed = 0; seed < 50; ++seed) {
    const Outcome corrupt = Injected({.corrupt = 100}, seed).Run({clean});
    ASSERT_EQ(corrupt.answers.size(), 1u);
    const Bytes& frame = corrupt.answers[0].frame;
    ASSERT_EQ(frame.size(), clean.frame.size());
    EXPECT_TRUE(std::equal(frame.begin(), frame.end() - 1, clean.frame.begin()));
    EXPECT_NE(FrameChecksum(frame), 0) << "seed " << seed;

    const Outcome cut = Injected({.truncate = 100}, seed).Run({clean});
    const Bytes& part = cut.answers.at(0).frame;
    EXPECT_GE(part.size(), 1u);
    EXPECT_LT(part.size(), clean.frame.size());
    EXPECT_TRUE(std::equal(part.begin(), part.end(), clean.frame.begin()));

    const Outcome late = Injected({.delay = milliseconds(300), .jitter = milliseconds(50)}, seed).Run({clean});
    EXPECT_GE(late.answers.at(0).delay, milliseconds(300));
    EXPECT_LE(late.answers.at(0).delay, milliseconds(350));
  }
}

TEST(SimFaults, AHeldAnswerGoesOutBehindTheNextOne) {
  Injected reorder({.reorder = 100});
  // Device 0's answer is held; the next request's answer (device 1, never
  // held) goes first, the held one behind it and never due before it.
  EXPECT_TRUE(reorder.Run({AnswerOf(0, 1)}).answers.empty());
  Answer next = AnswerOf(1, 2);
  next.delay = milliseconds(40);
  const Outcome out = reorder.Run({next});
  ASSERT_EQ(out.answers.size(), 2u);
  EXPECT_EQ(out.answers[0].frame, AnswerOf(1, 2).frame);
  EXPECT_EQ(out.answers[1].frame, AnswerOf(0, 1).frame);
  EXPECT_GE(out.answers[1].delay, milliseconds(40));
  // One answer waits at a time: of two in one outcome the second goes out,
  // the first behind it.
  Injected both({.reorder = 100});
  const Outcome pair = both.Run({AnswerOf(0, 1), AnswerOf(0, 2)});
  ASSERT_EQ(pair.answers.size(), 2u);
  EXPECT_EQ(pair.answers[0].frame, AnswerOf(0, 2).frame);
  EXPECT_EQ(pair.answers[1].frame, AnswerOf(0, 1).frame);
}

TEST(SimFaults, TheSameSeedRepeatsTheRunAnotherDoesNot) {
  const FaultSettings mix{.drop = 20, .duplicate = 10, .reorder = 10, .corrupt = 5, .truncate = 5,
                          .jitter = milliseconds(20)};
  auto run = [&](std::uint64_t seed) {
    Injected link(mix, seed);
    std::vector<Bytes> sent;
    std::vector<milliseconds> delays;
    for (std::uint8_t i = 0; i < 200; ++i) {
      for (const Answer& a : link.Run({AnswerOf(0, i)}).answers) {
        sent.push_back(a.frame);
        delays.push_back(a.delay);
      }
    }
    return std::make_pair(sent, delays);
  };
  const auto first = run(42);
  EXPECT_EQ(run(42), first);
  EXPECT_NE(run(43), first);
  // About a fifth lost, about a tenth repeated: 200 in, roughly 180 out.
  EXPECT_GT(first.first.size(), 150u);
  EXPECT_LT(first.first.size(), 210u);
}

}  // namespace
}  // namespace varnel::sim
