// MessageMapEntry and WalkMessageMap: a window class's table from messages to its member handlers.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <variant>

namespace kestrane {

// A handler's type says what it is given and what it answers:
//   void ()           handles the message and answers 0
//   bool ()           false leaves the message to the default processing (a dialog's own, or
//                     DefWindowProc); true handles it and answers 0
//   bool (UINT)       the same, given WPARAM as a command (WM_SYSCOMMAND)
//   LRESULT (HDC)     given WPARAM as a device context; answers its result (WM_ERASEBKGND)
//   HICON ()          answers a handle (WM_QUERYDRAGICON)
template <class Target>
using MessageHandler = std::variant<void (Target::*)(), bool (Target::*)(), bool (Target::*)(UINT),
                                    LRESULT (Target::*)(HDC), HICON (Target::*)()>;

template <class Target>
struct MessageMapEntry {
    UINT message;
    UINT id;    // WM_COMMAND: the command or control id; 0 for other messages
    UINT code;  // WM_COMMAND: the notification code (BN_CLICKED is 0); 0 for other messages
    MessageHandler<Target> handler;
};

namespace message_map_detail {

template <class Target>
std::optional<LRESULT> Call(Target& target, void (Target::*handler)(), WPARAM)
{
    (target.*handler)();
    return 0;
}

template <class Target>
std::optional<LRESULT> Call(Target& target, bool (Target::*handler)(), WPARAM)
{
    return (target.*handler)() ? std::optional<LRESULT>(0) : std::nullopt;
}

template <class Target>
std::optional<LRESULT> Call(Target& target, bool (Target::*handler)(UINT), WPARAM wParam)
{
    return (target.*handler)(static_cast<UINT>(wParam)) ? std::optional<LRESULT>(0) : std::nullopt;
}

template <class Target>
std::optional<LRESULT> Call(Target& target, LRESULT (Target::*handler)(HDC), WPARAM wParam)
{
    return (target.*handler)(reinterpret_cast<HDC>(wParam));
}

template <class Target>
std::optional<LRESULT> Call(Target& target, HICON (Target::*handler)(), WPARAM)
{
    return reinterpret_cast<LRESULT>((target.*handler)());
}

}  // namespace message_map_detail

// Runs the first entry that matches the message (and, for WM_COMMAND, its id and notification
// code exactly); empty when no entry took it, so the caller goes on to its base class's map.
template <class Target, std::size_t Count>
std::optional<LRESULT> WalkMessageMap(Target& target, const MessageMapEntry<Target> (&map)[Count], UINT message,
                                      WPARAM wParam)
{
    for (const MessageMapEntry<Target>& entry : map) {
        if (entry.message != message)
            continue;
        if (message == WM_COMMAND && (entry.id != LOWORD(wParam) || entry.code != HIWORD(wParam)))
            continue;
        return std::visit([&](auto handler) { return message_map_detail::Call(target, handler, wParam); },
                          entry.handler);
    }
    return std::nullopt;
}

}  // namespace kestrane
