#pragma once
// The program speaks Russian whatever the machine's locale: Qt's own texts
// (standard buttons, dialogs) are loaded in Russian, and numbers shown by Qt
// widgets use the decimal comma.

class QCoreApplication;

namespace varnel::ui {

// False when Qt's Russian translations are not installed; the program still runs.
bool InstallRussianLocale(QCoreApplication& app);

}  // namespace varnel::ui
