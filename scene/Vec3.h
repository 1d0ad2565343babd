#pragma once
#include <cmath>

// A point or direction in world units.
struct Vec3 {
    double x = 0.0, y = 0.0, z = 0.0;
};

inline Vec3 operator+(Vec3 a, Vec3 b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(Vec3 a, double s)
{
    return {a.x * s, a.y * s, a.z * s};
}
inline double dot(Vec3 a, Vec3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline double length(Vec3 a)
{
    return std::sqrt(dot(a, a));
}

// The zero vector stays zero rather than becoming NaN.
inline Vec3 normalised(Vec3 a)
{
    const double n = length(a);
    return n > 0.0 ? a * (1.0 / n) : a;
}
