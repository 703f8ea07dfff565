// Traverse files written straight from the byte layout, independently of the
// program's writer: the tests read them as a surveyor's old files.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace celvara::prueba_pol {

struct Visual {
    double hcd = 0, hci = 0, vcd = 0, vci = 0, dcd = 0, dci = 0, m = 0;
};

struct Fila {
    std::string estacion, estacionamiento, atras, adelante;
    Visual a, d;  // back and forward sightings
    double i = 0;
    std::int32_t tipoDistancia = 0, tipoVertical = 0, circulo = 400;
    bool esfRefr = false;
    std::string instrumento;
};

struct Referencia {
    std::string partida, llegada;
    double x0 = 0, y0 = 0, z0 = 0, x1 = 0, y1 = 0, z1 = 0;
    double orientPartida = 0, orientLlegada = 0;
    std::int32_t tipo = 0;
    unsigned char bh = 0, bv = 0, bd = 0;
};

inline void texto(std::string& b, std::size_t at, const std::string& s) { std::memcpy(&b[at], s.data(), s.size()); }
inline void f64(std::string& b, std::size_t at, double v) { std::memcpy(&b[at], &v, 8); }
inline void i32(std::string& b, std::size_t at, std::int32_t v) { std::memcpy(&b[at], &v, 4); }

inline std::string fila(const Fila& f) {
    std::string b(472, '\0');
    texto(b, 0, f.estacion);
    texto(b, 15, f.estacionamiento);
    texto(b, 30, f.atras);
    texto(b, 45, f.adelante);
    const double v[] = {f.a.hcd, f.a.hci, f.a.vcd, f.a.vci, f.d.hcd, f.d.hci, f.d.vcd, f.d.vci,
                        f.a.m,   f.d.m,   f.a.dcd, f.a.dci, f.d.dcd, f.d.dci, f.i};
    for (std::size_t k = 0; k < 15; ++k) f64(b, 64 + 8 * k, v[k]);
    texto(b, 184, f.instrumento);
    i32(b, 184 + 108, f.tipoDistancia);
    i32(b, 184 + 112, f.tipoVertical);
    i32(b, 184 + 116, f.circulo);
    b[184 + 124] = f.esfRefr ? 1 : 0;
    return b;
}

inline std::string referencia(const Referencia& r) {
    std::string b(168, '\0');
    texto(b, 0, r.partida);
    texto(b, 15, r.llegada);
    const double v[] = {r.x0, r.y0, r.z0, r.x1, r.y1, r.z1};
    for (std::size_t k = 0; k < 6; ++k) f64(b, 32 + 8 * k, v[k]);
    f64(b, 128, r.orientPartida);
    f64(b, 152, r.orientLlegada);
    i32(b, 160, r.tipo);
    b[164] = static_cast<char>(r.bh);
    b[165] = static_cast<char>(r.bv);
    b[166] = static_cast<char>(r.bd);
    return b;
}

inline std::string fichero(const std::vector<Fila>& filas, const Referencia& r, std::uint32_t version = 0) {
    std::string b(8, '\0');
    std::uint32_t n = static_cast<std::uint32_t>(filas.size());
    std::memcpy(&b[0], &version, 4);
    std::memcpy(&b[4], &n, 4);
    for (const auto& f : filas) b += fila(f);
    return b + referencia(r);
}

// E1 (0, 0, 0) to E3 (0, 200, 1): two legs due north, 12 mm too long, all
// orientations 0; E2 set up at 1.45 with 1.45 targets.
inline std::string norte(std::int32_t tipo = 0) {
    const int rd = 2;  // reduced distances with height differences
    return fichero({{"E1", "E1-1", "R", "E2", {200, 0, 0, 0, 0, 0, 0}, {0, 0, 0.5, 0, 100.010, 0, 0}, 0, rd},
                    {"E2", "E2-1", "E1", "E3", {200, 0, -0.504, 0, 100.014, 0, 1.45}, {0, 0, 0.520, 0, 100.000, 0, 1.45}, 1.45, rd},
                    {"E3", "E3-1", "E2", "R2", {200, 0, -0.520, 0, 100.000, 0, 0}, {}, 0, rd}},
                   {"E1", "E3", 0, 0, 0, 0, 200, 1, 0, 0, tipo});
}

inline std::vector<unsigned char> bytes(const std::string& s) { return {s.begin(), s.end()}; }

}  // namespace celvara::prueba_pol
