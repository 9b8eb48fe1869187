/// \file
/// VPoint and its comparisons.

/// \class VPoint
/// A point passed by value, x then y, in whatever coordinates the caller uses.
///
/// \code{.cpp}
/// constexpr VPoint origin;    // (0, 0)
/// VPoint corner(640, 480);
/// if (corner != origin) ... corner.x ...
/// \endcode
#pragma once

class VPoint
{
public:
    /// The point (0, 0).
    constexpr VPoint() : x(0), y(0) {}
    /// The point (xValue, yValue).
    constexpr VPoint(int xValue, int yValue) : x(xValue), y(yValue) {}

    int x; ///< The horizontal coordinate.
    int y; ///< The vertical coordinate.
};

/// Whether both coordinates are equal.
constexpr bool operator==(const VPoint& a, const VPoint& b)
{
    return a.x == b.x && a.y == b.y;
}
/// Whether either coordinate differs.
constexpr bool operator!=(const VPoint& a, const VPoint& b)
{
    return !(a == b);
}
