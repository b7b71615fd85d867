#pragma once
// Shared pieces of the GUI tests: a settings file in a private folder, message
// boxes answered by the test, and waiting on the event loop with a deadline.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "ui/main_window/dialogs.h"
#include "ui/main_window/main_window.h"
#include "ui/widgets/trace_memo.h"

namespace varnel::ui::testing {

class RecordingDialogs : public Dialogs {
 public:
  QStringList warnings, confirmations;
  bool answer = true;
  // Runs while the question is open, as timers and answers do under a real dialog.
  std::function<void()> whileAsking;
  void warning(QWidget*, const QString& text) override { warnings << text; }
  bool confirm(QWidget*, const QString& text) override {
    confirmations << text;
    if (whileAsking) whileAsking();
    return answer;
  }
  void information(QWidget*, const QString& text) override { warnings << text; }
  // The save dialog's answer: a name (empty: cancelled) and the file type.
  QString saveName;
  bool saveAsLog = true;
  QString openName;  // the update file chosen; empty: cancelled
  QString openUpdateFile(QWidget*, const QString& current) override { return openName.isEmpty() ? current : openName; }
  // The line typed into a text question: nothing means cancelled.
  std::optional<QString> typed;
  QStringList questions;  // title, then prompt and preset
  bool inputText(QWidget*, const QString& title, const QString& prompt, QString& text) override {
    questions << title << prompt + "|" + text;
    if (!typed) return false;
    text = *typed;
    return true;
  }
  QString openFilter;  // the filter of the last modem program dialog
  QString openModemProgram(QWidget*, const QString& filter, const QString& current) override {
    openFilter = filter;
    return openName.isEmpty() ? current : openName;
  }
  QString saveLogFile(QWidget*, bool& logTypeChosen) override {
    logTypeChosen = saveAsLog;
    return saveName;
  }
  // Password entries in the order asked; none left: cancelled.
  QStringList passwords, asked;
  bool askPassword(QWidget*, const QString& caption, const QString& prompt, QString& entry) override {
    asked << caption + "/" + prompt;
    if (passwords.isEmpty()) return false;
    entry = passwords.takeFirst();
    return true;
  }
  QStringList opened;  // documents handed to the desktop
  bool openWorks = true;
  bool openDocument(const QString& path) override {
    opened << path;
    return openWorks;
  }
};

// Runs the event loop until done() holds or the time is up.
inline bool WaitFor(const std::function<bool()>& done, int timeoutMs = 3000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QTest::qWait(5);
  }
  return true;
}

// A file's bytes; empty when it cannot be read.
inline QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
// Replaces the file's contents; returns its path.
inline QString WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
  file.write(bytes);
  return path;
}
inline QString WriteFile(const QString& path, const std::vector<std::uint8_t>& bytes) {
  return WriteFile(path, QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
}

// A main window with its own settings file and answered message boxes.
struct WindowFixture {
  QTemporaryDir dir;
  RecordingDialogs dialogs;
  std::unique_ptr<MainWindow> window;

  // ini: the settings file's text; the window is created after it is written,
  // with options changed by adjust, if given.
  explicit WindowFixture(const QByteArray& ini, int recvIntervalMs = 150, int commonIntervalMs = 100,
                         const std::function<void(MainWindowOptions&)>& adjust = {}) {
    MainWindowOptions options;
    options.settingsPath = WriteFile(dir.filePath("varnel-monitor.ini"), ini);
    options.dialogs = &dialogs;
    options.recvIntervalMs = recvIntervalMs;
    options.commonIntervalMs = commonIntervalMs;
    options.mapPath = dir.filePath("map.ini");
    options.startDir = dir.path();
    if (adjust) adjust(options);
    window = std::make_unique<MainWindow>(options);
    window->show();
  }
  // Settings text naming a peer and the first local port to try.
  static QByteArray Ini(const QString& peer, int port) {
    return QString("[NET]\r\nIP=%1\r\nSRVPORT=%2\r\n").arg(peer).arg(port).toLatin1();
  }

  TraceMemo& memo() const { return *window->findChild<TraceMemo*>("Memolog"); }
  bool memoHas(const QString& part) const {
    const TraceMemo& m = memo();
    for (int i = 0; i < m.lineCount(); ++i) {
      if (m.lineAt(i).contains(part)) return true;
    }
    return false;
  }
};

}  // namespace varnel::ui::testing
