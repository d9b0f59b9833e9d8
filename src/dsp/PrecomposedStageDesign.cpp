// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/PrecomposedStageDesign.h"

namespace {

// Coefficient of z^-k in (1 - z^-1)^m (1 + z^-1)^(n - m): the image of (s/K)^m once the
// substitution s = K (1 - z^-1) / (1 + z^-1) is cleared of its denominators (1 + z^-1)^n.
long double bilinearWeight (int n, int k, int m) noexcept
{
    long double poly[6] = {1.0L, 0.0L, 0.0L, 0.0L, 0.0L, 0.0L};
    for (int factor = 0; factor < n; ++factor)
    {
        const long double sign = factor < m ? -1.0L : 1.0L;
        for (int j = factor + 1; j > 0; --j)
            poly[j] += sign * poly[j - 1];
    }
    return poly[k];
}

}   // namespace

template <std::size_t Terms, int MaxOrder>
void PrecomposedStageDesign<Terms, MaxOrder>::prepare (
    const pedal::circuits::StageTable<Terms>* table, double rateHz) noexcept
{
    source = nullptr;
    tableOrder = 0;
    for (auto& row : rows)
        for (auto& entry : row)
            entry = FourDoubles {0.0, 0.0, 0.0, 0.0};
    if (table == nullptr)
        return;

    // The order is the highest power of s with a denominator coefficient (each power has one row).
    int order = 0;
    int lead = -1;
    for (int r = 0; r < 6; ++r)
    {
        const auto& row = table->rows[r];
        if (row.sPower < 0 || row.sPower > 5 || (lead >= 0 && row.sPower <= order))
            continue;
        for (std::size_t i = 0; i < Terms; ++i)
            if (row.den[i] != 0.0)
            {
                order = row.sPower;
                lead = r;
                break;
            }
    }
    if (lead < 0 || order > MaxOrder)
        return;

    // s-domain coefficients per power and term; numerator powers above the order are dropped.
    long double p[MaxOrder + 1][Terms] = {};
    long double q[MaxOrder + 1][Terms] = {};
    for (const auto& row : table->rows)
        if (row.sPower >= 0 && row.sPower <= order)
            for (std::size_t i = 0; i < Terms; ++i)
            {
                p[row.sPower][i] = row.num[i];
                q[row.sPower][i] = row.den[i];
            }

    const long double k = 2.0L * static_cast<long double> (rateHz);
    for (int z = 0; z <= order; ++z)
        for (std::size_t i = 0; i < Terms; ++i)
        {
            long double num = 0.0L;
            long double den = 0.0L;
            long double kPow = 1.0L;
            for (int m = 0; m <= order; ++m)
            {
                const long double w = bilinearWeight (order, z, m) * kPow;
                num += w * p[m][i];
                den += w * q[m][i];
                kPow *= k;
            }
            const double n = static_cast<double> (num);
            const double d = static_cast<double> (den);
            rows[z][i] = FourDoubles {n, d, n, d};
        }
    source = table;
    leadingRow = lead;
    tableOrder = order;
}

template class PrecomposedStageDesign<3, 3>;
template class PrecomposedStageDesign<9, 3>;
template class PrecomposedStageDesign<5, 4>;
