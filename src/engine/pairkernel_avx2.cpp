#include <immintrin.h>

#include "engine/pairarrays.h"

namespace kosmolux {
namespace {

// sum + value in the lanes of mask, sum elsewhere. A blend, not an added
// zero: 0.0 added to -0.0 would change the bits.
__attribute__((target("avx2"))) inline __m256d AddWhere(__m256d mask, __m256d sum, __m256d value)
{
    return _mm256_blendv_pd(sum, _mm256_add_pd(sum, value), mask);
}

}  // namespace

// Four targets at a time, each lane walking the sources in order: the same
// operations as the scalar pass, so the same bits. o - b is exactly -(b - o),
// so one difference serves both the distance and the direction.
__attribute__((target("avx2")))
bool PairKernelAvx2(PairArrays& arrays, std::size_t first, std::size_t last)
{
    const double* sourceX = arrays.SourceX.data();
    const double* sourceY = arrays.SourceY.data();
    const double* sourceZ = arrays.SourceZ.data();
    const double* sourceMassG = arrays.SourceMassG.data();
    const double* sourceDiameter = arrays.SourceDiameter.data();
    const double* sourceIndex = arrays.SourceIndex.data();
    const __m256d zero = _mm256_setzero_pd();
    const __m256d one = _mm256_set1_pd(1.0);
    const __m256d half = _mm256_set1_pd(0.5);  // x * 0.5 is exactly x / 2
    __m256d touching = zero;
    for (std::size_t t = first; t < last; t += 4) {
        const __m256d x = _mm256_loadu_pd(arrays.TargetX.data() + t);
        const __m256d y = _mm256_loadu_pd(arrays.TargetY.data() + t);
        const __m256d z = _mm256_loadu_pd(arrays.TargetZ.data() + t);
        const __m256d diameter = _mm256_loadu_pd(arrays.TargetDiameter.data() + t);
        const __m256d index = _mm256_loadu_pd(arrays.TargetIndex.data() + t);
        __m256d sumX = zero;
        __m256d sumY = zero;
        __m256d sumZ = zero;
        for (std::size_t s = 0; s < arrays.SourceCount; ++s) {
            const __m256d dx = _mm256_sub_pd(_mm256_set1_pd(sourceX[s]), x);
            const __m256d dy = _mm256_sub_pd(_mm256_set1_pd(sourceY[s]), y);
            const __m256d dz = _mm256_sub_pd(_mm256_set1_pd(sourceZ[s]), z);
            const __m256d squares = _mm256_add_pd(
                _mm256_add_pd(_mm256_mul_pd(dx, dx), _mm256_mul_pd(dy, dy)), _mm256_mul_pd(dz, dz));
            const __m256d r = _mm256_sqrt_pd(squares);
            const __m256d reach =
                _mm256_mul_pd(_mm256_add_pd(diameter, _mm256_set1_pd(sourceDiameter[s])), half);
            const __m256d other = _mm256_cmp_pd(index, _mm256_set1_pd(sourceIndex[s]), _CMP_NEQ_UQ);
            // Summed where not (reach > r) and not (r == 0), as the scalar test reads.
            const __m256d apart = _mm256_and_pd(
                other, _mm256_and_pd(_mm256_cmp_pd(reach, r, _CMP_NGT_UQ),
                                     _mm256_cmp_pd(r, zero, _CMP_NEQ_UQ)));
            touching = _mm256_or_pd(touching, _mm256_andnot_pd(apart, other));
            const __m256d inv = _mm256_div_pd(one, r);
            const __m256d k =
                _mm256_mul_pd(_mm256_mul_pd(_mm256_set1_pd(sourceMassG[s]), inv), inv);
            sumX = AddWhere(apart, sumX, _mm256_mul_pd(_mm256_mul_pd(k, dx), inv));
            sumY = AddWhere(apart, sumY, _mm256_mul_pd(_mm256_mul_pd(k, dy), inv));
            sumZ = AddWhere(apart, sumZ, _mm256_mul_pd(_mm256_mul_pd(k, dz), inv));
        }
        _mm256_storeu_pd(arrays.AccelerationX.data() + t, sumX);
        _mm256_storeu_pd(arrays.AccelerationY.data() + t, sumY);
        _mm256_storeu_pd(arrays.AccelerationZ.data() + t, sumZ);
    }
    return _mm256_movemask_pd(touching) != 0;
}

}  // namespace kosmolux
