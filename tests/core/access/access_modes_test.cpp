#include <gtest/gtest.h>

#include <deque>

#include "access/access_modes.h"

using namespace varnel;

namespace {

// The operator's answers, queued; nothing left means "cancelled".
struct ScriptedDialogs : AccessDialogs {
  std::deque<std::optional<std::string>> answers;
  std::vector<std::string> asked, warnings, infos;
  std::optional<std::string> AskText(const std::string& caption, const std::string& prompt) override {
    asked.push_back(caption + "/" + prompt);
    if (answers.empty()) return std::nullopt;
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
  void Warning(const std::string& text) override { warnings.push_back(text); }
  void Information(const std::string& text) override { infos.push_back(text); }
};

struct RecordingEvents : AccessEvents {
  std::vector<bool> modes;
  std::vector<std::string> saved;
  void ModeEntered(bool admin) override { modes.push_back(admin); }
  void PasswordChanged(const std::string& text) override { saved.push_back(text); }
};

class AccessModesTest : public ::testing::Test {
 protected:
  ScriptedDialogs dialogs;
  RecordingEvents events;
  AccessModes modes{dialogs, events};
};

}  // namespace

TEST(PasswordDigest, ThreeBytesFromBothCrcStepsOverWindows1251) {
  EXPECT_TRUE(PasswordDigest("").empty());
  EXPECT_EQ(StoredPasswordText(PasswordDigest("a")), "0E2C40");
  // c16 restarts from each new c8; a digest that carried it would differ.
  EXPECT_EQ(StoredPasswordText(PasswordDigest("admin")), "AC9181");
  // Cyrillic counts by its single Windows-1251 byte, not by UTF-8.
  EXPECT_EQ(StoredPasswordText(PasswordDigest("пароль")), "427080");
}

TEST(StoredPassword, OnlyEmptyOrSixHexDigitsAreValid) {
  EXPECT_EQ(ParseStoredPassword("").kind, StoredPasswordKind::None);
  const StoredPassword ok = ParseStoredPassword("ac9181");
  EXPECT_EQ(ok.kind, StoredPasswordKind::Digest);
  EXPECT_EQ(ok.digest, (Bytes{0xAC, 0x91, 0x81}));
  for (const char* bad : {"AC918", "AC91810", "ZZZZZZ", "AC 918", "ÄC9181"}) {
    EXPECT_EQ(ParseStoredPassword(bad).kind, StoredPasswordKind::Damaged) << bad;
  }
}

TEST_F(AccessModesTest, NoPasswordOpensAdminAndSwitchingBackTakesAnEmptyEntry) {
  modes.Load("");
  EXPECT_TRUE(modes.admin());
  modes.Click(false);
  EXPECT_TRUE(dialogs.asked.empty());  // leaving administrator mode asks nothing
  EXPECT_EQ(dialogs.infos.back(), "Активирован режим пользователя.\rВнимание: пароль администратора не задан.");
  dialogs.answers = {std::string("x"), std::string()};
  modes.Click(false);
  EXPECT_FALSE(modes.admin());
  EXPECT_EQ(dialogs.warnings, std::vector<std::string>{"Пароль введён неверно "});
  modes.Click(false);
  EXPECT_TRUE(modes.admin());
  EXPECT_EQ(dialogs.infos.back(), "Активирован режим администратора.");
  EXPECT_EQ(dialogs.asked.back(), "Изменение режима/Введите пароль");
  EXPECT_EQ(events.modes, (std::vector<bool>{true, false, true}));
}

TEST_F(AccessModesTest, WrongOrCancelledEntryLeavesUserModeAndShiftClickDoesNothing) {
  modes.Load("AC9181");
  dialogs.answers = {std::string("Admin"), std::string(), std::nullopt};
  for (int i = 0; i < 3; ++i) modes.Click(false);
  modes.Click(true);
  EXPECT_EQ(std::tuple(modes.admin(), dialogs.asked.size(), dialogs.warnings.size(), dialogs.infos.size()),
            std::tuple(false, 3u, 2u, 0u));
  EXPECT_EQ(events.modes, std::vector<bool>{false});  // nothing was unlocked on the way
  dialogs.answers = {std::string("admin")};
  modes.Click(false);
  EXPECT_TRUE(modes.admin());
  modes.Click(false);
  EXPECT_EQ(dialogs.infos.back(), "Активирован режим пользователя.");  // a password is set: no warning
}

TEST_F(AccessModesTest, DamagedOrUnknownPasswordNeverOpensAdministratorMode) {
  modes.Load("ACAC9181");
  EXPECT_TRUE(modes.locked());
  // Not even what the broken text would read as, nor the empty entry.
  dialogs.answers = {std::string(), std::string("admin"), std::string("ACAC9181")};
  for (int i = 0; i < 3; ++i) modes.Click(false);
  modes.LoadUnknown();
  dialogs.answers = {std::string()};
  modes.Click(false);
  EXPECT_EQ(dialogs.warnings.size(), 4u);
  EXPECT_EQ(events.modes, (std::vector<bool>{false, false}));
}

TEST_F(AccessModesTest, PasswordChangeChecksTheOldOneAndEmptyRemovesIt) {
  modes.Load("");
  // A wrong old password, then a cancelled new one: nothing saved.
  dialogs.answers = {std::string("x"), std::string()};
  modes.Click(true);
  modes.Click(true);
  EXPECT_EQ(dialogs.warnings, (std::vector<std::string>{"Старый пароль введён неверно "}));
  EXPECT_TRUE(events.saved.empty());

  dialogs.answers = {std::string(), std::string("пароль")};
  modes.Click(true);
  EXPECT_EQ(events.saved, (std::vector<std::string>{"427080"}));
  EXPECT_EQ(dialogs.infos.back(), "Пароль успешно изменен");
  EXPECT_EQ(dialogs.asked.back(), "Изменение пароля/Введите новый пароль");
  ASSERT_TRUE(modes.admin());
  dialogs.answers = {std::string("пароль"), std::string()};
  modes.Click(true);
  EXPECT_EQ(events.saved.back(), "");
  EXPECT_FALSE(modes.passwordSet());
}
