// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/SplineTable.h"
#include <algorithm>

SplineTable::SplineTable (const std::vector<double>& abscissaeIn,
                          const std::vector<double>& ordinates)
{
    const size_t n = std::min (abscissaeIn.size (), ordinates.size ());
    if (n < 2)
        return;

    const double h = 1.0;   // grid step
    const std::vector<double>& y = ordinates;

    // Natural end conditions m[0] = m[n-1] = 0; the inner m solve the tridiagonal system
    // h m[i-1] + 4h m[i] + h m[i+1] = 3/h (y[i+1] - 2 y[i] + y[i-1]) by forward elimination
    // and back substitution.
    std::vector<double> m (n, 0.0);
    if (n > 2)
    {
        const size_t inner = n - 2;
        std::vector<double> diag (inner), rhs (inner);
        for (size_t k = 0; k < inner; ++k)
        {
            const size_t i = k + 1;
            diag[k] = 4.0 * h;
            rhs[k] = 3.0 / h * (y[i + 1] - 2.0 * y[i] + y[i - 1]);
        }
        for (size_t k = 1; k < inner; ++k)
        {
            const double factor = h / diag[k - 1];
            diag[k] -= factor * h;
            rhs[k] -= factor * rhs[k - 1];
        }
        m[inner] = rhs[inner - 1] / diag[inner - 1];
        for (size_t k = inner - 1; k-- > 0;)
            m[k + 1] = (rhs[k] - h * m[k + 2]) / diag[k];
    }

    segments.resize (n - 1);
    for (size_t i = 0; i + 1 < n; ++i)
    {
        Segment& s = segments[i];
        s.a = y[i];
        s.b = (y[i + 1] - y[i]) / h - (2.0 * m[i] + m[i + 1]) * h / 3.0;
        s.c = m[i];
        s.d = (m[i + 1] - m[i]) / (3.0 * h);
    }

    abscissae.assign (abscissaeIn.begin (), abscissaeIn.begin () + static_cast<std::ptrdiff_t> (n));
    count = static_cast<uint32_t> (n);
    offset = -static_cast<int32_t> (abscissae[0]);
    lowIndex = 0;
    highIndex = static_cast<int32_t> (n) - 2;
    offsetValue = static_cast<double> (offset);
    endValue = static_cast<double> (n - 1);
}
