// "Recalculo: Helmert 2D + h": the plane similarity that carries one set of
// coordinates onto another (a local survey onto the official grid), found by
// least squares from the points both sets name alike, and a height shift.
//
//   X' = tx + a·X − b·Y      Y' = ty + b·X + a·Y      Z' = Z + dz
//
// with equal weights; scale √(a² + b²), rotation atan2(b, a) counter-clockwise
// from the X axis. Without scale a² + b² = 1 (a rigid motion). dz is the mean
// of Z' − Z. The plane parameters are solved about the centroids, so that
// grid coordinates of millions of metres lose no digits.
#pragma once

#include <string>
#include <vector>

#include "datos/fichero_crd.h"

namespace celvara {

inline constexpr const char* kMensajePocosPuntosComunes = "Se necesitan al menos 2 puntos comunes";

struct EntradaHelmert {
    ListaPuntos origen, destino;
    // Names (Windows-1252) of the common points to use; empty: all of them.
    std::vector<std::string> elegidos;
    bool sinEscala = false;
};

struct ResiduoHelmert {
    std::string nombre;  // Windows-1252
    double vx = 0, vy = 0, vz = 0;  // destination minus transformed origin, m
    bool marcado = false;           // beyond 3σ in plan or in height
};

struct ResultadoHelmert {
    const char* error = nullptr;  // kMensajePocosPuntosComunes
    std::vector<std::string> ausentes;  // chosen names that are not in both sets
    double tx = 0, ty = 0, a = 1, b = 0, dz = 0;
    // Standard deviations of the parameters, a posteriori (0 without redundancy).
    double stx = 0, sty = 0, sa = 0, sb = 0, sdz = 0;
    double escala = 1;  // √(a² + b²)
    double giro = 0;    // atan2(b, a), gon in [0, 400)
    double sigma0 = 0;  // plan, per coordinate, m
    double sigmaZ = 0;  // of one height difference, m
    int redundancia = 0;  // plan: 2n − 4, or 2n − 3 without scale
    bool sinEscala = false;
    std::vector<ResiduoHelmert> residuos;  // in the origin's order
};

// The first point of each name in each set counts; the common ones are
// taken in the origin's order.
ResultadoHelmert calcularHelmert(const EntradaHelmert& entrada);

// One point through the transformation.
void transformarPunto(const ResultadoHelmert& r, double& x, double& y, double& z);
// Every record through it; display attributes, names and codes unchanged.
void aplicarHelmert(const ResultadoHelmert& r, ListaRegistrosCoordenadas& registros);

// The report for the report viewer (Windows-1252).
std::string textoInformeHelmert(const ResultadoHelmert& r);

}  // namespace celvara
