// Edits of the field book from the main window: grid cells, tree labels,
// inserting, appending and deleting stations and readings, adding and
// deleting set-ups, merging every set-up of a station, the picture of a
// station. Each edit is one step of the document's history.
#pragma once

#include <cstddef>
#include <string_view>

#include "manager/gestor_seleccion.h"

namespace celvara {

class CEdicionesGestor {
public:
    CEdicionesGestor(CDocumentoObservaciones& documento, CSeleccionGestor& seleccion)
        : documento_(documento), seleccion_(seleccion) {}

    // The user finished editing a cell of the grid shown; true when the book changed.
    bool editarCelda(std::size_t fila, std::size_t columna, std::string_view textoUtf8);
    // A label edited in the tree; false leaves the old name.
    bool renombrar(const NodoArbol& nodo, std::string_view textoUtf8);

    void insertarEstacion();
    void anadirEstacion();
    void anadirEstacionPorNombre();
    void borrarEstacion();
    void anadirEstacionamiento();
    void borrarEstacionamiento();
    void unirTodosEstacionamientos();
    void insertarLectura();
    void anadirLectura();
    void borrarLectura();
    // The grid's insert-row (append when `fila` equals the row count) and delete-row requests.
    void insertarFila(std::size_t fila);
    void borrarFila(std::size_t fila);
    // Button "Seleccionar Fichero  *.BMP . --->": the picture of the tab shown.
    void elegirImagen();

private:
    CLibretaCampo& libreta() { return documento_.libreta(); }
    Avisos& avisos() { return documento_.avisos(); }
    bool editarCeldaEstacion(std::size_t fila, std::size_t columna, std::string_view texto);
    bool editarCeldaLectura(std::size_t fila, std::size_t columna, std::string_view texto);
    bool renombrarEstacion(Estacion& estacion, std::string_view nombreCp1252);
    bool renombrarEstacionamiento(Estacionamiento& estacionamiento, std::string_view nombreCp1252);
    void insertarEstacionEn(std::size_t fila);
    void insertarLecturaEn(std::size_t fila);
    void borrarEstacionEn(std::size_t fila);
    void borrarLecturaEn(std::size_t fila);
    void eliminarEstacion(Estacion* estacion);

    CDocumentoObservaciones& documento_;
    CSeleccionGestor& seleccion_;
};

}  // namespace celvara
