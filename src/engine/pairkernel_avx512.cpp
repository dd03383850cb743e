#include <immintrin.h>

#include "engine/pairarrays.h"

namespace kosmolux {
namespace {

// A pair is split in two: its distance, contact test and 1 / r, and then its
// pull. The loop computes distances this many sources ahead of the pulls, so
// that no pull waits for its square root and division and the divider never
// runs dry. Four inverses in flight keep it busy and still fit in registers.
constexpr std::size_t Lead = 4;

// Eight targets, one per lane, and their sums.
struct Lanes {
    __m512d X, Y, Z, Diameter, Index;
    __m512d SumX, SumY, SumZ;
    __mmask8 Touching;
};

// r, the contact test and 1 / r of source s for every lane. o - b is exactly
// -(b - o), so one difference serves both the distance and the direction.
__attribute__((target("avx512f"), always_inline)) inline void Distance(
    const PairArrays& a, Lanes& b, std::size_t s, __m512d& inverse, __mmask8& apart)
{
    const __m512d dx = _mm512_sub_pd(_mm512_set1_pd(a.SourceX[s]), b.X);
    const __m512d dy = _mm512_sub_pd(_mm512_set1_pd(a.SourceY[s]), b.Y);
    const __m512d dz = _mm512_sub_pd(_mm512_set1_pd(a.SourceZ[s]), b.Z);
    const __m512d squares = _mm512_add_pd(
        _mm512_add_pd(_mm512_mul_pd(dx, dx), _mm512_mul_pd(dy, dy)), _mm512_mul_pd(dz, dz));
    // The zero-masked form: GCC 12 warns about the plain one's undefined source.
    const __m512d r = _mm512_maskz_sqrt_pd(0xFF, squares);
    // x * 0.5 is exactly x / 2.
    const __m512d reach = _mm512_mul_pd(
        _mm512_add_pd(b.Diameter, _mm512_set1_pd(a.SourceDiameter[s])), _mm512_set1_pd(0.5));
    const __mmask8 other =
        _mm512_cmp_pd_mask(b.Index, _mm512_set1_pd(a.SourceIndex[s]), _CMP_NEQ_UQ);
    // Summed where not (reach > r) and not (r == 0), as the scalar test reads.
    apart = _mm512_mask_cmp_pd_mask(other, reach, r, _CMP_NGT_UQ);
    apart = _mm512_mask_cmp_pd_mask(apart, r, _mm512_setzero_pd(), _CMP_NEQ_UQ);
    b.Touching |= other & static_cast<__mmask8>(~apart);
    inverse = _mm512_div_pd(_mm512_set1_pd(1.0), r);
}

// The pull of source s, added to the lanes that are apart from it.
__attribute__((target("avx512f"), always_inline)) inline void Pull(
    const PairArrays& a, Lanes& b, std::size_t s, __m512d inv, __mmask8 apart)
{
    const __m512d dx = _mm512_sub_pd(_mm512_set1_pd(a.SourceX[s]), b.X);
    const __m512d dy = _mm512_sub_pd(_mm512_set1_pd(a.SourceY[s]), b.Y);
    const __m512d dz = _mm512_sub_pd(_mm512_set1_pd(a.SourceZ[s]), b.Z);
    const __m512d k = _mm512_mul_pd(_mm512_mul_pd(_mm512_set1_pd(a.SourceMassG[s]), inv), inv);
    b.SumX = _mm512_mask_add_pd(b.SumX, apart, b.SumX, _mm512_mul_pd(_mm512_mul_pd(k, dx), inv));
    b.SumY = _mm512_mask_add_pd(b.SumY, apart, b.SumY, _mm512_mul_pd(_mm512_mul_pd(k, dy), inv));
    b.SumZ = _mm512_mask_add_pd(b.SumZ, apart, b.SumZ, _mm512_mul_pd(_mm512_mul_pd(k, dz), inv));
}

}  // namespace

// Eight targets at a time, each lane adding its sources' pulls in source
// order: the operations of the scalar pass, so the same bits.
__attribute__((target("avx512f")))
bool PairKernelAvx512(PairArrays& arrays, std::size_t first, std::size_t last)
{
    const std::size_t sources = arrays.SourceCount;
    __mmask8 touching = 0;
    for (std::size_t t = first; t < last; t += 8) {
        Lanes b{_mm512_loadu_pd(arrays.TargetX.data() + t),
                _mm512_loadu_pd(arrays.TargetY.data() + t),
                _mm512_loadu_pd(arrays.TargetZ.data() + t),
                _mm512_loadu_pd(arrays.TargetDiameter.data() + t),
                _mm512_loadu_pd(arrays.TargetIndex.data() + t),
                _mm512_setzero_pd(), _mm512_setzero_pd(), _mm512_setzero_pd(), 0};
        // Source s uses slot s % Lead. The loops over a slot are unrolled so
        // that every slot is a register of its own.
        __m512d inverse[Lead] = {};
        __mmask8 apart[Lead] = {};
#pragma GCC unroll 4
        for (std::size_t slot = 0; slot < Lead; ++slot)
            if (slot < sources)
                Distance(arrays, b, slot, inverse[slot], apart[slot]);
        std::size_t s = 0;
        for (; s + Lead <= sources; s += Lead) {
#pragma GCC unroll 4
            for (std::size_t slot = 0; slot < Lead; ++slot) {
                const __m512d inv = inverse[slot];
                const __mmask8 away = apart[slot];
                if (s + slot + Lead < sources)
                    Distance(arrays, b, s + slot + Lead, inverse[slot], apart[slot]);
                Pull(arrays, b, s + slot, inv, away);
            }
        }
#pragma GCC unroll 4
        for (std::size_t slot = 0; slot < Lead; ++slot)
            if (s + slot < sources)
                Pull(arrays, b, s + slot, inverse[slot], apart[slot]);
        _mm512_storeu_pd(arrays.AccelerationX.data() + t, b.SumX);
        _mm512_storeu_pd(arrays.AccelerationY.data() + t, b.SumY);
        _mm512_storeu_pd(arrays.AccelerationZ.data() + t, b.SumZ);
        touching |= b.Touching;
    }
    return touching != 0;
}

}  // namespace kosmolux
