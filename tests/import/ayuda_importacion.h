// Helpers of the import tests: GSI words composed from the published word
// layout (index, four information characters, sign, data, blank), files in
// a temporary folder, and one call that runs a format as the window does.
#pragma once

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>

#include "comun/avisos_grabados.h"
#include "comun/imagen.h"
#include "fieldbook/datos_generales.h"
#include "import/formatos.h"
#include "import/importar_datos_campo.h"

namespace celvara::prueba {

// A GSI8 word: "II" + info + sign + 8 digits + blank; w16 has 16 data digits.
inline std::string palabra(int indice, long long valor, std::string_view info, int digitos) {
    char b[64];
    std::snprintf(b, sizeof b, "%02d%.4s%c%0*lld ", indice, std::string(info).c_str(), valor < 0 ? '-' : '+', digitos,
                  valor < 0 ? -valor : valor);
    return b;
}
inline std::string w8(int indice, long long valor, std::string_view info = "..00") {
    return palabra(indice, valor, info, 8);
}
inline std::string w16(int indice, long long valor, std::string_view info = "..00") {
    return palabra(indice, valor, info, 16);
}
// A word whose data is text, left-padded with zeros to `digitos`.
inline std::string wTexto(int indice, std::string_view texto, std::size_t digitos = 8, std::string_view info = "....") {
    std::string datos(texto);
    if (datos.size() < digitos) datos.insert(0, digitos - datos.size(), '0');
    char b[16];
    std::snprintf(b, sizeof b, "%02d", indice);
    return std::string(b) + std::string(info) + "+" + datos + " ";
}
// The point number word 11 of a GSI8 line.
inline std::string punto8(long long numero) { return w8(11, numero, "0001"); }
inline std::string punto16(long long numero) { return w16(11, numero, "0001"); }

struct Importacion {
    CDatosGenerales ajustes;
    CLibretaCampo libreta;
    AvisosGrabados avisos;
    CarpetaTemporal carpeta;
    std::uint8_t bandera = 0;

    // Runs format `indice` over a file holding `contenido`, as "Aceptar" does
    // after the file was chosen.
    ResultadoImportacion importar(int indice, std::string_view contenido) {
        const auto ruta = carpeta / "datos.txt";
        escribirFichero(ruta, contenido);
        return importarRuta(indice, ruta);
    }
    ResultadoImportacion importarRuta(int indice, const std::filesystem::path& ruta) {
        CImportarDatosCampo dialogo(ajustes, libreta, &bandera, avisos);
        dialogo.seleccionar(indice);
        return dialogo.importarFichero(ruta);
    }

    // Runs only the reader and keeps its lists (nothing merged).
    Estado leer(int indice, std::string_view contenido) {
        const auto ruta = carpeta / "datos.txt";
        escribirFichero(ruta, contenido);
        listas.liberar();
        ContextoImportacion contexto{listas, libreta, ajustes, avisos, indice, 0, {}, false};
        return formatoImportacion(indice)->leer(contexto, ruta);
    }
    CListasImportacion listas;

    const Estacion& estacion(std::size_t i) const { return *libreta.estaciones.at(i); }
    const Estacionamiento& estacionamiento(std::size_t i, std::size_t j) const {
        return *libreta.estaciones.at(i)->estacionamientos.at(j);
    }
};

// Names of the readings of a set-up, in order.
inline std::vector<std::string> nombresLecturas(const Estacionamiento& e) {
    std::vector<std::string> n;
    for (const auto& l : e.lecturas) n.push_back(l.nombre.str());
    return n;
}

// A number to 8 decimals without trailing zeros: "12.34567", "1.6", "0".
inline std::string num(double v) {
    char b[64];
    std::string s(b, std::to_chars(b, b + sizeof b, v, std::chars_format::fixed, 8).ptr);
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

// An id as a file writes it, as the book keeps it: blanks and leading zeros
// off (a lone 0 kept).
inline std::string sinCeros(std::string id) {
    id.erase(std::remove(id.begin(), id.end(), ' '), id.end());
    id.erase(0, std::min(id.find_first_not_of('0'), id.size() - 1));
    return id;
}

inline std::string xyz(const Estacion& e) { return num(e.x) + " " + num(e.y) + " " + num(e.z); }

// A reading as "name horizontal vertical distance target-height [code]", so
// one comparison checks every field of it.
template <class L>
std::string medida(const L& l, const std::string& nombre, std::string_view codigo) {
    std::string s = nombre + " " + num(l.horizontal) + " " + num(l.vertical) + " " + num(l.distancia) + " " +
                    num(l.jalon);
    return codigo.empty() ? s : s + " " + std::string(codigo);
}
inline std::string medida(const Lectura& l) { return medida(l, l.nombre.str(), l.codigo.vista()); }
inline std::string medida(const LecturaImportada& l) { return medida(l, std::to_string(l.numero), l.texto.vista()); }
inline std::vector<std::string> medidas(const Estacionamiento& e) {
    std::vector<std::string> v;
    for (const auto& l : e.lecturas) v.push_back(medida(l));
    return v;
}
inline std::vector<std::string> medidas(const CListasImportacion& c) {
    std::vector<std::string> v;
    for (const auto& l : c.lecturas()) v.push_back(medida(l));
    return v;
}
// The whole book: a line per station ("name x y z"), set-up ("  name height
// orientation angle-unit") and reading ("    " + medida), so that one
// comparison checks every field a reader fills.
inline std::vector<std::string> libro(const CLibretaCampo& l) {
    std::vector<std::string> v;
    for (const auto& e : l.estaciones) {
        v.push_back(e->nombre.str() + " " + xyz(*e));
        for (const auto& s : e->estacionamientos) {
            v.push_back("  " + s->nombre.str() + " " + num(s->alturaInstrumento) + " " + num(s->desorientacion) + " " +
                        std::to_string(s->datos.unidadAngular));
            for (const auto& r : s->lecturas) v.push_back("    " + medida(r));
        }
    }
    return v;
}
// A set-up record as "name|first|last|height|backsight bearing|backsight reading".
inline std::vector<std::string> tramos(const CListasImportacion& c) {
    std::vector<std::string> v;
    for (const auto& e : c.estacionamientos())
        v.push_back(e.nombre.str() + "|" + std::to_string(e.primera) + "|" + std::to_string(e.ultima) + "|" +
                    num(e.alturaInstrumento) + "|" + e.acimutEspalda.str() + "|" + e.horizontalEspalda.str());
    return v;
}

// Instrument files written by hand from the layouts.
inline const std::filesystem::path kDatosImportacion = std::filesystem::path(CELVARA_DATOS_PRUEBA) / "importacion";
// The real instrument files, kept beside the project.
inline const std::filesystem::path kMuestras = CELVARA_MUESTRAS;
#define REQUIERE_MUESTRAS() \
    if (!std::filesystem::is_directory(prueba::kMuestras)) GTEST_SKIP() << "sin muestras en " << prueba::kMuestras

}  // namespace celvara::prueba
