#include <gtest/gtest.h>

#include "boards/termination/config_form.h"

using namespace varnel;

// A record as a board keeps it: the window's settings taken from it and put
// back give the very same bytes. Most edits and the bytes they give are the
// GUI's flash tests; the far-end alarm is not among them.
TEST(ConfigForm, TheWindowsSettingsRoundTripTheRecord) {
  const Bytes image{0x1F, 0x1F, 0x05, 0x02, 0x0A, 0x94, 0x5C, 0x83,  // stream, alarm ch.2, 1000 bit/s, RS odd
                    0x9A, 0xA0, 0xFF, 0x1F, 0x00, 0x1F, 0xFF, 0x1F, 0x02, 0x1F, 0xFF, 0x1F,  // modules 13, 9, 7
                    192,  168,  1,    11,   255,  255,  255,  0,    192,  168,  1,    1};
  const auto config = DecodeTerminationConfig(image, {13, 9, 7});
  ASSERT_TRUE(config);
  const TerminationConfigForm form = FormFromConfig(*config);
  EXPECT_EQ(std::tuple(form.ip, form.gateway, form.serviceWidth, form.alarmMode), std::tuple("192.168.1.11", "192.168.1.1", 1000, 1));
  EXPECT_EQ(form.alarmChannels, (std::array<bool, 3>{false, true, false}));
  TerminationConfig back = *config;
  ApplyForm(form, back);
  const ConfigBytes same = EncodeTerminationConfig(back, 2, 9);
  EXPECT_EQ(Bytes(same.begin(), same.end()), image);
  TerminationConfigForm farEnd = form;
  farEnd.alarmMode = 0;  // no channel stays named
  ApplyForm(farEnd, back);
  EXPECT_EQ(EncodeTerminationConfig(back, 2, 9)[3] & 0x07, 0);
}
