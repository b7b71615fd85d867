// The hand-written Windows-1251 table against Qt's own codec.
#include <gtest/gtest.h>

#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <string>

#include "wire/cp1251.h"

namespace {

// Qt's byte for one character, or '?' when it has none. Qt flags an error
// and writes a substitute byte for unmappable characters, and drops
// default-ignorable ones (zero-width marks, BOM) outright; ours writes '?'.
char QtByteOf(char16_t cp) {
  QStringEncoder encoder("windows-1251");
  const QByteArray out = encoder.encode(QString(QChar(cp)));
  if (out.size() != 1 || encoder.hasError()) return '?';
  return out[0];
}

}  // namespace

TEST(Cp1251Crosscheck, DecodingAgreesWithQtForEveryByte) {
  QStringDecoder qtDecoder("windows-1251");
  ASSERT_TRUE(qtDecoder.isValid());

  std::string all(256, '\0');
  for (int b = 0; b < 256; ++b) all[b] = static_cast<char>(b);
  const QString fromQt = qtDecoder.decode(QByteArray(all.data(), 256));
  const QString ours = QString::fromStdString(varnel::Cp1251ToUtf8(all));
  ASSERT_EQ(fromQt.size(), 256);
  ASSERT_EQ(ours.size(), 256);

  // The unassigned byte 0x98 included: both map it to U+0098.
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(ours.at(b).unicode(), fromQt.at(b).unicode()) << "byte " << b;
  }
}

TEST(Cp1251Crosscheck, EncodingAgreesWithQtOverTheBasicPlane) {
  ASSERT_TRUE(QStringEncoder("windows-1251").isValid());

  int encodable = 0;
  for (char32_t cp = 0; cp <= 0xFFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    const auto c = static_cast<char16_t>(cp);
    const char expected = QtByteOf(c);
    if (expected != '?' || cp == '?') ++encodable;
    const std::string utf8 = QString(QChar(c)).toStdString();
    ASSERT_EQ(varnel::Utf8ToCp1251(utf8), std::string(1, expected)) << "U+" << std::hex << int{c};
  }
  EXPECT_EQ(encodable, 256);
}
