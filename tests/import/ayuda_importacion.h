// Helpers of the import tests: GSI words composed from the published word
// layout (index, four information characters, sign, data, blank), files in
// a temporary folder, and one call that runs a format as the window does.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "comun/avisos_grabados.h"
#include "comun/imagen.h"
#include "fieldbook/datos_generales.h"
#include "import/formatos.h"
#include "import/importar_datos_campo.h"

namespace celvara::prueba {

// A GSI8 word: "II" + info + sign + 8 digits + blank.
inline std::string w8(int indice, long long valor, std::string_view info = "..00") {
    char b[64];
    std::snprintf(b, sizeof b, "%02d%.4s%c%08lld ", indice, std::string(info).c_str(), valor < 0 ? '-' : '+',
                  valor < 0 ? -valor : valor);
    return b;
}
// A GSI16 word: 16 data digits.
inline std::string w16(int indice, long long valor, std::string_view info = "..00") {
    char b[64];
    std::snprintf(b, sizeof b, "%02d%.4s%c%016lld ", indice, std::string(info).c_str(), valor < 0 ? '-' : '+',
                  valor < 0 ? -valor : valor);
    return b;
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

}  // namespace celvara::prueba
