#include "model/vector.h"

#include <cmath>

namespace kosmolux {

double Vector::DistanceFrom(const Vector& other) const
{
    const double dx = XComp - other.XComp;
    const double dy = YComp - other.YComp;
    const double dz = ZComp - other.ZComp;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

void Vector::Subtract(const Vector& other)
{
    // Read each component before writing it, so that subtracting a vector
    // from itself gives exactly zero.
    XComp -= other.XComp;
    YComp -= other.YComp;
    ZComp -= other.ZComp;
}

void Vector::Add(const Vector& other)
{
    XComp += other.XComp;
    YComp += other.YComp;
    ZComp += other.ZComp;
}

double Vector::Magnitude() const
{
    return std::sqrt(XComp * XComp + YComp * YComp + ZComp * ZComp);
}

void Vector::SetComponents(double x, double y, double z)
{
    XComp = x;
    YComp = y;
    ZComp = z;
}

double Dot(const Vector& a, const Vector& b)
{
    return a.XComp * b.XComp + a.YComp * b.YComp + a.ZComp * b.ZComp;
}

Vector Cross(const Vector& a, const Vector& b)
{
    return Vector{a.YComp * b.ZComp - a.ZComp * b.YComp, a.ZComp * b.XComp - a.XComp * b.ZComp,
                  a.XComp * b.YComp - a.YComp * b.XComp};
}

Vector Scaled(const Vector& v, double factor)
{
    return Vector{v.XComp * factor, v.YComp * factor, v.ZComp * factor};
}

}  // namespace kosmolux
