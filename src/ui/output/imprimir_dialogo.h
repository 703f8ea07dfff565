// "IMPRIMIR": the preview of the printed listings, a thin view over
// CImprimir. Entry point for the main window:
//   abrirImprimir(padre, libreta, ajustes, mapa, listado, estacion, estacionamiento)
#pragma once

#include <QDialog>
#include <QWidget>
#include <filesystem>

#include "output/imprimir.h"
#include "ui/comun/dialogo_fichero_qt.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPrinter;
class QPushButton;
class QScrollArea;

namespace celvara::ui {

// One page drawn at a zoom percentage (100: the sheet's size at 96 dpi).
class VistaPagina : public QWidget {
    Q_OBJECT
public:
    explicit VistaPagina(QWidget* padre = nullptr);
    void mostrar(Pagina pagina, int zoom);
    const Pagina& pagina() const { return pagina_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Pagina pagina_;
    int zoom_ = CImprimir::kZoomInicial;
};

class DialogoImprimir : public QDialog {
    Q_OBJECT
public:
    DialogoImprimir(const CLibretaCampo& libreta, EntornoListado entorno, Listado listado,
                    const Estacion* estacion, const Estacionamiento* estacionamiento,
                    LugarFicheros lugar = {}, QWidget* padre = nullptr);
    // A listing made elsewhere, as pages (the traverse's field sheet).
    DialogoImprimir(const CLibretaCampo& libreta, std::string nombre, std::vector<Pagina> paginas,
                    LugarFicheros lugar = {}, QWidget* padre = nullptr);

    const CImprimir& logica() const { return logica_; }
    VistaPagina* vista() const { return vista_; }

    // "Imprimir...": every page, or the range chosen in the print dialog.
    bool imprimirEn(QPrinter& impresora);
    // "Exportar...": all pages as PDF, or the page shown as SVG (by the
    // extension; none means PDF).
    bool exportarA(std::filesystem::path ruta);

private:
    void construir();
    void elegirListado(int indice);
    void elegirEstacion(int fila);
    void llenarEstacionamientos();
    void mostrar();
    void imprimir();
    void exportar();
    void avisar(const std::string& texto);

    CImprimir logica_;
    LugarFicheros lugar_;  // where "Exportar..." starts
    QComboBox* listado_ = nullptr;
    QListWidget* estaciones_ = nullptr;
    QListWidget* estacionamientos_ = nullptr;
    QScrollArea* desplazamiento_ = nullptr;
    VistaPagina* vista_ = nullptr;
    QLabel* textoPagina_ = nullptr;
    bool llenando_ = false;
};

void abrirImprimir(QWidget* padre, const CLibretaCampo& libreta, const CDatosGenerales& ajustes, const MapaRutas& mapa,
                   Listado listado, const Estacion* estacion = nullptr,
                   const Estacionamiento* estacionamiento = nullptr);
// A listing made elsewhere, exported by default to the working folder.
void abrirImprimir(QWidget* padre, const CLibretaCampo& libreta, const CDatosGenerales& ajustes, const MapaRutas& mapa,
                   std::string nombre, std::vector<Pagina> paginas);

}  // namespace celvara::ui
