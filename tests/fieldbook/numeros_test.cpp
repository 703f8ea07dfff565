// The fixed-point writer against the C library's "%.*f" on the values that
// decide rounding: halfway cases, negative zero, tiny, large and random ones.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "fieldbook/numeros.h"

namespace celvara {
namespace {

std::string conPrintf(double v, int d) {
    char b[400];
    std::snprintf(b, sizeof b, "%.*f", d, v);
    return b;
}

std::string conEscribirFijo(double v, int d) {
    char b[400];
    char* fin = escribirFijo(b, b + sizeof b, v, d);
    return fin ? std::string(b, fin) : "(no cabe)";
}

TEST(EscribirFijo, MismosCaracteresQuePrintf) {
    const double casos[] = {0.0,    -0.0,   0.125,   0.375,  2.5,      -2.5,   0.5,         1.5,
                            1e-300, -1e-20, 5e-324,  1e15,   9.5e18,   1e19,   1e300,       -1e300,
                            0.9996, -3.0,   40.0001, 1234.5, 0.000005, 0.0005, 4477700.1235};
    for (const double v : casos)
        for (int d = 0; d <= 18; ++d) EXPECT_EQ(conEscribirFijo(v, d), conPrintf(v, d)) << v << " %." << d;

    std::mt19937_64 azar(7);
    std::uniform_int_distribution<std::uint64_t> bits;
    std::uniform_real_distribution<double> comun(-5e6, 5e6);
    for (int i = 0; i < 200000; ++i) {
        const double v = i % 2 ? comun(azar) : std::bit_cast<double>(bits(azar));
        const int d = i % 19;
        ASSERT_EQ(conEscribirFijo(v, d), conPrintf(v, d)) << v << " %." << d;
    }
}

TEST(EscribirFijo, NoEscribeFueraDelHueco) {
    char b[8];
    EXPECT_EQ(escribirFijo(b, b + sizeof b, 12345.678, 3), nullptr);
    EXPECT_EQ(escribirFijo(b, b + 4, 1.25, 3), nullptr);
    EXPECT_EQ(escribirFijo(b, b + 4, 1.25, 2), b + 4);
    EXPECT_EQ(conEscribirFijo(std::numeric_limits<double>::quiet_NaN(), 3), conPrintf(std::nan(""), 3));
    EXPECT_EQ(conEscribirFijo(-std::numeric_limits<double>::infinity(), 3), "-inf");
}

}  // namespace
}  // namespace celvara
