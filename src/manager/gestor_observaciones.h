// CGestorObservaciones: the observation manager as a class without a screen,
// and the router of its commands. It owns four parts: the document (book,
// settings, file commands, history, recovery copy), the selection over it
// (tree, panes, grid row, drawing), the edits of the book, and the grid
// adapter. It runs every action the main window serves itself, and does
// what the window does before and after another window of the program holds
// the book. The Qt window binds its widgets to the parts and asks them
// again after each command, guided by the revision counters.
#pragma once

#include <string>
#include <vector>

#include "fieldbook/arranque.h"
#include "manager/gestor_comandos.h"
#include "manager/gestor_documento.h"
#include "manager/gestor_ediciones.h"
#include "manager/gestor_rejillas.h"
#include "manager/gestor_seleccion.h"

namespace celvara {

class CGestorObservaciones {
public:
    CGestorObservaciones(const MapaRutas& mapa, Avisos& avisos, DialogosGestor& dialogos,
                         MostradorInformes& mostrador);
    CGestorObservaciones(const CGestorObservaciones&) = delete;
    CGestorObservaciones& operator=(const CGestorObservaciones&) = delete;

    // Start-up: the document opens its book (see CDocumentoObservaciones::iniciar),
    // then the tree is built.
    void iniciar(EntornoArranque& entorno, const std::string& libretaPedida = {});

    // ---- The parts.
    CDocumentoObservaciones& documento() { return documento_; }
    const CDocumentoObservaciones& documento() const { return documento_; }
    CSeleccionGestor& seleccionGestor() { return seleccion_; }
    const CSeleccionGestor& seleccionGestor() const { return seleccion_; }
    CEdicionesGestor& ediciones() { return ediciones_; }
    FuenteRejilla& rejilla() { return rejilla_; }

    // ---- What the commands that open other windows read.
    CLibretaCampo& libreta() { return documento_.libreta(); }
    const CLibretaCampo& libreta() const { return documento_.libreta(); }
    CDatosGenerales& ajustes() { return documento_.ajustes(); }
    const CDatosGenerales& ajustes() const { return documento_.ajustes(); }
    const MapaRutas& mapa() const { return documento_.mapa(); }
    Avisos& avisos() { return documento_.avisos(); }
    DialogosGestor& dialogos() { return documento_.dialogos(); }
    bool modificado() const { return documento_.modificado(); }
    const NodoArbol& seleccion() const { return seleccion_.nodo(); }
    EstadoSeleccion estado() const { return seleccion_.estado(); }
    Estacion* estacionSeleccionada() { return seleccion_.estacionSeleccionada(); }
    Estacionamiento* estacionamientoSeleccionado() { return seleccion_.estacionamientoSeleccionado(); }
    Estacionamiento* estacionamientoActual() const { return seleccion_.estacionamientoActual(); }
    const std::vector<std::string>& ficherosCoordenadas() const { return seleccion_.coordenadas().nombres(); }
    void refrescarFicherosCoordenadas() { seleccion_.refrescarFicherosCoordenadas(); }
    void reconstruirArbol(const Estacion* estacion = nullptr, const Estacionamiento* estacionamiento = nullptr) {
        seleccion_.reconstruirArbol(estacion, estacionamiento);
    }
    void escribirPanelesPendientes() { seleccion_.escribirPanelesPendientes(); }

    // ---- Commands of this window.
    // Runs an action the window serves itself (see accionPropiaDelGestor).
    void ejecutar(Accion accion);
    // Pending pane edits become a step first; the same place is shown after.
    void deshacer() { moverHistorial(true); }
    void rehacer() { moverHistorial(false); }
    void configurar();
    void generarInformeResumen();

    // ---- Hand-off to the other windows (gestor_traspasos.cpp).
    // Before the window opens: the tree is rebuilt with "Estaciones"
    // selected where the window needs it, otherwise pending pane edits are
    // written; either way the book holds every edit when the window reads it.
    void antesDeVentana(Accion accion);
    // After it closes: the tree rebuilt as the window needs (selecting the
    // station and set-up it reports) and the change made one step of the history.
    void despuesDeVentana(Accion accion, const Estacion* estacion = nullptr,
                          const Estacionamiento* estacionamiento = nullptr);

private:
    void moverHistorial(bool atras);

    MostradorInformes& mostrador_;
    CDocumentoObservaciones documento_;
    CSeleccionGestor seleccion_;
    CEdicionesGestor ediciones_;
    CRejillaGestor rejilla_;
};

}  // namespace celvara
