#pragma once
// The names of the three per-user settings.
namespace sq {

inline constexpr char kUsername[] = "Username";
inline constexpr char kPassword[] = "Password";
inline constexpr char kExclude[] = "Exclude";

}  // namespace sq
