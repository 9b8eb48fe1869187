// The icon groups of IconTestGroups.dll and the icons of the controls test program, for the icon manager's
// tests. The build paints every image in one colour (cmake/make-icons.py), so that a test tells from an
// icon's pixels which image it was made from:
//   a group's image: red 5 x its width, green 7 x its bits per pixel, blue 30 x the group's number below;
//   the test program's icon for system image n: red 16 x n, green 250 - 16 x n, blue 128.
#pragma once

// Groups in the order EnumResourceNames gives them: the named group first, then by id.
// "NAMED" (number 7): 16 and 32 pixels at 8 bits.
#define ICON_GROUP_FULL 1           // 16 and 32 pixels at 4, 8 and 32 bits each
#define ICON_GROUP_SMALL_ONLY 2     // 16 pixels at 4, 8 and 32 bits
#define ICON_GROUP_LARGE_ONLY 3     // 32 pixels at 4 and 8 bits
#define ICON_GROUP_NO_WANTED_SIZE 4 // 24 and 48 pixels at 8 bits
#define ICON_GROUP_FOLDER 5         // 16 and 32 pixels at 8 bits
#define ICON_GROUP_FOLDER_NEXT 6    // 16 and 32 pixels at 8 bits
#define ICON_GROUP_NAMED_NUMBER 7

// The test program's icons: system image n is IDI_SYSTEM_FIRST + n (10 is the host's own file type).
#define IDI_SYSTEM_FIRST 500
#define IDI_MISSING 599
