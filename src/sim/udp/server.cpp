#include "sim/udp/server.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace varnel::sim {

namespace {

// The wake descriptor ends a wait at once; the timeout is only a backstop.
constexpr int kPollTimeoutMs = 200;
// Datagrams served per wake-up before the stop flag is looked at again.
constexpr int kMaxDatagramsPerWake = 64;

}  // namespace

UdpServer::UdpServer(Handler handler, LogSink log)
    : handler_(std::move(handler)), log_(std::move(log)) {}

UdpServer::~UdpServer() { Stop(); }

std::string UdpServer::Start(const std::string& address, std::uint16_t port) {
  if (IsRunning()) return "already serving " + socket_.Local().Text();
  if (std::string error = socket_.Bind(address, port); !error.empty()) return error;
  wake_fd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (wake_fd_ < 0) {
    socket_.Close();
    return std::string("eventfd: ") + std::strerror(errno);
  }
  stop_requested_ = false;
  thread_ = std::thread([this] { Run(); });
  return {};
}

void UdpServer::Stop() {
  if (thread_.joinable()) {
    stop_requested_ = true;
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = write(wake_fd_, &one, sizeof one);
    thread_.join();
  }
  if (wake_fd_ >= 0) ::close(wake_fd_);
  wake_fd_ = -1;
  socket_.Close();
  pending_.clear();
}

void UdpServer::Run() {
  pollfd fds[2] = {{socket_.Fd(), POLLIN, 0}, {wake_fd_, POLLIN, 0}};
  while (!stop_requested_) {
    fds[0].revents = 0;
    fds[1].revents = 0;
    const int ready = poll(fds, 2, PollTimeoutMs());
    if (ready < 0 && errno != EINTR) {
      Log(LogKind::Problem, std::string("poll failed, serving stops: ") + std::strerror(errno));
      return;
    }
    if (fds[1].revents != 0) return;
    if (fds[0].revents != 0) DrainSocket();
    SendDue();
  }
}

void UdpServer::DrainSocket() {
  for (int i = 0; i < kMaxDatagramsPerWake && !stop_requested_; ++i) {
    Peer sender;
    std::string error;
    std::optional<Bytes> request = socket_.ReceiveFrom(sender, error);
    if (!error.empty()) Log(LogKind::Problem, error);
    if (!request) return;
    Serve(*request, sender);
  }
}

void UdpServer::Serve(const Bytes& request, const Peer& sender) {
  Keep({Direction::Received, sender, request});
  // Without a console (quiet, or a test) the hex text would be built for nothing,
  // on the path of every answer.
  if (log_) Log(LogKind::Traffic, "<< " + sender.Text() + "  " + HexText(request));
  Outcome outcome = handler_(request);
  if (!outcome.note.empty()) Log(LogKind::Traffic, "   " + outcome.note);
  for (Answer& answer : outcome.answers) Schedule(std::move(answer), sender);
  SendDue();
}

void UdpServer::Schedule(Answer answer, const Peer& peer) {
  const auto due = std::chrono::steady_clock::now() + answer.delay;
  const auto later = std::upper_bound(pending_.begin(), pending_.end(), due,
                                      [](auto time, const Pending& p) { return time < p.due; });
  pending_.insert(later, {due, std::move(answer.frame), peer});
}

void UdpServer::SendDue() {
  const auto now = std::chrono::steady_clock::now();
  while (!pending_.empty() && pending_.front().due <= now) {
    const Pending next = std::move(pending_.front());
    pending_.pop_front();
    Send(next.frame, next.peer);
  }
}

void UdpServer::Send(const Bytes& frame, const Peer& peer) {
  if (std::string error = socket_.SendTo(frame, peer); !error.empty()) {
    Log(LogKind::Problem, "   " + error);
    return;
  }
  Keep({Direction::Sent, peer, frame});
  if (log_) Log(LogKind::Traffic, ">> " + peer.Text() + "  " + HexText(frame));
}

int UdpServer::PollTimeoutMs() const {
  if (pending_.empty()) return kPollTimeoutMs;
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(
      pending_.front().due - std::chrono::steady_clock::now());
  return static_cast<int>(std::clamp<std::int64_t>(wait.count(), 0, kPollTimeoutMs));
}

void UdpServer::Keep(TrafficEntry entry) {
  if (tap_) tap_(entry, socket_.Local());
  record_.Add(std::move(entry));
}

void UdpServer::Log(LogKind kind, const std::string& line) const {
  if (log_) log_(kind, line);
}

}  // namespace varnel::sim
