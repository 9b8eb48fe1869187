// pch.cpp: the source file that goes with the precompiled header

#include "pch.h"

// With precompiled headers this file is what the header is compiled from.
