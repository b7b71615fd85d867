#pragma once
// A plain POSIX UDP client on an ephemeral loopback port, as the program would be.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "sim/wire/bytes.h"

namespace varnel::sim::loopback {

inline sockaddr_in Address(const char* ip, std::uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  inet_pton(AF_INET, ip, &address.sin_addr);
  return address;
}

class Client {
 public:
  explicit Client(const char* ip) : fd_(socket(AF_INET, SOCK_DGRAM, 0)) {
    sockaddr_in local = Address(ip, 0);
    EXPECT_EQ(bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local), 0);
    socklen_t length = sizeof local;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&local), &length);
    port_ = ntohs(local.sin_port);
  }
  ~Client() { close(fd_); }
  Client(const Client&) = delete;
  Client& operator=(const Client&) = delete;

  std::uint16_t Port() const { return port_; }

  void Send(const Bytes& bytes, const char* ip, std::uint16_t port) {
    const sockaddr_in to = Address(ip, port);
    ASSERT_EQ(sendto(fd_, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to),
                     sizeof to),
              static_cast<ssize_t>(bytes.size()));
  }

  // Empty when nothing arrives within timeout_ms.
  Bytes Receive(sockaddr_in* from = nullptr, int timeout_ms = 2000) {
    pollfd fd{fd_, POLLIN, 0};
    if (poll(&fd, 1, timeout_ms) != 1) return {};
    Bytes buffer(2048);
    sockaddr_in sender{};
    socklen_t length = sizeof sender;
    const ssize_t n = recvfrom(fd_, buffer.data(), buffer.size(), 0,
                               reinterpret_cast<sockaddr*>(&sender), &length);
    buffer.resize(n > 0 ? n : 0);
    if (from) *from = sender;
    return buffer;
  }

 private:
  int fd_;
  std::uint16_t port_ = 0;
};

}  // namespace varnel::sim::loopback
