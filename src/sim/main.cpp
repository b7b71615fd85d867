// varnel-sim: one emulated block on a UDP port, for trying the program without hardware.

#include <csignal>
#include <cstdio>
#include <ctime>
#include <iostream>

#include <pthread.h>

#include "sim_emulator.h"
#include "sim_options.h"
#include "sim_udp_server.h"

namespace {

using varnel::sim::UdpServer;

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

UdpServer::LogSink ConsoleSink(bool quiet) {
  return [quiet](UdpServer::LogKind kind, const std::string& line) {
    if (kind == UdpServer::LogKind::Problem) {
      std::cerr << TimeStamp() << ' ' << line << std::endl;
    } else if (!quiet) {
      std::cout << TimeStamp() << ' ' << line << std::endl;
    }
  };
}

}  // namespace

int main(int argc, char** argv) {
  using namespace varnel::sim;
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
  std::string error;
  std::optional<Block> block = Block::Create(options.block, error);
  if (!block) {
    std::cerr << error << '\n';
    return 2;
  }
  const Emulator emulator(std::move(*block));

  // Block the signals before the server thread exists, so it inherits the mask
  // and sigwait below is the only place they arrive.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGINT);
  sigaddset(&stop_signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

  UdpServer server([&emulator](ByteView request) { return emulator.Handle(request); },
                   ConsoleSink(options.quiet));
  if (std::string start_error = server.Start(options.address, options.port);
      !start_error.empty()) {
    std::cerr << start_error << '\n';
    return 1;
  }
  std::cout << TimeStamp() << " block " << int(options.block.id) << " \"" << options.block.name
            << "\" type " << int(options.block.type) << " serving " << server.Local().Text()
            << std::endl;

  int signal_number = 0;
  sigwait(&stop_signals, &signal_number);
  server.Stop();
  std::cout << TimeStamp() << " stopped by signal " << signal_number << std::endl;
  return 0;
}
