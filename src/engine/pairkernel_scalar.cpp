#include <algorithm>
#include <cmath>

#include "engine/pairarrays.h"

namespace kosmolux {

// The operations of CalcAcceleration and Vector::Add, in their order, on the
// gathered arrays.
bool PairKernelScalar(PairArrays& arrays, std::size_t first, std::size_t last)
{
    const double* sourceX = arrays.SourceX.data();
    const double* sourceY = arrays.SourceY.data();
    const double* sourceZ = arrays.SourceZ.data();
    const double* sourceMassG = arrays.SourceMassG.data();
    const double* sourceDiameter = arrays.SourceDiameter.data();
    const double* sourceIndex = arrays.SourceIndex.data();
    bool touching = false;
    // The padding targets would only cost time here.
    last = std::min(last, arrays.TargetCount);
    for (std::size_t t = first; t < last; ++t) {
        const double x = arrays.TargetX[t];
        const double y = arrays.TargetY[t];
        const double z = arrays.TargetZ[t];
        const double diameter = arrays.TargetDiameter[t];
        const double index = arrays.TargetIndex[t];
        double sumX = 0.0;
        double sumY = 0.0;
        double sumZ = 0.0;
        for (std::size_t s = 0; s < arrays.SourceCount; ++s) {
            if (sourceIndex[s] == index)
                continue;
            const double dx = x - sourceX[s];
            const double dy = y - sourceY[s];
            const double dz = z - sourceZ[s];
            const double r = std::sqrt(dx * dx + dy * dy + dz * dz);
            const double reach = (diameter + sourceDiameter[s]) / 2.0;
            if (reach > r || r == 0.0) {
                touching = true;
                continue;
            }
            const double inv = 1.0 / r;
            const double k = (sourceMassG[s] * inv) * inv;
            sumX += (k * (sourceX[s] - x)) * inv;
            sumY += (k * (sourceY[s] - y)) * inv;
            sumZ += (k * (sourceZ[s] - z)) * inv;
        }
        arrays.AccelerationX[t] = sumX;
        arrays.AccelerationY[t] = sumY;
        arrays.AccelerationZ[t] = sumZ;
    }
    return touching;
}

}  // namespace kosmolux
