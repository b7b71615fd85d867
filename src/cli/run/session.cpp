#include "cli/run/session.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace varnel::cli {

Session::Session(const CliOptions& options)
    : options_(options),
      program_(clock_, endpoint_, static_cast<DiscoveryEvents&>(*this), static_cast<BoardPageEvents&>(*this),
               static_cast<TerminationViewEvents&>(*this)) {
  link().settings.peerIp = options.peer;
  program_.exploration.setLimit(static_cast<std::uint8_t>(options.autofind));
  QObject::connect(&endpoint_, &net::UdpEndpoint::readyRead, [this] { OnDatagrams(); });
}

std::string Session::Start() {
  const std::uint16_t port = endpoint_.start(options_.port);
  if (port == 0) {
    return "no free local UDP port in " + std::to_string(options_.port) + ".." +
           std::to_string(net::UdpEndpoint::lastPortTried(options_.port));
  }
  link().settings.serverPort = port;
  return {};
}

void Session::OnDatagrams() {
  // The queue holds a limited number; drain between reads so nothing waits.
  while (endpoint_.hasPending()) {
    endpoint_.readPending([this] { return link().queue.count() < ReceiveQueue::kSlots; },
                          [this](const std::uint8_t* data, std::size_t n, std::string_view ip, std::uint16_t port) {
                            link().Receive(data, n, ip, port);
                          });
    link().Drain();
  }
}

bool Session::RunUntil(const std::function<bool()>& done, int timeoutMs,
                       const std::function<void(int elapsedMs)>& tick) {
  QElapsedTimer clock;
  clock.start();
  QEventLoop loop;
  QTimer timer;
  timer.setInterval(kTickMs);
  bool reached = done();
  QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
    const int elapsed = static_cast<int>(clock.elapsed());
    if (tick) tick(elapsed);
    reached = done();
    if (reached || elapsed >= timeoutMs) loop.quit();
  });
  if (reached) return true;
  timer.start();
  loop.exec();
  return reached;
}

}  // namespace varnel::cli
