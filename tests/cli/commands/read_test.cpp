// read against the emulated small network: what each board prints follows
// from the scenario's keys for that board.
#include <QJsonArray>

#include "cli_test_support.h"

using namespace varnel;
using namespace varnel::cli::testing;

namespace {

class ReadBoards : public EmulatedNetwork {
 protected:
  ReadBoards() : EmulatedNetwork("small.ini", "127.0.0.132", 20132) {}

  CliRun Read(const QString& device, const QString& board, QStringList more = {}) {
    return Run("read", QStringList{"--device", device, "--board", board} + more);
  }
  // The value of a field in a section of a JSON report; "" when missing.
  static QString Field(const QJsonObject& report, const QString& section, const QString& name) {
    for (const QJsonValue& s : report["sections"].toArray()) {
      if (s.toObject()["title"].toString() != section) continue;
      for (const QJsonValue& f : s.toObject()["fields"].toArray()) {
        if (f.toObject()["name"].toString() == name) return f.toObject()["value"].toString();
      }
    }
    return {};
  }
};

}  // namespace

TEST_F(ReadBoards, ModemVersionsAndChannelModesByPathAndByIdRoute) {
  const CliRun root = Read("ПС Кедровая", "modem", {"--json"});
  ASSERT_EQ(root.status, 0) << root.err.toStdString();
  const QJsonObject r = root.json();
  EXPECT_EQ(r["device"].toString(), "ПС Кедровая");
  EXPECT_EQ(Field(r, "Плата модема", "Версия"), "Версия программы MCU:12  FPGA:3");
  // modem_modes=master,transit,analog
  EXPECT_EQ(Field(r, "Канал 1", "Режим"), "цифр.ведущий");
  EXPECT_EQ(Field(r, "Канал 2", "Режим"), "транзит");
  EXPECT_EQ(Field(r, "Канал 3", "Режим"), "аналоговый");
  EXPECT_EQ(Field(r, "Канал 1", "Состояние приёмника"), "приём данных");

  // Пихтовый by its ID Route: MCU 10, modes slave, master, transit.
  const CliRun byRoute = Read(".1.2.0.3", "modem", {"--json"});
  ASSERT_EQ(byRoute.status, 0) << byRoute.err.toStdString();
  EXPECT_EQ(byRoute.json()["device"].toString(), "ПС Кедровая/КП Пихтовый");
  EXPECT_EQ(Field(byRoute.json(), "Плата модема", "Версия"), "Версия программы MCU:10  FPGA:3");
  EXPECT_EQ(Field(byRoute.json(), "Канал 1", "Режим"), "цифр.ведомый");

  // Two levels down, as text.
  const CliRun deep = Read("ПС Кедровая/ПС Сосновая/Опора 5", "modem");
  ASSERT_EQ(deep.status, 0) << deep.err.toStdString();
  EXPECT_TRUE(deep.out.startsWith("ПС Кедровая/ПС Сосновая/Опора 5: modem\nПлата модема\n"));
}

TEST_F(ReadBoards, TerminationBoardsDigitalWithVoicesAndPoeThenAnalog) {
  const CliRun digital = Read("ПС Кедровая", "sl1", {"--json"});
  ASSERT_EQ(digital.status, 0) << digital.err.toStdString();
  const QJsonObject d = digital.json();
  // Version 2.3 and serial 0x1000 + 16·ID + slot by default.
  EXPECT_TRUE(Field(d, "Плата окончания", "Версия").startsWith("Плата СЛ   v.2.3    №1011"));
  EXPECT_EQ(Field(d, "Плата окончания", "Модули"), "FO    FS    4W01  ");  // modules 7, 9, 13
  EXPECT_EQ(Field(d, "Передача", "Линия"), "Передача: 64,0 кбит/с");
  EXPECT_FALSE(Field(d, "Передача", "Голос 1").isEmpty());  // sl1_voice=1,2
  EXPECT_FALSE(Field(d, "Передача", "Голос 2").isEmpty());
  EXPECT_TRUE(digital.out.contains("PoE: U=48В  I=250мА"));  // sl1_poe=load

  const CliRun analog = Read("ПС Кедровая", "sl2");
  ASSERT_EQ(analog.status, 0) << analog.err.toStdString();
  EXPECT_TRUE(analog.out.contains("Аналоговый режим\n"));
  EXPECT_FALSE(analog.out.contains("Передача"));
}

TEST_F(ReadBoards, AmplifiersAndPowerBoard) {
  const CliRun first = Read("ПС Кедровая", "ap1", {"--json"});
  ASSERT_EQ(first.status, 0) << first.err.toStdString();
  EXPECT_EQ(Field(first.json(), "Усилитель", "Версия ПО"), "8");
  const QString alarms = Field(first.json(), "Усилитель", "Аварии");  // ap6_alarms=A1,A4
  EXPECT_TRUE(alarms.contains("(A1)") && alarms.contains("(A4)") && !alarms.contains("(A3)")) << alarms.toStdString();

  const CliRun second = Read("ПС Кедровая", "ap2", {"--json"});
  ASSERT_EQ(second.status, 0);
  EXPECT_EQ(Field(second.json(), "Усилитель", "Версия ПО"), "6");

  const CliRun power = Read("ПС Кедровая", "power");
  ASSERT_EQ(power.status, 0);
  EXPECT_TRUE(power.out.contains("Ответов: 1\n"));
  EXPECT_EQ(RootBoardRequests(0x0E), (std::vector<sim::Bytes>{{0x01}}));
}

TEST_F(ReadBoards, ABoardNotFittedIsNoAnswer) {
  const CliRun run = Read("ПС Кедровая", "sl3");  // sl_slots=1,2
  EXPECT_EQ(run.status, 3);
  EXPECT_TRUE(run.oneErrorLine()) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains("no answer from board sl3 of ПС Кедровая")) << run.err.toStdString();
  EXPECT_EQ(run.out, "");
}
