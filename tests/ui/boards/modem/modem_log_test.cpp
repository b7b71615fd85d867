// The modem board's event log end to end: open, read every row, save, hand
// to the viewer, clear; and the clock group. The emulated root of the small
// network holds 100 entries across the ring's wrap, the last at index 83.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QFont>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

#include "eventlog/event_log.h"
#include "network_fixture.h"
#include "ui/boards/modem/log_grid_model.h"
#include "ui/boards/modem/log_page.h"
#include "ui/boards/modem/log_read_dialog.h"
#include "ui/boards/modem/modem_panel.h"

using namespace varnel;
using namespace varnel::ui;
using namespace varnel::ui::testing;

namespace {

class ModemLogTest : public NetworkTest {
 protected:
  ModemLogTest() : NetworkTest("127.0.0.186", 23910) {
    panel = f.window->findChild<ModemPanel*>("PanelVK");
    page = panel->log;
  }
  // The root's modem board on its log page: the page's read opens the log.
  void OpenLog() {
    SelectBoard("ButBrd4", [&] { return panel->tabs->isVisible(); });
    panel->tabs->setCurrentIndex(ModemPanel::kLog);
    ASSERT_TRUE(WaitFor([&] { return log().state() == kLogOpen && page->grid->isVisible(); }));
  }
  const EventLog& log() { return f.window->program().eventLog; }
  std::vector<sim::Bytes> LogRequests() {
    std::vector<sim::Bytes> out;
    for (const auto& r : RequestsTo(0x04)) {
      if (r[0] == 0x09) out.push_back(r);
    }
    return out;
  }

  ModemPanel* panel = nullptr;
  ModemLogPage* page = nullptr;
};

}  // namespace

TEST_F(ModemLogTest, ReadEveryRowThenSaveHandOffAndClear) {
  OpenLog();
  EXPECT_EQ(LogRequests().front(), (sim::Bytes{0x09, 0xFF, 0x0F}));
  const int count = log().count();
  ASSERT_GE(count, 84);  // ring indices 0..83 at least, more if the board wrote since
  EXPECT_EQ(log().first(), 0);

  page->batch->setCurrentIndex(5);  // 32 a batch
  page->readAll->click();
  auto* dialog = f.window->findChild<LogReadDialog*>("TFVKlog");
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  ASSERT_TRUE(WaitFor([&] { return !dialog->isVisible(); }, 5000));
  EXPECT_EQ(LogRequests()[1], (sim::Bytes{0x09, 0x00, 0x50}));  // row 1 is ring index 0
  EXPECT_EQ(LogRequests()[2], (sim::Bytes{0x09, 0x20, 0x50}));  // then row 33
  for (int row = 1; row <= 84; ++row) {
    ASSERT_FALSE(log().row(row)[0].empty()) << row;
    EXPECT_NE(log().row(row)[1], "*") << row;
  }
  EXPECT_EQ(page->grid->model()->rowCount(), log().rowCount() - 1);
  EXPECT_EQ(page->grid->model()->index(0, 2).data().toString(), QString::fromStdString(log().row(1)[2]));

  // A double-clicked cell's text makes every row holding it bold; a
  // double-click outside the cells takes the highlight away.
  QAbstractItemModel* model = page->grid->model();
  const QModelIndexList twos = model->match(model->index(0, 3), Qt::DisplayRole, "Канал 2", -1, Qt::MatchExactly);
  ASSERT_GE(twos.size(), 2);
  auto bold = [&](int row) { return model->index(row, 4).data(Qt::FontRole).value<QFont>().bold(); };
  page->grid->scrollTo(twos[0]);
  QTest::mouseDClick(page->grid->viewport(), Qt::LeftButton, {}, page->grid->visualRect(twos[0]).center());
  ASSERT_EQ(page->model->highlight(), "Канал 2");
  for (const QModelIndex& i : twos) EXPECT_TRUE(bold(i.row())) << i.row();
  const QModelIndexList ones = model->match(model->index(0, 3), Qt::DisplayRole, "Канал 1", 1, Qt::MatchExactly);
  ASSERT_FALSE(ones.isEmpty());
  EXPECT_EQ(bold(ones[0].row()), ones[0].row() + 1 == log().currentRow());
  QTest::mouseDClick(page->grid->viewport(), Qt::LeftButton, {}, QPoint(-5, -5));
  EXPECT_TRUE(page->model->highlight().isEmpty());

  // Saving adds ".log" and asks before replacing.
  f.dialogs.saveName = f.dir.filePath("log1");
  page->save->click();
  const QByteArray saved = ReadFile(f.dir.filePath("log1.log"));
  EXPECT_EQ(saved.count("\r\n"), count);  // a line a row, as the export's own test lays it out
  f.dialogs.answer = false;
  page->save->click();
  EXPECT_EQ(f.dialogs.confirmations.last(), "Заменить существующий файл? \n" + f.dir.filePath("log1.log"));

  // No viewer yet: the hand-off file is written all the same.
  page->view->click();
  const QString handOff = f.dir.filePath("sys/tmp_log.log");
  EXPECT_EQ(ReadFile(handOff), saved);
  EXPECT_EQ(f.dialogs.warnings.last(), "Невозможно найти файл:\n" + f.dir.filePath("sys/varnel-log-viewer"));
  // A viewer gets the file's path as its only argument.
  QFile viewer(WriteFile(f.dir.filePath("sys/varnel-log-viewer"),
                         "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > \"$(dirname \"$0\")/args\"\n"));
  viewer.setPermissions(viewer.permissions() | QFileDevice::ExeOwner);
  page->view->click();
  EXPECT_TRUE(WaitFor([&] { return ReadFile(f.dir.filePath("sys/args")) == "1|" + handOff.toUtf8(); }));

  // Clearing is a write: asked first, then 09 FF FF, and the grid goes.
  f.dialogs.answer = true;
  page->clear->click();
  EXPECT_EQ(f.dialogs.confirmations.last(), "Подтвердите запись");
  ASSERT_TRUE(WaitFor([&] { return LogRequests().back() == sim::Bytes{0x09, 0xFF, 0xFF}; }));
  EXPECT_TRUE(page->grid->isHidden());
}

TEST_F(ModemLogTest, CancellingTheReadStopsAskingAndTheClockReads) {
  OpenLog();
  page->batch->setCurrentIndex(0);  // one entry a batch: a long read
  page->readAll->click();
  auto* dialog = f.window->findChild<LogReadDialog*>("TFVKlog");
  ASSERT_TRUE(WaitFor([&] { return LogRequests().size() >= 4; }));
  dialog->cancel->click();
  EXPECT_FALSE(dialog->isVisible());
  const std::size_t asked = LogRequests().size();
  QTest::qWait(200);
  EXPECT_EQ(LogRequests().size(), asked);
  EXPECT_TRUE(dialog->progressText->text().startsWith("Прочитано: "));

  // With the log open, the read button reads the clock.
  page->clockToggle->click();
  EXPECT_TRUE(page->clock->isVisible());
  Press("ButRD");
  ASSERT_TRUE(WaitFor([&] { return RequestsTo(0x04).back() == sim::Bytes{0x08}; }));
  ASSERT_TRUE(WaitFor([&] { return page->clockTime->text() != "Время не прочитано"; }));
  EXPECT_TRUE(page->clockTime->text().contains(':')) << page->clockTime->text().toStdString();
  page->correctionUp->click();
  EXPECT_EQ(page->correction(), 1);
}
