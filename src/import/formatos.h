// The table of the 33 import formats, in the order of the dialog's list (the
// index is the list position): texts, file filter, and the reader. Every
// reader has one signature: it reads a file into the import lists (or, for
// the direct readers, straight into the field book) and answers Exito or
// Fallo, having shown its own message when it has one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "fieldbook/avisos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/libreta.h"
#include "import/listas_importacion.h"

namespace celvara {

// What a reader works on during one read.
struct ContextoImportacion {
    CListasImportacion& listas;
    CLibretaCampo& libreta;            // the direct readers write here
    const CDatosGenerales& ajustes;    // their set-ups copy its default block
    Avisos& avisos;
    int indice = 0;                    // selected format (readers shared by several)
    std::int32_t contador = 0;         // running count, zeroed before each read
    // Told the part of the file read so far (0 to 1); false cancels the read.
    std::function<bool(double)> progreso = {};
    bool cancelado = false;            // set when `progreso` said no
    std::size_t linea = 0;             // line of the file being read (empty ones counted)
    // What the import left out, one line each, for the import summary.
    std::vector<std::string> omitidas = {};
};

using LectorFormato = Estado (*)(ContextoImportacion& contexto, const std::filesystem::path& ruta);

struct FormatoImportacion {
    int indice;
    const char* texto;         // list text (UTF-8)
    const char* nombreFiltro;  // filter name, trailing blank included
    const char* patron;
    LectorFormato leer;
    bool directo;              // writes into the field book itself
    bool disponible;           // false: the reader comes in a later version
};

inline constexpr int kNumeroFormatos = 33;

std::span<const FormatoImportacion> tablaFormatos();
// Nothing when the index is outside the table.
const FormatoImportacion* formatoImportacion(int indice);

// The file-open filter: name, "|", blank, pattern, then the catch-all entry.
std::string filtroFormato(const FormatoImportacion& formato);

// How the chosen format is named after "Detectar formato": "Formato: %d %s".
std::string textoFormatoElegido(const FormatoImportacion& formato);

// The message of a format whose reader is not there yet.
std::string mensajeFormatoNoDisponible(const FormatoImportacion& formato);

}  // namespace celvara
