// Chebyshev series on an interval: fitted to values at the Chebyshev
// nodes, summed with Clenshaw's recurrence together with their derivative.
#pragma once

namespace zenlume::precise {

inline constexpr int kMaxChebyshevTerms = 16;

// The k-th of `count` Chebyshev nodes in (-1, 1): cos(pi (k + 1/2) / count).
double ChebyshevNode(int k, int count);

// The `count` coefficients (count <= kMaxChebyshevTerms) of the series that
// passes through values[k] at ChebyshevNode(k, count), k = 0..count-1.
void FitChebyshev(const double *values, int count, double *coefficients);

// The series at x in [-1, 1] and its derivative with respect to x.
void SumChebyshev(const double *coefficients, int count, double x, double &value, double &derivative);

}  // namespace zenlume::precise
