// Encoding of window-directory requests and replies: fixed-width fields in host order (both ends
// run on the same machine), checked against the datagram's length before any field is read.
#include "platform/window_directory_protocol.h"

#include "platform/runtime_folder.h"

#include <cstring>

namespace {

constexpr char kRequestMagic[4] = {'V', 'W', 'Q', '1'};
constexpr char kReplyMagic[4] = {'V', 'W', 'R', '1'};
constexpr std::size_t kRequestHeaderBytes = 28;
constexpr std::size_t kReplyBytes = 16;
static_assert(kMaxWindowRequestBytes == kRequestHeaderBytes + kMaxWindowTitleBytes);

template <typename T> void Append(std::string& out, T value)
{
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    out.append(bytes, sizeof(T));
}

template <typename T> T Read(std::string_view bytes, std::size_t nOffset)
{
    T value;
    std::memcpy(&value, bytes.data() + nOffset, sizeof(T));
    return value;
}

} // namespace

std::string EncodeWindowRequest(const WindowRequest& request)
{
    std::string_view title = std::string_view(request.strTitle).substr(0, kMaxWindowTitleBytes);
    std::string out(kRequestMagic, sizeof kRequestMagic);
    Append<std::uint32_t>(out, request.nMsg);
    Append<std::uint64_t>(out, request.wParam);
    Append<std::int64_t>(out, request.lParam);
    Append<std::uint32_t>(out, static_cast<std::uint32_t>(title.size()));
    out += title;
    return out;
}

std::optional<WindowRequest> ParseWindowRequest(std::string_view bytes)
{
    if (bytes.size() < kRequestHeaderBytes ||
        bytes.substr(0, 4) != std::string_view(kRequestMagic, 4))
        return std::nullopt;
    std::uint32_t nTitleBytes = Read<std::uint32_t>(bytes, 24);
    if (nTitleBytes > kMaxWindowTitleBytes || bytes.size() != kRequestHeaderBytes + nTitleBytes)
        return std::nullopt;
    WindowRequest request;
    request.nMsg = Read<std::uint32_t>(bytes, 4);
    request.wParam = static_cast<WPARAM>(Read<std::uint64_t>(bytes, 8));
    request.lParam = static_cast<LPARAM>(Read<std::int64_t>(bytes, 16));
    request.strTitle = bytes.substr(kRequestHeaderBytes);
    return request;
}

std::string EncodeWindowReply(const WindowReply& reply)
{
    std::string out(kReplyMagic, sizeof kReplyMagic);
    Append<std::uint32_t>(out, static_cast<std::uint32_t>(reply.nStatus));
    Append<std::int64_t>(out, reply.nResult);
    return out;
}

std::optional<WindowReply> ParseWindowReply(std::string_view bytes)
{
    if (bytes.size() != kReplyBytes || bytes.substr(0, 4) != std::string_view(kReplyMagic, 4))
        return std::nullopt;
    std::uint32_t nStatus = Read<std::uint32_t>(bytes, 4);
    if (nStatus > static_cast<std::uint32_t>(WindowReplyStatus::NoSuchWindow))
        return std::nullopt;
    return WindowReply{static_cast<WindowReplyStatus>(nStatus),
                       static_cast<LRESULT>(Read<std::int64_t>(bytes, 8))};
}

std::string WindowSocketName(std::string_view strTitle)
{
    return RuntimeEntryName("window", strTitle, ".sock");
}

std::string WindowLockName(std::string_view strTitle)
{
    return RuntimeEntryName("window", strTitle, ".lock");
}
