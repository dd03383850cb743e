#pragma once

namespace kosmolux {

// Three doubles used for positions (metres), velocities (metres per second)
// and accelerations (metres per second squared). Operations change the
// receiving vector in place.
struct Vector {
    double XComp = 0.0;
    double YComp = 0.0;
    double ZComp = 0.0;

    // Square root of the squared differences, added in the order X, Y, Z.
    double DistanceFrom(const Vector& other) const;
    void Subtract(const Vector& other);
    void Add(const Vector& other);
    // Square root of X*X + Y*Y + Z*Z, added in the order X, Y, Z.
    double Magnitude() const;
    void SetComponents(double x, double y, double z);

    friend bool operator==(const Vector&, const Vector&) = default;
};

double Dot(const Vector& a, const Vector& b);
Vector Cross(const Vector& a, const Vector& b);
// Each component times the factor.
Vector Scaled(const Vector& v, double factor);

}  // namespace kosmolux
