// Equality and printing of pixel and canvas positions, for test assertions.
#pragma once

#include <kalimark/kalimark.h>

#include <ostream>

inline bool operator==(const IPoint& a, const IPoint& b)
{
    return a.x == b.x && a.y == b.y;
}

inline std::ostream& operator<<(std::ostream& out, const IPoint& p)
{
    return out << '(' << p.x << ", " << p.y << ')';
}
