// The resource id of the calculator's icon, shared by the resource script and the window.
#pragma once

#define ZOBU_ICON_RESOURCE 1

#ifdef __cplusplus
namespace zobu {
inline constexpr int kIconResource = ZOBU_ICON_RESOURCE;
}  // namespace zobu
#endif
