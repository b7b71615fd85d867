// The window offscreen: its controls found by name, as a user would use them.
#include "viewer/viewer_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTest>
#include <functional>

#include "viewer_test_support.h"

using varnel::viewer::ViewerWindow;
using viewer_test::LogLine;

namespace {

const QByteArray kReceiver = LogLine({"07.03.2026", "09:05:00", "ВК20      ", "Канал 1", "Приёмник активирован"});
const QByteArray kBreak = LogLine({"07.03.2026", "12:00:00", "СЛ30 (к.1)", "Канал 2", "Обрыв линии"});
const QByteArray kAlarms =
    LogLine({"08.03.2026", "00:00:00", "ВК20      ", "-", "Аварии: Обрыв линии (A1),Высокая температура (A4)"});
// Written with LF alone, as some tools leave it; saved back with CR LF.
const QByteArray kRate = LogLine({"-", "-", "ТР-40 (1) ", "Канал 1", "Коэффициент ошибок 1,28•10^-3"});
const QByteArray kBadTime = LogLine({"07.03.2026", "25:00:00", "ВК20      ", "Канал 1", "Сброс"});
const QByteArray kUnknown = LogLine({"Не устан.", "10:00:00", "ФПРМ      ", "-", "Неизвестное событие 0x0005 №"});
const QByteArray kSample = kReceiver + kBreak + kAlarms + kRate.chopped(2) + "\n" + kBadTime + kUnknown;

// Typed key by key: QTest::keyClicks takes ASCII alone.
void Type(QWidget* widget, const QString& text) {
  for (QChar c : text) QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QStringList ItemTexts(const QComboBox* box) {
  QStringList texts;
  for (int i = 0; i < box->count(); ++i) texts += box->itemText(i);
  return texts;
}

class ViewerWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = viewer_test::WriteFile(dir_, "sample.log", kSample);
    ASSERT_EQ(window_.openFile(path_), QString());
  }

  template <class Widget>
  Widget* child(const char* name) {
    auto* widget = window_.findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QAbstractItemModel* table() { return child<QTableView>("LogTable")->model(); }
  QString cell(int row, int column) { return table()->index(row, column).data().toString(); }
  QString count() { return child<QLabel>("LabCount")->text(); }
  QStringList shownEvents() {
    QStringList events;
    for (int row = 0; row < table()->rowCount(); ++row) events += cell(row, 4);
    return events;
  }
  void chooseBoard(const QString& text) {
    auto* box = child<QComboBox>("FilterBoard");
    box->setCurrentIndex(box->findText(text));
  }

  QTemporaryDir dir_;
  QString path_;
  ViewerWindow window_;
};

}  // namespace

TEST_F(ViewerWindowTest, ShowsCellsInTheirColumnsAndCounts) {
  QStringList headers;
  for (int column = 0; column < table()->columnCount(); ++column) headers += table()->headerData(column, Qt::Horizontal).toString();
  EXPECT_EQ(headers, QStringList({" Дата", " Время", " Плата", " Канал", " Событие"}));
  ASSERT_EQ(table()->rowCount(), 6);
  EXPECT_EQ(QStringList({cell(1, 0), cell(1, 1), cell(1, 2), cell(1, 3), cell(1, 4)}),
            QStringList({"07.03.2026", "12:00:00", "СЛ30 (к.1)", "Канал 2", "Обрыв линии"}));
  EXPECT_EQ(cell(4, 0), "ошибка");
  EXPECT_TRUE(cell(4, 4).contains("25:00:00\\tВК20")) << cell(4, 4).toStdString();
  EXPECT_TRUE(table()->index(4, 2).data(Qt::BackgroundRole).isValid());
  EXPECT_FALSE(table()->index(3, 2).data(Qt::BackgroundRole).isValid());
  EXPECT_EQ(count(), "Показано: 6 из 6, ошибочных строк: 1");
  EXPECT_EQ(ItemTexts(child<QComboBox>("FilterBoard")), QStringList({"Все платы", "ВК20", "СЛ30 (к.1)", "ТР-40 (1)", "ФПРМ"}));
  EXPECT_EQ(ItemTexts(child<QComboBox>("FilterChannel")), QStringList({"Все каналы", "-", "Канал 1", "Канал 2"}));
}

TEST_F(ViewerWindowTest, EachControlNarrowsTheTable) {
  const auto setMoment = [this](const char* name, const char* moment) {
    child<QDateTimeEdit>(name)->setDateTime(QDateTime::fromString(moment, "dd.MM.yyyy HH:mm:ss"));
  };
  struct Case {
    const char* name;
    std::function<void()> act;
    QStringList expected;
  };
  const Case cases[] = {
      {"board", [&] { chooseBoard("ВК20"); }, {"Приёмник активирован", "Аварии: Обрыв линии (A1),Высокая температура (A4)"}},
      {"channel",
       [&] { child<QComboBox>("FilterChannel")->setCurrentIndex(2); },
       {"Приёмник активирован", "Коэффициент ошибок 1,28•10^-3"}},
      {"typed text in capitals",
       [&] { Type(child<QLineEdit>("FilterText"), "ОБРЫВ"); },
       {"Обрыв линии", "Аварии: Обрыв линии (A1),Высокая температура (A4)"}},
      {"from",
       [&] { setMoment("FilterFrom", "07.03.2026 12:00:00"); child<QCheckBox>("FilterFromOn")->setChecked(true); },
       {"Обрыв линии", "Аварии: Обрыв линии (A1),Высокая температура (A4)"}},
      {"to", [&] { setMoment("FilterTo", "07.03.2026 12:00:00"); child<QCheckBox>("FilterToOn")->setChecked(true); },
       {"Приёмник активирован", "Обрыв линии"}},
      {"a bound without its check box", [&] { setMoment("FilterFrom", "01.01.2030 00:00:00"); }, shownEvents()},
      {"board and text",
       [&] { chooseBoard("ВК20"); child<QLineEdit>("FilterText")->setText("обрыв"); },
       {"Аварии: Обрыв линии (A1),Высокая температура (A4)"}},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(window_.openFile(path_), QString());  // every filter back to "all"
    c.act();
    EXPECT_EQ(shownEvents(), c.expected) << c.name;
    EXPECT_EQ(count(), QString("Показано: %1 из 6, ошибочных строк: 1").arg(c.expected.size())) << c.name;
  }
}

TEST_F(ViewerWindowTest, RangeEditorsStartAtTheFirstAndLastMoments) {
  EXPECT_EQ(child<QDateTimeEdit>("FilterFrom")->dateTime(), QDateTime(QDate(2026, 3, 7), QTime(9, 5, 0)));
  EXPECT_EQ(child<QDateTimeEdit>("FilterTo")->dateTime(), QDateTime(QDate(2026, 3, 8), QTime(0, 0, 0)));
  child<QCheckBox>("FilterFromOn")->setChecked(true);
  child<QCheckBox>("FilterToOn")->setChecked(true);
  EXPECT_EQ(table()->rowCount(), 3);  // every row with a real date
}

TEST_F(ViewerWindowTest, SavesFilteredLinesByteForByteInFileOrder) {
  const QString out = dir_.filePath("out.log");
  child<QTableView>("LogTable")->sortByColumn(0, Qt::DescendingOrder);
  ASSERT_EQ(window_.saveFiltered(out), QString());
  EXPECT_EQ(viewer_test::ReadFile(out), kReceiver + kBreak + kAlarms + kRate + kUnknown);

  chooseBoard("ВК20");
  ASSERT_EQ(window_.saveFiltered(out), QString());
  EXPECT_EQ(viewer_test::ReadFile(out), kReceiver + kAlarms);
  // The temporary file is gone once renamed.
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList({"out.log", "sample.log"}));
}

TEST_F(ViewerWindowTest, FailuresLeaveWhatIsShown) {
  EXPECT_NE(window_.saveFiltered(dir_.filePath("missing/out.log")), QString());
  EXPECT_NE(window_.openFile(dir_.filePath("missing.log")), QString());
  EXPECT_NE(window_.openFile(dir_.path()), QString());
  EXPECT_EQ(table()->rowCount(), 6);
  EXPECT_EQ(count(), "Показано: 6 из 6, ошибочных строк: 1");
}

// The time a large file takes per keystroke is measured by the viewer bench.
TEST_F(ViewerWindowTest, TypingRefiltersWithoutReloadingTheRows) {
  // A file without malformed lines: the count leaves them out.
  ASSERT_EQ(window_.openFile(viewer_test::WriteFile(dir_, "good.log", kReceiver + kBreak + kAlarms)), QString());
  QSignalSpy resets(qobject_cast<QSortFilterProxyModel*>(table())->sourceModel(), &QAbstractItemModel::modelReset);
  Type(child<QLineEdit>("FilterText"), "обрыв");
  EXPECT_EQ(resets.count(), 0);
  EXPECT_EQ(table()->rowCount(), 2);
  EXPECT_EQ(count(), "Показано: 2 из 3");
}
