// The resource id of the calculator's icon, shared by the resource script and the window.
// Plain preprocessor only outside C++: the resource compilers read this file too.
#ifndef ZOBU_WIN32_ICON_RESOURCE_H
#define ZOBU_WIN32_ICON_RESOURCE_H

#define ZOBU_ICON_RESOURCE 1

#ifdef __cplusplus
namespace zobu {
inline constexpr int kIconResource = ZOBU_ICON_RESOURCE;
}  // namespace zobu
#endif

#endif
