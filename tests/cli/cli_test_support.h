#pragma once
// The built varnel-cli run as a process against emulated networks on this
// suite's loopback addresses, and what the emulator received meanwhile.

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>

#include "sim/net/builder.h"
#include "sim/udp/network_servers.h"

namespace varnel::cli::testing {

// Exit statuses as scripts see them.
constexpr int kLocalFailure = 1, kBadInput = 2, kNoAnswer = 3, kDeviceError = 4;

struct CliRun {
  int status = -1;
  QString out, err;
  QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

// Runs the tool with the arguments, at most a minute.
inline CliRun RunCli(const QStringList& args) {
  QProcess process;
  process.start(VARNEL_CLI_PATH, args);
  EXPECT_TRUE(process.waitForFinished(60000)) << args.join(' ').toStdString();
  CliRun run;
  run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = QString::fromUtf8(process.readAllStandardOutput());
  run.err = QString::fromUtf8(process.readAllStandardError());
  return run;
}

// A failure: nothing on standard output, one line on standard error that
// starts "varnel-cli: " and then message.
inline void ExpectFailure(const CliRun& run, int status, const QString& message) {
  EXPECT_EQ(run.status, status) << run.err.toStdString();
  EXPECT_TRUE(run.err.endsWith('\n') && run.err.count('\n') == 1 && run.err.startsWith("varnel-cli: " + message))
      << run.err.toStdString();
  EXPECT_EQ(run.out, "");
}

// A shipped scenario with its one root moved to address, edited by the
// replacements (each "old" -> "new" once).
inline std::vector<sim::Network> ScenarioOn(const char* file, const char* address,
                                            const std::vector<std::pair<QString, QString>>& edits = {}) {
  QFile in(QString(VARNEL_SIM_SCENARIO_DIR) + "/" + file);
  EXPECT_TRUE(in.open(QIODevice::ReadOnly));
  QString text = QString::fromUtf8(in.readAll()).replace("address=127.0.0.1", QString("address=") + address);
  for (const auto& [from, to] : edits) {
    EXPECT_TRUE(text.contains(from)) << from.toStdString();
    text.replace(text.indexOf(from), from.size(), to);
  }
  sim::NetworksBuilt built = sim::NetworksFromIni(text.toStdString());
  EXPECT_EQ(built.error, "");
  return std::move(built.networks);
}

class EmulatedNetwork : public ::testing::Test {
 protected:
  EmulatedNetwork(const char* scenario, const char* address, int localPort,
                  const std::vector<std::pair<QString, QString>>& edits = {})
      : EmulatedNetwork(ScenarioOn(scenario, address, edits), address, localPort) {}
  // tap sees every datagram on the emulator's thread before it is served.
  EmulatedNetwork(std::vector<sim::Network> networks, const char* address, int localPort,
                  const sim::UdpServer::Tap& tap = {})
      : address_(address), port_(localPort), servers(std::move(networks)) {
    if (tap) servers.SetTap(tap);
    EXPECT_EQ(servers.Start(), "");
  }

  // Every run here has its own local port, a quick pace and a short timeout.
  CliRun Run(const QString& command, QStringList args) {
    return RunCli(QStringList{command} + args +
                  QStringList{"--peer", address_, "--port", QString::number(port_), "--interval", "20", "--timeout", "1"});
  }
  std::size_t Received() const {
    std::size_t n = 0;
    for (const auto& e : servers.ServerAt(0).Record()) n += e.direction == sim::Direction::Received;
    return n;
  }
  // Payloads the root received for one of its boards, checksum left off.
  std::vector<sim::Bytes> RootBoardRequests(std::uint8_t board) const {
    std::vector<sim::Bytes> payloads;
    const std::uint8_t id = servers.NetworkAt(0).Root().block.Id();
    const std::uint8_t first = static_cast<std::uint8_t>(id | (board << 4));
    for (const auto& e : servers.ServerAt(0).Record()) {
      if (e.direction == sim::Direction::Received && e.bytes.size() > 3 && e.bytes[1] == first) {
        payloads.emplace_back(e.bytes.begin() + 2, e.bytes.end() - 1);
      }
    }
    return payloads;
  }

  const char* address_;
  int port_;
  sim::NetworkServers servers;
};

}  // namespace varnel::cli::testing
