#include <immintrin.h>

#include "engine/pairarrays.h"

namespace kosmolux {

// Eight targets at a time, each lane walking the sources in order: the same
// operations as the scalar pass, so the same bits. o - b is exactly -(b - o),
// so one difference serves both the distance and the direction.
__attribute__((target("avx512f")))
bool PairKernelAvx512(PairArrays& arrays, std::size_t first, std::size_t last)
{
    const double* sourceX = arrays.SourceX.data();
    const double* sourceY = arrays.SourceY.data();
    const double* sourceZ = arrays.SourceZ.data();
    const double* sourceMassG = arrays.SourceMassG.data();
    const double* sourceDiameter = arrays.SourceDiameter.data();
    const double* sourceIndex = arrays.SourceIndex.data();
    const __m512d zero = _mm512_setzero_pd();
    const __m512d one = _mm512_set1_pd(1.0);
    const __m512d half = _mm512_set1_pd(0.5);  // x * 0.5 is exactly x / 2
    __mmask8 touching = 0;
    for (std::size_t t = first; t < last; t += 8) {
        const __m512d x = _mm512_loadu_pd(arrays.TargetX.data() + t);
        const __m512d y = _mm512_loadu_pd(arrays.TargetY.data() + t);
        const __m512d z = _mm512_loadu_pd(arrays.TargetZ.data() + t);
        const __m512d diameter = _mm512_loadu_pd(arrays.TargetDiameter.data() + t);
        const __m512d index = _mm512_loadu_pd(arrays.TargetIndex.data() + t);
        __m512d sumX = zero;
        __m512d sumY = zero;
        __m512d sumZ = zero;
        for (std::size_t s = 0; s < arrays.SourceCount; ++s) {
            const __m512d dx = _mm512_sub_pd(_mm512_set1_pd(sourceX[s]), x);
            const __m512d dy = _mm512_sub_pd(_mm512_set1_pd(sourceY[s]), y);
            const __m512d dz = _mm512_sub_pd(_mm512_set1_pd(sourceZ[s]), z);
            const __m512d squares = _mm512_add_pd(
                _mm512_add_pd(_mm512_mul_pd(dx, dx), _mm512_mul_pd(dy, dy)), _mm512_mul_pd(dz, dz));
            // The zero-masked form: GCC 12 warns about the plain one's undefined source.
            const __m512d r = _mm512_maskz_sqrt_pd(0xFF, squares);
            const __m512d reach =
                _mm512_mul_pd(_mm512_add_pd(diameter, _mm512_set1_pd(sourceDiameter[s])), half);
            const __mmask8 other =
                _mm512_cmp_pd_mask(index, _mm512_set1_pd(sourceIndex[s]), _CMP_NEQ_UQ);
            // Summed where not (reach > r) and not (r == 0), as the scalar test reads.
            __mmask8 apart = _mm512_mask_cmp_pd_mask(other, reach, r, _CMP_NGT_UQ);
            apart = _mm512_mask_cmp_pd_mask(apart, r, zero, _CMP_NEQ_UQ);
            touching |= other & static_cast<__mmask8>(~apart);
            const __m512d inv = _mm512_div_pd(one, r);
            const __m512d k =
                _mm512_mul_pd(_mm512_mul_pd(_mm512_set1_pd(sourceMassG[s]), inv), inv);
            sumX = _mm512_mask_add_pd(sumX, apart, sumX, _mm512_mul_pd(_mm512_mul_pd(k, dx), inv));
            sumY = _mm512_mask_add_pd(sumY, apart, sumY, _mm512_mul_pd(_mm512_mul_pd(k, dy), inv));
            sumZ = _mm512_mask_add_pd(sumZ, apart, sumZ, _mm512_mul_pd(_mm512_mul_pd(k, dz), inv));
        }
        _mm512_storeu_pd(arrays.AccelerationX.data() + t, sumX);
        _mm512_storeu_pd(arrays.AccelerationY.data() + t, sumY);
        _mm512_storeu_pd(arrays.AccelerationZ.data() + t, sumZ);
    }
    return touching != 0;
}

}  // namespace kosmolux
