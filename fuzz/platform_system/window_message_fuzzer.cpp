// Window-directory datagrams from arbitrary bytes: whatever parses encodes back to the same bytes.
#include "platform/window_directory_protocol.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    std::string_view bytes(reinterpret_cast<const char*>(pData), nSize);
    if (std::optional<WindowRequest> request = ParseWindowRequest(bytes)) {
        if (EncodeWindowRequest(*request) != bytes)
            __builtin_trap();
    }
    if (std::optional<WindowReply> reply = ParseWindowReply(bytes)) {
        if (EncodeWindowReply(*reply) != bytes)
            __builtin_trap();
    }
    return 0;
}
