// What passes between a published window's owner and a process that sends it a message: one
// request and one reply per message, each one datagram of a local sequenced-packet socket.
#pragma once

#include "platform/types.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

constexpr std::size_t kMaxWindowTitleBytes = 4096;

struct WindowRequest {
    UINT nMsg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    // The title the sender looked for; the owner answers only for a window of exactly this title,
    // since socket names are hashes of titles.
    std::string strTitle;
};

enum class WindowReplyStatus : std::uint32_t {
    Handled = 0,
    NoSuchWindow = 1,
};

struct WindowReply {
    WindowReplyStatus nStatus = WindowReplyStatus::NoSuchWindow;
    LRESULT nResult = 0;
};

// The largest request a reader must accept.
constexpr std::size_t kMaxWindowRequestBytes = 28 + kMaxWindowTitleBytes;

// The bytes of a request; its title is cut to kMaxWindowTitleBytes.
std::string EncodeWindowRequest(const WindowRequest& request);
// The request in the bytes, or nothing when they are not exactly one well-formed request.
std::optional<WindowRequest> ParseWindowRequest(std::string_view bytes);

std::string EncodeWindowReply(const WindowReply& reply);
// The reply in the bytes, or nothing when they are not exactly one well-formed reply.
std::optional<WindowReply> ParseWindowReply(std::string_view bytes);

// The file names of a published title in the runtime folder.
std::string WindowSocketName(std::string_view strTitle);
std::string WindowLockName(std::string_view strTitle);
