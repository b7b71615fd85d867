// Prints what the log viewer takes over a file of 100,000 rows (not a test):
// reading and parsing it, opening it in the shown window, each keystroke of
// a typed event filter, and sorting by date; window figures include painting.
#include <QApplication>
#include <QLineEdit>
#include <QStringEncoder>
#include <QTableView>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "viewer/log_file.h"
#include "viewer/viewer_window.h"

using namespace varnel::viewer;
using Clock_ = std::chrono::steady_clock;

namespace {

constexpr int kRows = 100'000;

double Milliseconds(Clock_::time_point since) {
  QCoreApplication::processEvents();
  return std::chrono::duration<double, std::milli>(Clock_::now() - since).count();
}

// Entries of several boards and events, two minutes apart, in Windows-1251.
QByteArray SampleLog() {
  const char* boards[] = {"ВК20      ", "СЛ30 (к.1)", "ТР-40 (1) ", "ФПРМ      ", "ПЖ05      "};
  const char* events[] = {"Приёмник активирован", "Обрыв линии", "Коэффициент ошибок 1,28•10^-3",
                          "Аварии: Обрыв линии (A1),Высокая температура (A4)", "Неизвестное событие 0x0005"};
  const QDateTime start(QDate(2025, 6, 1), QTime(0, 0, 0));
  QString text;
  for (int i = 0; i < kRows; ++i) {
    const QDateTime at = start.addSecs(120 * i);
    text += at.toString("dd.MM.yyyy\tHH:mm:ss\t") + boards[i % 5] + "\tКанал " + QString::number(1 + i % 3) + '\t' +
            events[(i / 3) % 5] + "\t\r\n";
  }
  return QStringEncoder("windows-1251").encode(text);
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  QTemporaryDir dir;
  const QString path = dir.filePath("bench.log");
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(SampleLog()) < 0) return 1;
  file.close();
  std::printf("file: %d rows, %lld bytes\n", kRows, static_cast<long long>(file.size()));

  auto since = Clock_::now();
  const LoadResult loaded = ReadLogFile(path);
  std::printf("read and parse:        %8.1f ms\n", Milliseconds(since));

  ViewerWindow window;
  window.show();
  QCoreApplication::processEvents();
  since = Clock_::now();
  window.openFile(path);
  std::printf("open in the window:    %8.1f ms\n", Milliseconds(since));

  auto* text = window.findChild<QLineEdit*>("FilterText");
  auto* table = window.findChild<QTableView*>("LogTable");
  for (const QString typed : {"о", "об", "обр", "обры", "обрыв"}) {
    since = Clock_::now();
    text->setText(typed);
    std::printf("filter \"%s\": %6d rows %8.1f ms\n", qPrintable(typed), table->model()->rowCount(), Milliseconds(since));
  }
  since = Clock_::now();
  table->sortByColumn(0, Qt::DescendingOrder);
  std::printf("sort filtered by date: %8.1f ms\n", Milliseconds(since));
  since = Clock_::now();
  text->clear();
  std::printf("clear filter, sorted:  %8.1f ms\n", Milliseconds(since));
  return loaded.rows.size() == kRows ? 0 : 1;
}
