#include "access/access_modes.h"

namespace varnel {

void AccessModes::Load(const std::string& storedText) {
  stored_ = ParseStoredPassword(storedText);
  Enter(stored_.kind == StoredPasswordKind::None);
}

void AccessModes::LoadUnknown() {
  stored_ = {StoredPasswordKind::Damaged, {}};
  Enter(false);
}

void AccessModes::Click(bool shiftHeld) {
  if (!shiftHeld) {
    SwitchMode();
  } else if (admin_) {
    ChangePassword();
  }
}

bool AccessModes::Matches(const std::string& entry) const {
  if (locked()) return false;
  return PasswordDigest(entry) == stored_.digest;
}

void AccessModes::SwitchMode() {
  if (!admin_) {
    const std::optional<std::string> entry = dialogs_.AskText(kModeCaption, kAskPassword);
    if (!entry) return;
    if (!Matches(*entry)) {
      dialogs_.Warning(kWrongPassword);
      return;
    }
  }
  Enter(!admin_);
  std::string message = std::string("Активирован режим ") + (admin_ ? "администратора." : "пользователя.");
  if (!admin_ && !passwordSet()) message += "\rВнимание: пароль администратора не задан.";
  dialogs_.Information(message);
}

void AccessModes::ChangePassword() {
  const std::optional<std::string> old = dialogs_.AskText(kPasswordCaption, kAskOldPassword);
  if (!old) return;
  if (!Matches(*old)) {
    dialogs_.Warning(kWrongOldPassword);
    return;
  }
  const std::optional<std::string> fresh = dialogs_.AskText(kPasswordCaption, kAskNewPassword);
  if (!fresh) return;
  dialogs_.Information(kPasswordChanged);
  const Bytes digest = PasswordDigest(*fresh);
  stored_ = {digest.empty() ? StoredPasswordKind::None : StoredPasswordKind::Digest, digest};
  events_.PasswordChanged(StoredPasswordText(digest));
}

void AccessModes::Enter(bool admin) {
  admin_ = admin;
  events_.ModeEntered(admin);
}

}  // namespace varnel
