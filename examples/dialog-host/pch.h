// pch.h: the precompiled header. What it includes is compiled once for every source file of the project, so
// it holds the headers that rarely change.

#ifndef PCH_H
#define PCH_H

// add headers that you want to pre-compile here
#include "framework.h"

#endif // PCH_H
