// Runs one file reader of the program on a file, by its short name (obs, crd,
// apa, datos, dft, ini, pol, nivelacion, nivelgsi, dxf, importar with a format index).
// Shared by the fuzz harness and the test that replays its findings.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "datos/datos_trabajo.h"
#include "datos/fichero_crd.h"
#include "datos/instrumentos.h"
#include "fieldbook/ajustes_propios.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/fichero_obs.h"
#include "import/estaciones_dxf.h"
#include "import/importar_datos_campo.h"
#include "traverse/fichero_nivelacion.h"
#include "traverse/fichero_pol.h"
#include "traverse/nivelacion_gsi.h"

namespace celvara::fuzz {

inline void leerFichero(std::string_view lector, int formato, const std::filesystem::path& ruta) {
    AvisosSilenciosos avisos(Respuesta::No);
    if (lector == "obs") {
        CLibretaCampo l;
        leerLibreta(l, ruta);
    } else if (lector == "crd") {
        ListaRegistrosCoordenadas r;
        leerFicheroCoordenadas(ruta, r);
        ListaPuntos p;
        leerListaPuntos(ruta, p);
    } else if (lector == "apa") {
        ListaInstrumentos lista;
        cargarInstrumentos(lista, ruta, avisos);
    } else if (lector == "datos") {
        DatosTrabajo d;
        leerDatosTrabajo(d, ruta);
    } else if (lector == "dft") {
        CDatosGenerales a;
        cargarAjustes(a, ruta);
    } else if (lector == "ini") {
        AjustesPropios a;
        a.cargar(ruta);
    } else if (lector == "pol") {
        Poligonal p;
        std::string mensaje;
        leerFicheroPoligonal(ruta, p, mensaje);
    } else if (lector == "nivelacion") {
        std::vector<LecturasNivelacion> filas;
        std::string mensaje;
        leerFicheroNivelacion(ruta, filas, mensaje);
    } else if (lector == "dxf") {
        CLibretaCampo l;  // names the drawings of the tests and the examples use
        for (const char* n : {"B1", "B2", "E1", "E3", "A"}) crearEstacion(l.estaciones, {.nombre = n});
        buscarEstacionesEnDxf(l, ruta);
    } else if (lector == "nivelgsi") {
        LineaNivelacionGsi linea;
        std::string mensaje;
        leerFicheroNivelacionGsi(ruta, linea, mensaje);
    } else if (lector == "importar") {
        CDatosGenerales ajustes;
        CLibretaCampo libreta;
        std::uint8_t bandera = 0;
        CImportarDatosCampo importacion(ajustes, libreta, &bandera, avisos);
        importacion.seleccionar(formato);
        importacion.importarFichero(ruta);
    }
}

}  // namespace celvara::fuzz
