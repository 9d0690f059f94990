// Numeric routines on doubles: powers, degree trigonometry, angle reduction
// and the partition sort.  Accuracy: FC, FS within an ulp of the exact
// function of the double argument; FR and FD multiply by the 80-bit
// constants and round once; FU is the exact remainder rounded once; XToTheY
// within a few ulps times |Y ln X|.
#include "internal.h"

#include <utility>

namespace qv {

double ReduceTowardZeroBeyondATurn(double x)
{
    // In doubles, x / 360 can round up to a whole n when x lies just below
    // 360 n; the remainder x - 360 q is exact here (360 q needs at most 53
    // bits and the subtraction cancels), so its sign shows that case and one
    // turn puts it right.  The result is the exact remainder rounded once,
    // as an 80-bit evaluation would give, and exact multiples of 360 give 0.
    if (std::fabs(x) < 0x1p50) {
        const double r = x - 360.0 * std::trunc(x / 360.0);
        if (x >= 0 ? r < 0 : r > 0) return r + (x >= 0 ? 360.0 : -360.0);
        return r;
    }
    const long double turns = std::trunc(static_cast<long double>(x) / 360.0L);
    return static_cast<double>(static_cast<long double>(x) - 360.0L * turns);
}

namespace {

// One round of a Hoare-style partition (the middle element as pivot, scans
// from both ends, swapping pairs on the wrong side), then the two sides.  The
// sides are disjoint, so sorting the smaller one first by recursion and the
// larger one by looping gives exactly the result of recursing into both,
// with a stack depth that grows only with log2 of the range.
void SortRange(double *a, int32_t lo, int32_t hi)
{
    while (lo < hi) {
        int32_t i = lo, j = hi;
        const double pivot = a[lo + (hi - lo) / 2];
        do {
            while (a[i] < pivot && i < hi) ++i;
            while (pivot < a[j] && j > lo) --j;
            if (i <= j) {
                std::swap(a[i], a[j]);
                ++i;
                --j;
            }
        } while (i <= j);
        const bool left = j > lo, right = i < hi;
        if (left && right) {
            if (j - lo < hi - i) {
                SortRange(a, lo, j);
                lo = i;
            } else {
                SortRange(a, i, hi);
                hi = j;
            }
        } else if (left) {
            hi = j;
        } else if (right) {
            lo = i;
        } else {
            return;
        }
    }
}

}  // namespace
}  // namespace qv

using namespace qv;

extern "C" {

double XToTheY(double X, double Y)
{
    return std::exp(Y * std::log(X));
}

double FC(double X) { return std::cos(X * kDegToRad); }
double FS(double X) { return std::sin(X * kDegToRad); }
double FR(double X) { return static_cast<double>(X * kDegToRadL); }
double FD(double X) { return static_cast<double>(X * kRadToDegL); }
double FU(double X) { return ReduceTowardZero(X); }

void QSortReal(double *A, int32_t AHigh, int32_t Lo, int32_t Hi)
{
    if (A == nullptr || Lo >= Hi) return;  // empty or one element: nothing to do
    if (Lo < 0 || Hi > AHigh) return;
    SortRange(A, Lo, Hi);
}

}  // extern "C"
