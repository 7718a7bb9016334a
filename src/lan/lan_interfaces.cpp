// This PC on the network, from the operating system: its name (in UTF-8 on both systems), and
// the address and broadcast address of each IPv4 interface (getifaddrs on Linux,
// GetAdaptersAddresses on Windows). Loopback and interfaces that are down are left out.
// Winsock's headers come before anything that may include windows.h.
#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>

#include <iphlpapi.h>
#else
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#endif

#include <asio/ip/host_name.hpp>

#include <algorithm>
#include <cstdint>

#include "core/utf8.hpp"
#include "lan/lan_guest.hpp"

namespace korvane::lancheck {

namespace {

// The dotted text of an address in network byte order.
std::string Dotted(std::uint32_t networkOrder) {
    in_addr address{};
    address.s_addr = networkOrder;
    char text[INET_ADDRSTRLEN] = {};
    return inet_ntop(AF_INET, &address, text, sizeof text) ? text : "";
}

} // namespace

#ifdef _WIN32

// The DNS host name as Windows keeps it, in UTF-16, whatever the ANSI code page.
std::string SystemPcName() {
    wchar_t name[256] = {};
    DWORD size = 256;
    if (!GetComputerNameExW(ComputerNameDnsHostname, name, &size) || size == 0) {
        return {};
    }
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, name, int(size), nullptr, 0, nullptr, nullptr);
    std::string text(std::size_t(bytes > 0 ? bytes : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, name, int(size), text.data(), bytes, nullptr, nullptr);
    return text;
}

std::vector<LanInterface> LanInterfaces() {
    std::vector<LanInterface> addresses;
    ULONG size = 16 * 1024;
    std::vector<unsigned char> buffer;
    ULONG status = ERROR_BUFFER_OVERFLOW;
    for (int attempt = 0; attempt < 3 && status == ERROR_BUFFER_OVERFLOW; ++attempt) {
        buffer.resize(size);
        status = GetAdaptersAddresses(
            AF_INET, GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER,
            nullptr, reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
    }
    if (status != NO_ERROR) {
        return addresses;
    }
    for (auto* adapter = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()); adapter;
         adapter = adapter->Next) {
        if (adapter->OperStatus != IfOperStatusUp || adapter->IfType == IF_TYPE_SOFTWARE_LOOPBACK) {
            continue;
        }
        for (auto* unicast = adapter->FirstUnicastAddress; unicast; unicast = unicast->Next) {
            const auto* ip = reinterpret_cast<const sockaddr_in*>(unicast->Address.lpSockaddr);
            const unsigned prefix = unicast->OnLinkPrefixLength;
            if (ip->sin_family != AF_INET || prefix == 0 || prefix >= 31) {
                continue;
            }
            const std::uint32_t host = ntohl(ip->sin_addr.s_addr) | (0xFFFFFFFFu >> prefix);
            addresses.push_back({Dotted(ip->sin_addr.s_addr), Dotted(htonl(host))});
        }
    }
    return addresses;
}

#else

std::string SystemPcName() {
    asio::error_code error;
    const std::string name = asio::ip::host_name(error);
    return error ? "" : name;
}

std::vector<LanInterface> LanInterfaces() {
    std::vector<LanInterface> addresses;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) {
        return addresses;
    }
    for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
        const unsigned flags = entry->ifa_flags;
        if (entry->ifa_addr && entry->ifa_addr->sa_family == AF_INET && entry->ifa_broadaddr &&
            (flags & IFF_UP) && (flags & IFF_BROADCAST) && !(flags & IFF_LOOPBACK)) {
            const auto* own = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr);
            const auto* broadcast = reinterpret_cast<const sockaddr_in*>(entry->ifa_broadaddr);
            addresses.push_back({Dotted(own->sin_addr.s_addr), Dotted(broadcast->sin_addr.s_addr)});
        }
    }
    freeifaddrs(list);
    return addresses;
}

#endif

bool IsThisPcAddress(const std::string& address) {
    const std::vector<LanInterface> lans = LanInterfaces();
    return address.starts_with("127.") ||
           std::any_of(lans.begin(), lans.end(),
                       [&](const LanInterface& lan) { return lan.address == address; });
}

std::string ThisPcName() {
    const std::string name = CutUtf8(SystemPcName(), MaxNameBytes);
    return IsShownText(name, MaxNameBytes) ? name : "unknown";
}

} // namespace korvane::lancheck
