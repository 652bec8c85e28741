// Which servers of the station directory to ask. There is no single host: the
// servers are found by DNS, used in a shuffled order, one at a time, and the next one
// is tried whenever the one in use fails. A base URL set by the user replaces all of it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/network.h"

// The names the directory publishes its servers under.
inline constexpr const char* kDirectorySrvName = "_api._tcp.radio-browser.info";
inline constexpr const char* kDirectoryHostsName = "all.api.radio-browser.info";
// Where the user points the program at a directory server of their own: the key of
// the settings file, and the environment variable (which wins) for tests.
inline constexpr const char* kDirectorySection = "Directory";
inline constexpr const char* kDirectoryKey = "Server";
inline constexpr const char* kDirectoryVariable = "ZELVORA_DIRECTORY";

// The servers in the order they are tried, and the one in use.
class TServerList {
  public:
    void Set(std::vector<std::string> bases);
    bool Exhausted() const { return current_ >= bases_.size(); }
    // The server in use; empty when every one has failed.
    std::string Current() const { return Exhausted() ? std::string() : bases_[current_]; }
    // The server failed: the next one is used, unless another request moved on already.
    void Failed(const std::string& base);
    // Every server may be tried again.
    void Rewind() { current_ = 0; }
    const std::vector<std::string>& Bases() const { return bases_; }

  private:
    std::vector<std::string> bases_;
    std::size_t current_ = 0;
};

// The base URLs a setting names: one or more http:// or https:// addresses separated
// by blanks, each without its trailing slash; anything else in it is left out.
std::vector<std::string> BasesFromSetting(const std::string& setting);
// The servers SRV records name, each "https://target", with ":port" unless 443.
std::vector<std::string> BasesFromSrv(const std::vector<plat::DnsRecord>& records);
// "https://name" for each distinct name, in order.
std::vector<std::string> BasesFromNames(const std::vector<std::string>& names);
// The name a reverse lookup of the address asks for ("1.2.0.192.in-addr.arpa", the
// nibbles of an IPv6 address under ip6.arpa); empty when it is no address.
std::string ReverseLookupName(const std::string& address);
