#include "chebyshev.h"

#include <cmath>

namespace zenlume::precise {

double ChebyshevNode(int k, int count) { return std::cos(M_PI * (k + 0.5) / count); }

void FitChebyshev(const double *values, int count, double *coefficients)
{
    // The discrete orthogonality of T_j at the nodes: c_j = (2/n) sum f_k
    // T_j(x_k), with half the weight for c_0.
    for (int j = 0; j < count; ++j) {
        double sum = 0;
        for (int k = 0; k < count; ++k) sum += values[k] * std::cos(M_PI * j * (k + 0.5) / count);
        coefficients[j] = sum * (j == 0 ? 1.0 : 2.0) / count;
    }
}

void SumChebyshev(const double *c, int count, double x, double &value, double &derivative)
{
    // Clenshaw for the series; the derivative from T_j' = j U_{j-1}, summed
    // by the same recurrence for the U polynomials.
    double b1 = 0, b2 = 0, d1 = 0, d2 = 0;
    for (int j = count - 1; j >= 1; --j) {
        const double b = 2 * x * b1 - b2 + c[j];
        b2 = b1;
        b1 = b;
        const double d = 2 * x * d1 - d2 + j * c[j];
        d2 = d1;
        d1 = d;
    }
    value = x * b1 - b2 + c[0];
    derivative = d1;
}

}  // namespace zenlume::precise
