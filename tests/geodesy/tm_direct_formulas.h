// The Transverse Mercator series written out term by term, with tan, the
// multiple-angle sines and the divisions exactly as the formulas read. The
// library evaluates the same series faster (recurrences, nested powers);
// this is the yardstick it must match.
#pragma once

#include <cmath>

namespace kalimark::direct {

struct Setup {
    double a, f, phi0, lambda0, fe, fn, k0;
};

struct Derived {
    double e2, ep2, K1, K2, K3, K4, K5;
};

inline Derived derive(const Setup& s)
{
    const double e2 = 2 * s.f - s.f * s.f;
    const double b = s.a * (1 - s.f);
    const double n = (s.a - b) / (s.a + b);
    const double a = s.a;
    return {e2,
            1 / (1 - e2) - 1,
            a * (1 - n + 1.25 * (n * n - n * n * n) + 1.265625 * (std::pow(n, 4) - std::pow(n, 5))),
            1.5 * a * (n - n * n + 0.875 * (std::pow(n, 3) - std::pow(n, 4)) + 0.859375 * std::pow(n, 5)),
            0.9375 * a * (n * n - std::pow(n, 3) + 0.75 * (std::pow(n, 4) - std::pow(n, 5))),
            35.0 / 48.0 * a * (std::pow(n, 3) - std::pow(n, 4) + 0.6875 * std::pow(n, 5)),
            0.615234375 * a * (std::pow(n, 4) - std::pow(n, 5))};
}

inline double arc(const Derived& d, double phi)
{
    return d.K1 * phi - d.K2 * std::sin(2 * phi) + d.K3 * std::sin(4 * phi) - d.K4 * std::sin(6 * phi) +
           d.K5 * std::sin(8 * phi);
}

/// Forward for a point within 90 degrees of the central meridian.
inline void forward(const Setup& s, double phi, double lambda, double& easting, double& northing)
{
    const Derived d = derive(s);
    const double dl = lambda - s.lambda0;
    const double sn = std::sin(phi), c = std::cos(phi), t = std::tan(phi);
    const double eta = d.ep2 * c * c;
    const double nu = s.a / std::sqrt(1 - d.e2 * sn * sn);
    const double k0 = s.k0;
    const double T1 = k0 * nu * sn * c / 2;
    const double T2 = k0 * nu * sn * std::pow(c, 3) * (5 - t * t + 9 * eta + 4 * eta * eta) / 24;
    const double T3 = k0 * nu * sn * std::pow(c, 5) *
                      (61 - 58 * t * t + std::pow(t, 4) + 270 * eta - 330 * t * t * eta + 445 * eta * eta +
                       324 * std::pow(eta, 3) - 680 * t * t * eta * eta + 88 * std::pow(eta, 4) -
                       600 * t * t * std::pow(eta, 3) - 192 * t * t * std::pow(eta, 4)) /
                      720;
    const double T4 =
        k0 * nu * sn * std::pow(c, 7) * (1385 - 3111 * t * t + 543 * std::pow(t, 4) - std::pow(t, 6)) / 40320;
    northing = s.fn + k0 * (arc(d, phi) - arc(d, s.phi0)) + T1 * dl * dl + T2 * std::pow(dl, 4) + T3 * std::pow(dl, 6) +
               T4 * std::pow(dl, 8);
    const double T6 = k0 * nu * c;
    const double T7 = k0 * nu * std::pow(c, 3) * (1 - t * t + eta) / 6;
    const double T8 = k0 * nu * std::pow(c, 5) *
                      (5 - 18 * t * t + std::pow(t, 4) + 14 * eta - 58 * t * t * eta + 13 * eta * eta +
                       4 * std::pow(eta, 3) - 64 * t * t * eta * eta - 24 * t * t * std::pow(eta, 3)) /
                      120;
    const double T9 = k0 * nu * std::pow(c, 7) * (61 - 479 * t * t + 179 * std::pow(t, 4) - std::pow(t, 6)) / 5040;
    easting = s.fe + T6 * dl + T7 * std::pow(dl, 3) + T8 * std::pow(dl, 5) + T9 * std::pow(dl, 7);
}

inline void inverse(const Setup& s, double easting, double northing, double& latitude, double& longitude)
{
    const Derived d = derive(s);
    const double m = arc(d, s.phi0) + (northing - s.fn) / s.k0;
    double phi = m / (s.a * (1 - d.e2));
    for (int i = 0; i < 5; ++i) {
        const double rho = s.a * (1 - d.e2) / std::pow(std::sqrt(1 - d.e2 * std::pow(std::sin(phi), 2)), 3);
        phi = phi + (m - arc(d, phi)) / rho;
    }
    const double sn2 = std::pow(std::sin(phi), 2);
    const double rho = s.a * (1 - d.e2) / std::pow(std::sqrt(1 - d.e2 * sn2), 3);
    const double nu = s.a / std::sqrt(1 - d.e2 * sn2);
    const double c = std::cos(phi), t = std::tan(phi), eta = d.ep2 * c * c;
    const double k0 = s.k0;
    double x = easting - s.fe;
    if (std::fabs(x) < 0.0001)
        x = 0;
    const double T10 = t / (2 * rho * nu * k0 * k0);
    const double T11 =
        t * (5 + 3 * t * t + eta - 4 * eta * eta - 9 * t * t * eta) / (24 * rho * std::pow(nu, 3) * std::pow(k0, 4));
    const double T12 =
        t *
        (61 + 90 * t * t + 46 * eta + 45 * std::pow(t, 4) - 252 * t * t * eta - 3 * eta * eta + 100 * std::pow(eta, 3) -
         66 * t * t * eta * eta - 90 * std::pow(t, 4) * eta + 88 * std::pow(eta, 4) + 225 * std::pow(t, 4) * eta * eta +
         84 * t * t * std::pow(eta, 3) - 192 * t * t * std::pow(eta, 4)) /
        (720 * rho * std::pow(nu, 5) * std::pow(k0, 6));
    const double T13 = t * (1385 + 3633 * t * t + 4095 * std::pow(t, 4) + 1575 * std::pow(t, 6)) /
                       (40320 * rho * std::pow(nu, 7) * std::pow(k0, 8));
    latitude = phi - T10 * x * x + T11 * std::pow(x, 4) - T12 * std::pow(x, 6) + T13 * std::pow(x, 8);
    const double T14 = 1 / (nu * c * k0);
    const double T15 = (1 + 2 * t * t + eta) / (6 * std::pow(nu, 3) * c * std::pow(k0, 3));
    const double T16 = (5 + 6 * eta + 28 * t * t - 3 * eta * eta + 8 * t * t * eta + 24 * std::pow(t, 4) -
                        4 * std::pow(eta, 3) + 4 * t * t * eta * eta + 24 * t * t * std::pow(eta, 3)) /
                       (120 * std::pow(nu, 5) * c * std::pow(k0, 5));
    const double T17 = (61 + 662 * t * t + 1320 * std::pow(t, 4) + 720 * std::pow(t, 6)) /
                       (5040 * std::pow(nu, 7) * c * std::pow(k0, 7));
    longitude = s.lambda0 + T14 * x - T15 * std::pow(x, 3) + T16 * std::pow(x, 5) - T17 * std::pow(x, 7);
}

} // namespace kalimark::direct
