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
    CliRun run = Run("read", QStringList{"--device", device, "--board", board} + more);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    return run;
  }
  QJsonObject ReadJson(const QString& device, const QString& board) { return Read(device, board, {"--json"}).json(); }
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
  const QJsonObject r = ReadJson("ПС Кедровая", "modem");
  EXPECT_EQ(r["device"].toString(), "ПС Кедровая");
  EXPECT_EQ(Field(r, "Плата модема", "Версия"), "Версия программы MCU:12  FPGA:3");
  // modem_modes=master,transit,analog
  EXPECT_EQ(Field(r, "Канал 1", "Режим"), "цифр.ведущий");
  EXPECT_EQ(Field(r, "Канал 2", "Режим"), "транзит");
  EXPECT_EQ(Field(r, "Канал 3", "Режим"), "аналоговый");
  EXPECT_EQ(Field(r, "Канал 1", "Состояние приёмника"), "приём данных");

  // Пихтовый by its ID Route, with its own MCU version.
  const QJsonObject byRoute = ReadJson(".1.2.0.3", "modem");
  EXPECT_EQ(byRoute["device"].toString(), "ПС Кедровая/КП Пихтовый");
  EXPECT_EQ(Field(byRoute, "Плата модема", "Версия"), "Версия программы MCU:10  FPGA:3");

  // Two levels down, as text.
  EXPECT_TRUE(Read("ПС Кедровая/ПС Сосновая/Опора 5", "modem").out.startsWith(
      "ПС Кедровая/ПС Сосновая/Опора 5: modem\nПлата модема\n"));
}

TEST_F(ReadBoards, TerminationAmplifierAndPowerBoards) {
  const CliRun digital = Read("ПС Кедровая", "sl1", {"--json"});
  const QJsonObject d = digital.json();
  // Version 2.3 and serial 0x1000 + 16·ID + slot by default.
  EXPECT_TRUE(Field(d, "Плата окончания", "Версия").startsWith("Плата СЛ   v.2.3    №1011"));
  EXPECT_EQ(Field(d, "Плата окончания", "Модули"), "FO    FS    4W01  ");  // modules 7, 9, 13
  EXPECT_EQ(Field(d, "Передача", "Линия"), "Передача: 64,0 кбит/с");
  EXPECT_FALSE(Field(d, "Передача", "Голос 1").isEmpty());  // sl1_voice=1,2
  EXPECT_FALSE(Field(d, "Передача", "Голос 2").isEmpty());
  EXPECT_TRUE(digital.out.contains("PoE: U=48В  I=250мА"));  // sl1_poe=load

  const CliRun analog = Read("ПС Кедровая", "sl2");
  EXPECT_TRUE(analog.out.contains("Аналоговый режим\n"));
  EXPECT_FALSE(analog.out.contains("Передача"));

  const QJsonObject first = ReadJson("ПС Кедровая", "ap1");
  EXPECT_EQ(Field(first, "Усилитель", "Версия ПО"), "8");
  const QString alarms = Field(first, "Усилитель", "Аварии");  // ap6_alarms=A1,A4
  EXPECT_TRUE(alarms.contains("(A1)") && alarms.contains("(A4)") && !alarms.contains("(A3)")) << alarms.toStdString();
  EXPECT_EQ(Field(ReadJson("ПС Кедровая", "ap2"), "Усилитель", "Версия ПО"), "6");

  EXPECT_TRUE(Read("ПС Кедровая", "power").out.contains("Ответов: 1\n"));
  EXPECT_EQ(RootBoardRequests(0x0E), (std::vector<sim::Bytes>{{0x01}}));
}

TEST_F(ReadBoards, ABoardNotFittedIsNoAnswer) {
  // sl_slots=1,2
  ExpectFailure(Run("read", {"--device", "ПС Кедровая", "--board", "sl3"}), kNoAnswer,
                "no answer from board sl3 of ПС Кедровая");
}
