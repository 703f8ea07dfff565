// Writes a GSI16 field file for timing the import: `bloques` set-ups of
// `lecturas` measurement lines each (default 1,000 x 1,000). Point numbers
// run on through the file; every line carries its instrument height (word
// 88), which changes from one set-up to the next, so the plain GSI reader
// groups the lines into exactly `bloques` set-ups.
//
//   generar_gsi16 SALIDA.gsi [bloques] [lecturas]
//   celvara-cli importar --formato 5 SALIDA.gsi -o libreta.obs
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "uso: %s SALIDA.gsi [bloques] [lecturas]\n", argv[0]);
        return 2;
    }
    const long bloques = argc > 2 ? std::atol(argv[2]) : 1000;
    const long lecturas = argc > 3 ? std::atol(argv[3]) : 1000;
    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f) {
        std::perror(argv[1]);
        return 1;
    }
    std::string linea;
    long numero = 0;
    for (long b = 0; b < bloques; ++b) {
        const long altura = 1400 + b % 500 + (b / 500) * 1000;  // mm, a new value each set-up
        for (long i = 0; i < lecturas; ++i) {
            ++numero;
            const long hz = (numero * 7919) % 40000000;
            const long v = 9000000 + (numero * 104729) % 2000000;
            const long d = 5000 + (numero * 31) % 300000;
            char b24[256];
            std::snprintf(b24, sizeof b24,
                          "*11%04ld+%016ld 21.324+%016ld 22.324+%016ld 31..00+%016ld 87..10+%016ld 88..10+%016ld \r\n",
                          numero % 10000, numero, hz, v, d, 1600L + numero % 7, altura);
            linea = b24;
            if (std::fwrite(linea.data(), 1, linea.size(), f) != linea.size()) {
                std::perror(argv[1]);
                std::fclose(f);
                return 1;
            }
        }
    }
    return std::fclose(f) == 0 ? 0 : 1;
}
