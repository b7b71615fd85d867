#pragma once
// The connection keys of the settings file: which block to talk to and the
// local UDP port. The file is Windows-1251 INI beside the program.

#include <string>

#include "transport/request_state.h"
#include "transport/trace_log.h"

namespace varnel {

constexpr const char* kIniAccessError = "Нет доступа к файлу INI !";
constexpr const char* kDefaultPeerIp = "192.168.0.254";

// Reads NET/IP and NET/SRVPORT into link. A missing or unreadable file, or a
// port outside 0..65535, stops the loading with the access error in the
// trace; what was read before that point is kept. Returns false then.
bool LoadLinkSettings(const std::string& path, LinkSettings& link, TraceLog& trace);

}  // namespace varnel
