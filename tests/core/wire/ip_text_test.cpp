#include "wire/ip_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace varnel;

TEST(IpText, WhatPassesAsAnAddress) {
  const std::string dots = "1.2.3.4" + std::string(248, '.');  // 255 characters, no digit after the fourth dot
  const std::vector<std::string> valid = {"1.2.3.4", "0.0.0.0", "010.0.0.255", "1.2.3.4.", "1.2.3.0000000000001", dots};
  for (const std::string& text : valid) EXPECT_TRUE(IsValidIp(text)) << text;
  const std::vector<std::string> invalid = {"", "1.2.3", "1.2.3.", "1.2.3.256", "1.2..4", ".1.2.3.4", "a.b.c.d",
                                            "1.2.3.4.5", "1.2.3.4 ", "1.2.3.-4", "1.2.3.99999999999999999999",
                                            dots + ".", dots + "5"};
  for (const std::string& text : invalid) EXPECT_FALSE(IsValidIp(text)) << text;
}

TEST(IpText, BytesAndTexts) {
  EXPECT_EQ(IpToText(Bytes{192, 168, 0, 254}), "192.168.0.254");
  EXPECT_EQ(IpToText(Bytes{0, 10, 100, 255}), "0.10.100.255");
  EXPECT_EQ(IpToText(Bytes{192, 168, 0}), "0.0.0.0");
  EXPECT_EQ(IpToText(Bytes{1, 2, 3, 4, 5}), "0.0.0.0");
  EXPECT_EQ(IpFromText("192.168.000.254"), (IpBytes{192, 168, 0, 254}));
  // Low 8 bits of the leading digits; missing parts are 0.
  EXPECT_EQ(IpFromText("300.2x.y.65535.9"), (IpBytes{44, 2, 0, 255}));
  EXPECT_EQ(IpFromText("99999999999999999999999.1"), (IpBytes{255, 1, 0, 0}));  // 10^23 - 1 = 255 mod 256
  EXPECT_EQ(IpFromText("1.2"), (IpBytes{1, 2, 0, 0}));
  EXPECT_EQ(IpFromText(""), (IpBytes{0, 0, 0, 0}));
}
