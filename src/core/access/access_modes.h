#pragma once
// Administrator and user mode. In user mode the operator reads but cannot
// use the controls that change boards or blocks; administrator mode needs
// the password when one is set. Questions and messages go through
// AccessDialogs, the outcome through AccessEvents, so the rules run without
// a window.

#include <optional>
#include <string>

#include "access/password_digest.h"

namespace varnel {

constexpr const char* kModeCaption = "Изменение режима";
constexpr const char* kPasswordCaption = "Изменение пароля";
constexpr const char* kAskPassword = "Введите пароль";
constexpr const char* kAskOldPassword = "Введите старый пароль";
constexpr const char* kAskNewPassword = "Введите новый пароль";
constexpr const char* kWrongPassword = "Пароль введён неверно ";
constexpr const char* kWrongOldPassword = "Старый пароль введён неверно ";
constexpr const char* kPasswordChanged = "Пароль успешно изменен";
constexpr const char* kAdminHint =
    "Текущий режим: администратор.\rНажмите для выхода из режима администратора.\r"
    "Для смены пароля кликните с зажатой клавишей <shift>";
constexpr const char* kUserHint = "Текущий режим: пользователь";
constexpr const char* kDamagedPasswordTrace =
    "Пароль администратора в файле INI повреждён: режим администратора недоступен";

class AccessDialogs {
 public:
  virtual ~AccessDialogs() = default;
  // The operator's entry (empty preset); nothing when cancelled.
  virtual std::optional<std::string> AskText(const std::string& caption, const std::string& prompt) = 0;
  virtual void Warning(const std::string& text) = 0;
  virtual void Information(const std::string& text) = 0;
};

class AccessEvents {
 public:
  virtual ~AccessEvents() = default;
  // Show the mode and enable or disable the administrator's controls.
  virtual void ModeEntered(bool admin) = 0;
  // A new password: the settings text to store and save.
  virtual void PasswordChanged(const std::string& storedText) = 0;
};

class AccessModes {
 public:
  AccessModes(AccessDialogs& dialogs, AccessEvents& events) : dialogs_(dialogs), events_(events) {}

  // The settings' "PSW" as read: no password opens administrator mode, a
  // digest or a damaged text starts in user mode. A damaged text matches no
  // entry, so administrator mode stays closed until the file is mended.
  void Load(const std::string& storedText);
  // The settings could not be read: whether a password is set is unknown,
  // which is handled as a damaged one.
  void LoadUnknown();

  // A click on the mode button; shiftHeld: Shift was down when the button was pressed.
  void Click(bool shiftHeld);

  bool admin() const { return admin_; }
  bool locked() const { return stored_.kind == StoredPasswordKind::Damaged; }
  bool passwordSet() const { return stored_.kind != StoredPasswordKind::None; }

 private:
  void SwitchMode();
  void ChangePassword();
  bool Matches(const std::string& entry) const;
  void Enter(bool admin);

  AccessDialogs& dialogs_;
  AccessEvents& events_;
  StoredPassword stored_;
  bool admin_ = true;  // until the settings say otherwise
};

}  // namespace varnel
