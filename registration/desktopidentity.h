#pragma once

// The names under which the desktop knows Lodex. They must match the files
// in packaging/: the desktop entry, the MIME package and the icon names.
namespace Desktop {
inline constexpr char kAppId[] = "com.quorv.Lodex";
inline constexpr char kDesktopFileName[] = "com.quorv.Lodex.desktop";
inline constexpr char kMimeType[] = "application/x-lodex-reflectors";
inline constexpr char kMimeIconName[] = "application-x-lodex-reflectors";
} // namespace Desktop
