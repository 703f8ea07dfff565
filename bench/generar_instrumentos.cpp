// Writes the fixed data folder that the program ships (data/vestrum): the
// instrument library instrumentos.apa with a few common total stations, the
// placeholder job data datos_empresa.prt, and the default pictures foto0.bmp
// (instrument photograph) and logo.bmp (company bitmap).
//
//   generar_instrumentos CARPETA
//
// The instrument values are the nominal figures of the makers' published data
// sheets: telescope magnification, standard deviation of a direction (ISO
// 17123-3 / DIN 18723) for both the "Error" and "Precisión" fields, display
// resolution, distance accuracy with one prism (mm + ppm), range with one and
// with three prisms in average conditions (0 where the sheet gives none),
// circular level sensitivity ('/2 mm), compensator setting accuracy (cc) and
// compensator axes. Angles are in centesimal seconds: 1" = 3.09 cc,
// 0.1 mgon = 1 cc. Check them against your own instrument's certificate.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "datos/datos_trabajo.h"
#include "datos/instrumentos.h"
#include "fieldbook/avisos.h"
#include "fieldbook/bytes.h"

namespace {

using namespace celvara;

struct Ficha {
    const char* nombre;
    const char* marca;
    int aumentos;
    float angularCc;      // direction std. dev., horizontal and vertical
    float lecturaCc;
    int alcance1P, alcance3P;
    float mm, ppm;
    int nivelEsfericoMin;
    int compensadorCc;
    int ejes;
};

// "ESTANDAR" first: it is the instrument name the settings give every new
// set-up, and the computations fall back on the first record.
const Ficha kFichas[] = {
    {"ESTANDAR", "GENERICA", 30, 15.0f, 3.0f, 3000, 4000, 2.0f, 2.0f, 8, 5, 2},
    {"LEICA TS06 PLUS 5\"", "LEICA", 30, 15.0f, 1.0f, 3500, 0, 1.5f, 2.0f, 6, 5, 4},
    {"LEICA TS16 1\"", "LEICA", 30, 3.0f, 1.0f, 3500, 0, 1.0f, 1.5f, 6, 2, 4},
    {"LEICA TCR1103", "LEICA", 30, 10.0f, 1.0f, 3000, 3500, 2.0f, 2.0f, 4, 1, 2},
    {"LEICA TCR307", "LEICA", 30, 20.0f, 5.0f, 3500, 5000, 2.0f, 2.0f, 6, 7, 2},
    {"TOPCON GTS-229", "TOPCON", 30, 30.0f, 2.0f, 2000, 2700, 2.0f, 2.0f, 10, 3, 2},
    {"SOKKIA SET5F", "SOKKIA", 30, 15.0f, 2.0f, 2200, 2900, 3.0f, 2.0f, 10, 3, 2},
    {"TRIMBLE S7 1\"", "TRIMBLE", 30, 3.0f, 1.0f, 2500, 0, 1.0f, 2.0f, 8, 2, 2},
};

// 24-bit bottom-up BMP from a colour function.
template <class Color>
bool escribirBmp(const std::filesystem::path& ruta, int ancho, int alto, Color color) {
    const int fila = (ancho * 3 + 3) & ~3;
    const std::uint32_t tamanoDatos = static_cast<std::uint32_t>(fila * alto);
    std::vector<unsigned char> b(54 + tamanoDatos, 0);
    b[0] = 'B';
    b[1] = 'M';
    bytes::escribirU32(&b[2], static_cast<std::uint32_t>(b.size()));
    bytes::escribirU32(&b[10], 54);
    bytes::escribirU32(&b[14], 40);
    bytes::escribirI32(&b[18], ancho);
    bytes::escribirI32(&b[22], alto);
    bytes::escribirU16(&b[26], 1);
    bytes::escribirU16(&b[28], 24);
    bytes::escribirU32(&b[34], tamanoDatos);
    bytes::escribirI32(&b[38], 2835);
    bytes::escribirI32(&b[42], 2835);
    for (int y = 0; y < alto; ++y)
        for (int x = 0; x < ancho; ++x) {
            const std::uint32_t rgb = color(x, alto - 1 - y);
            unsigned char* p = &b[54 + static_cast<std::size_t>(y * fila + x * 3)];
            p[0] = static_cast<unsigned char>(rgb);        // blue
            p[1] = static_cast<unsigned char>(rgb >> 8);   // green
            p[2] = static_cast<unsigned char>(rgb >> 16);  // red
        }
    std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    return static_cast<bool>(f);
}

constexpr std::uint32_t rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r << 16 | g << 8 | b);
}

bool dentro(int x, int y, int x0, int y0, int x1, int y1) { return x >= x0 && x < x1 && y >= y0 && y < y1; }

// Distance-like test for a thick line segment.
bool sobreSegmento(int x, int y, int x0, int y0, int x1, int y1, int grosor) {
    const double dx = x1 - x0, dy = y1 - y0;
    const double t = ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy);
    if (t < 0 || t > 1) return false;
    const double px = x0 + t * dx - x, py = y0 + t * dy - y;
    return px * px + py * py <= grosor * grosor;
}

// A total station on its tripod, drawn flat: the placeholder photograph.
std::uint32_t foto(int x, int y) {
    if (dentro(x, y, 86, 22, 114, 30)) return rgb(40, 40, 40);             // handle
    if (dentro(x, y, 82, 30, 118, 38) && !dentro(x, y, 90, 30, 110, 36)) return rgb(40, 40, 40);
    if (dentro(x, y, 90, 40, 110, 64)) return rgb(60, 60, 70);             // telescope
    if (dentro(x, y, 76, 36, 124, 80)) return rgb(230, 190, 40);           // standards
    if (dentro(x, y, 70, 80, 130, 92)) return rgb(50, 50, 55);             // base and keyboard
    if (dentro(x, y, 80, 92, 120, 98)) return rgb(90, 90, 90);             // tribrach
    if (sobreSegmento(x, y, 100, 98, 60, 146, 2) || sobreSegmento(x, y, 100, 98, 140, 146, 2) ||
        sobreSegmento(x, y, 100, 98, 100, 146, 2))
        return rgb(150, 100, 50);                                           // tripod legs
    return y > 140 ? rgb(200, 215, 190) : rgb(225, 235, 245);
}

// A neutral company mark: a survey triangle over a band.
std::uint32_t logo(int x, int y) {
    const int cx = 40;
    if (y >= 14 && y < 66 && std::abs(x - cx) <= (y - 14) * 30 / 52) {
        const bool borde = std::abs(x - cx) >= (y - 14) * 30 / 52 - 3 || y >= 62;
        return borde ? rgb(20, 70, 140) : rgb(255, 255, 255);
    }
    if (dentro(x, y, 80, 30, 190, 38)) return rgb(20, 70, 140);
    if (dentro(x, y, 80, 44, 160, 48)) return rgb(120, 150, 190);
    return rgb(255, 255, 255);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "uso: %s CARPETA\n", argv[0]);
        return 2;
    }
    const std::filesystem::path carpeta = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(carpeta, ec);

    AvisosSilenciosos avisos;
    ListaInstrumentos lista;
    std::int32_t numero = 0;
    for (const Ficha& f : kFichas) {
        Instrumento i;
        i.numero = ++numero;
        i.nombre = f.nombre;
        i.marca = f.marca;
        i.aumentos = f.aumentos;
        i.errorH = i.errorV = f.angularCc;
        i.precisionH = i.precisionV = f.angularCc;
        i.lecturaAngular = f.lecturaCc;
        i.alcance1Prisma = f.alcance1P;
        i.alcance3Prismas = f.alcance3P;
        i.precisionDistanciaMm = f.mm;
        i.precisionDistanciaPpm = f.ppm;
        i.excentricidad = 0;  // coaxial distance meters
        i.nivelEsferico = f.nivelEsfericoMin;
        i.nivelTorico = f.compensadorCc;
        i.ejesCompensador = f.ejes;
        if (!crearInstrumento(lista, i, avisos)) return 1;
    }
    bool ok = guardarInstrumentos(lista, carpeta / "instrumentos.apa") == Estado::Exito;
    ok = escribirDatosTrabajo(datosTrabajoPorDefecto(), carpeta / "datos_empresa.prt") && ok;
    ok = escribirBmp(carpeta / "foto0.bmp", 200, 150, foto) && ok;
    ok = escribirBmp(carpeta / "logo.bmp", 200, 80, logo) && ok;
    if (!ok) {
        std::fprintf(stderr, "no se pudo escribir en %s\n", carpeta.string().c_str());
        return 1;
    }
    std::printf("%zu instrumentos en %s\n", lista.size(), (carpeta / "instrumentos.apa").string().c_str());
    return 0;
}
