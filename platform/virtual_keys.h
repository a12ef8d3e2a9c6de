// Windows virtual-key codes: the keyboard table of the program is indexed by
// them on every platform.
#pragma once

namespace platform::vk {

inline constexpr int kRightButton = 0x02;
inline constexpr int kBack = 0x08;
inline constexpr int kTab = 0x09;
inline constexpr int kReturn = 0x0D;
inline constexpr int kShift = 0x10;
inline constexpr int kControl = 0x11;
inline constexpr int kMenu = 0x12;  // Alt
inline constexpr int kEscape = 0x1B;
inline constexpr int kSpace = 0x20;
inline constexpr int kPrior = 0x21;  // Page Up
inline constexpr int kNext = 0x22;   // Page Down
inline constexpr int kEnd = 0x23;
inline constexpr int kHome = 0x24;
inline constexpr int kLeft = 0x25;
inline constexpr int kUp = 0x26;
inline constexpr int kRight = 0x27;
inline constexpr int kDown = 0x28;
inline constexpr int kInsert = 0x2D;
inline constexpr int kDelete = 0x2E;
inline constexpr int kNumpad0 = 0x60;
inline constexpr int kNumpad2 = 0x62;
inline constexpr int kNumpad3 = 0x63;
inline constexpr int kNumpad8 = 0x68;
inline constexpr int kNumpad9 = 0x69;
inline constexpr int kF1 = 0x70;
inline constexpr int kF8 = 0x77;
inline constexpr int kF11 = 0x7A;
inline constexpr int kF12 = 0x7B;

}  // namespace platform::vk
