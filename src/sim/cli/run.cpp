// The emulator program: serves the scenario's networks, or one block given on the
// command line, until SIGINT or SIGTERM.

#include "sim/cli/run.h"

#include <csignal>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <random>

#include <pthread.h>

#include "sim/capture/capture_file.h"
#include "sim/cli/options.h"
#include "sim/net/builder.h"
#include "sim/udp/network_servers.h"

namespace varnel::sim {

namespace {

std::string TimeStamp() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto millis =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min,
                local.tm_sec, static_cast<int>(millis));
  return text;
}

// Every line names its root, as several roots may be served at once.
UdpServer::LogSink ConsoleSink(const std::string& root, bool quiet) {
  return [prefix = "[" + root + "] ", quiet](UdpServer::LogKind kind, const std::string& line) {
    if (kind == UdpServer::LogKind::Problem) {
      std::cerr << TimeStamp() << ' ' << prefix << line << std::endl;
    } else if (!quiet) {
      std::cout << TimeStamp() << ' ' << prefix << line << std::endl;
    }
  };
}

std::string SideText(std::uint8_t side) {
  return side == 0 ? "Ethernet" : "channel " + std::to_string(side);
}

// What is served where, and the Routes the program will see.
void PrintNetwork(const Network& network, const Peer& local) {
  const std::vector<Device>& devices = network.Devices();
  for (const Device& d : devices) {
    std::cout << (d.master ? "    " : TimeStamp() + " root ") << d.key << ": ID "
              << int(d.block.Id()) << " \"" << d.name << "\" type " << int(d.block.Type());
    if (!d.master) {
      std::cout << ", serving " << local.Text() << ", " << devices.size() - 1
                << " devices below\n";
      continue;
    }
    std::cout << ", " << SideText(d.master_side) << " of " << devices[*d.master].key
              << ", up " << SideText(d.up_side) << ", ID Route " << NibblesText(d.id_route)
              << ", send Route " << NibblesText(d.send_route) << '\n';
  }
  std::cout << std::flush;
}

// The scenario's networks, or the one block of the command line.
NetworksBuilt NetworksOf(const Options& options) {
  if (!options.scenario.empty()) {
    return NetworksFromFile(options.scenario, SystemLocalClock(), options.faults);
  }
  std::string error;
  std::optional<Block> block = Block::Create(options.block, error);
  if (!block) return {{}, error, {}};
  NetworksBuilt built;
  built.networks.emplace_back("block", options.block.name, std::move(*block), options.address);
  built.networks.front().SetFaults(0, options.faults.Over(FaultSettings{}));
  return built;
}

bool AnyFaults(const std::vector<Network>& networks) {
  for (const Network& network : networks) {
    for (const Device& device : network.Devices()) {
      if (device.faults.Any()) return true;
    }
  }
  return false;
}

}  // namespace

int RunEmulator(int argc, char** argv) {
  const ParsedOptions parsed = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.error.empty()) {
    std::cerr << parsed.error << "\n\n" << UsageText(argv[0]);
    return 2;
  }
  const Options& options = parsed.options;
  if (options.help) {
    std::cout << UsageText(argv[0]);
    return 0;
  }
  NetworksBuilt built = NetworksOf(options);
  if (!built.error.empty()) {
    std::cerr << built.error << '\n';
    return 2;
  }

  // Block the signals before the server threads exist, so they inherit the mask
  // and sigwait below is the only place they arrive.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGINT);
  sigaddset(&stop_signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

  // A run with faults can be repeated by giving the seed it printed.
  const std::uint32_t seed = options.seed.value_or(built.seed.value_or(std::random_device()()));
  if (AnyFaults(built.networks)) std::cout << TimeStamp() << " fault seed " << seed << std::endl;
  NetworkServers servers(
      std::move(built.networks),
      [&options](const Network& network) { return ConsoleSink(network.Root().key, options.quiet); },
      seed);
  CaptureFile capture;
  if (!options.pcap.empty()) {
    if (std::string error = capture.Open(options.pcap); !error.empty()) {
      std::cerr << error << '\n';
      return 2;
    }
    servers.SetTap([&capture](const TrafficEntry& entry, const Peer& local) { capture.Add(entry, local); });
  }
  if (std::string error = servers.Start(options.port); !error.empty()) {
    std::cerr << error << '\n';
    return 1;
  }
  for (std::size_t i = 0; i < servers.Size(); ++i) {
    PrintNetwork(servers.NetworkAt(i), servers.ServerAt(i).Local());
  }

  int signal_number = 0;
  sigwait(&stop_signals, &signal_number);
  servers.Stop();
  std::cout << TimeStamp() << " stopped by signal " << signal_number << std::endl;
  return 0;
}

}  // namespace varnel::sim
