// The character codes a typed key carries that mean more than the
// character: the rules and the dialog's password box both act on them.
#pragma once

inline constexpr int kBackspace = 8;
inline constexpr int kCarriageReturn = 13;
// Codes below kSpace, and kDelete, are control characters that type nothing.
inline constexpr int kSpace = 0x20;
inline constexpr int kDelete = 0x7F;
