#pragma once
// Typed SendMessage for the control wrappers: each wrapper member is one message with typed
// arguments and a typed result, so the casts live here once instead of in every member.
#include "framework/Platform.h"
#include <type_traits>

namespace afx_detail {

template <class To, class From>
inline To MessageCast(From v)
{
    if constexpr (std::is_pointer<From>::value || std::is_pointer<To>::value)
        return reinterpret_cast<To>(v);
    else
        return static_cast<To>(v);
}

} // namespace afx_detail

// Sends message to hWnd; wParam and lParam may be integers, enums or pointers, and the result is
// converted to R (an integer type, BOOL, a handle or a pointer).
template <class R = int, class W = WPARAM, class L = LPARAM>
inline R AfxSendTyped(HWND hWnd, UINT message, W wParam = 0, L lParam = 0)
{
    LRESULT r = ::SendMessageW(hWnd, message, afx_detail::MessageCast<WPARAM>(wParam),
                               afx_detail::MessageCast<LPARAM>(lParam));
    return afx_detail::MessageCast<R>(r);
}
