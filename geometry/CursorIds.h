// The system cursors an entity asks for over its grips, as the numbers
// LoadCursor takes for the standard arrow and sizing cursors.
#pragma once

inline constexpr int kCursorArrow = 32512;
inline constexpr int kCursorSizeNWSE = 32642;
inline constexpr int kCursorSizeNESW = 32643;
inline constexpr int kCursorSizeWE = 32644;
inline constexpr int kCursorSizeNS = 32645;
inline constexpr int kCursorSizeAll = 32646;
