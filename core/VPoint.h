// VPoint: a point passed by value, x then y.
#pragma once

class VPoint
{
public:
    constexpr VPoint() : x(0), y(0) {}
    constexpr VPoint(int xValue, int yValue) : x(xValue), y(yValue) {}

    int x;
    int y;
};

constexpr bool operator==(const VPoint& a, const VPoint& b)
{
    return a.x == b.x && a.y == b.y;
}
constexpr bool operator!=(const VPoint& a, const VPoint& b)
{
    return !(a == b);
}
