// "AJUSTE DE RED": a thin view over CAjusteRed. The stations grid (a tick for
// the fixed ones, kept beside the book), the observations grid (residual, w
// and a tick to leave one out), the report, the drawing with the error
// ellipses magnified, "Ajustar" and "Grabar".
#pragma once

#include <QDialog>
#include <filesystem>

#include "calc/red/ajuste_red.h"
#include "fieldbook/rutas.h"

class QCheckBox;
class QPlainTextEdit;
class QTableWidget;

namespace celvara::ui {

class DibujoRed;

class DialogoAjusteRed : public QDialog {
    Q_OBJECT
public:
    // `rutaLibreta` (host path, may be empty): where the fixed stations are kept.
    DialogoAjusteRed(CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa, Avisos& avisos,
                     std::filesystem::path rutaLibreta, QWidget* padre = nullptr);
    static void abrir(QWidget* padre, CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa,
                      Avisos& avisos);

    CAjusteRed& logica() { return logica_; }
    QTableWidget* estaciones() const { return estaciones_; }
    QTableWidget* observaciones() const { return observaciones_; }
    QPlainTextEdit* informe() const { return informe_; }
    QCheckBox* libre() const { return libre_; }

    // "Ajustar": with the fixed ticks of the grid; keeps the use ticks of
    // the observations when the network is the same. Stations left out, and
    // heights left as in the book, are told in a message.
    bool pulsarAjustar();
    bool pulsarGrabar();

private:
    void llenarEstaciones();
    void ajustarColumnas();
    void refrescar();

    bool cargada_ = false;  // set while instrumentos_ is built
    ListaInstrumentos instrumentos_;
    CAjusteRed logica_;
    CLibretaCampo& libreta_;
    Avisos& avisos_;
    std::filesystem::path rutaLibreta_;
    QTableWidget* estaciones_;
    QTableWidget* observaciones_;
    QPlainTextEdit* informe_;
    QCheckBox* libre_;
    DibujoRed* dibujo_;
};

}  // namespace celvara::ui
