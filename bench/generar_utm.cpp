// Points for the UTM filter benchmark: N lines "X Y" (easting, northing in
// metres with millimetres, zone 30) spread over mainland Spain's band,
// X 200,000-800,000 and Y 3,900,000-4,900,000; the same seed gives the same
// points.
//
//   generar_utm [N=1000000] [semilla=1] > puntos.txt
#include <cstdio>
#include <cstdlib>
#include <random>

int main(int argc, char** argv) {
    const long n = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 1000000;
    const unsigned long semilla = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1;
    if (n < 0) {
        std::fprintf(stderr, "uso: generar_utm [N] [semilla]\n");
        return 2;
    }
    std::mt19937_64 azar(semilla);
    std::uniform_int_distribution<long> este(200000000, 800000000);     // mm
    std::uniform_int_distribution<long> norte(3900000000, 4900000000);  // mm
    for (long i = 0; i < n; ++i) {
        const long x = este(azar);
        const long y = norte(azar);
        std::printf("%ld.%03ld %ld.%03ld\n", x / 1000, x % 1000, y / 1000, y % 1000);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
