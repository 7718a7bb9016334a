// The broadcast address of each IPv4 interface, from the operating system: getifaddrs on Linux,
// GetAdaptersAddresses on Windows. Loopback and interfaces that are down are left out.
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

#include <cstdint>

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

std::vector<std::string> BroadcastAddresses() {
    std::vector<std::string> addresses;
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
            addresses.push_back(Dotted(htonl(host)));
        }
    }
    return addresses;
}

#else

std::vector<std::string> BroadcastAddresses() {
    std::vector<std::string> addresses;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) {
        return addresses;
    }
    for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
        const unsigned flags = entry->ifa_flags;
        if (entry->ifa_addr && entry->ifa_addr->sa_family == AF_INET && entry->ifa_broadaddr &&
            (flags & IFF_UP) && (flags & IFF_BROADCAST) && !(flags & IFF_LOOPBACK)) {
            const auto* broadcast = reinterpret_cast<const sockaddr_in*>(entry->ifa_broadaddr);
            addresses.push_back(Dotted(broadcast->sin_addr.s_addr));
        }
    }
    freeifaddrs(list);
    return addresses;
}

#endif

} // namespace korvane::lancheck
