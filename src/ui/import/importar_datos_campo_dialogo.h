// Window "Importar Datos Campo": a thin view over CImportarDatosCampo. The
// main window's "Todos FORMATOS...." calls ejecutarImportarDatosCampo and
// then rebuilds its tree, expands the root and sets its modified flag,
// whatever the outcome.
#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>

#include "fieldbook/rutas.h"
#include "import/captura_serie.h"
#include "import/importar_datos_campo.h"

class QLabel;
class QListWidget;
class QProgressDialog;
class QPushButton;
class QRadioButton;

namespace celvara::ui {

class DialogoImportarDatosCampo : public QDialog {
    Q_OBJECT
public:
    // `avisos`: where messages go (message boxes when none is given).
    // `mapa`: the path mapping; without it there is no serial download.
    DialogoImportarDatosCampo(CDatosGenerales& ajustes, CLibretaCampo& libreta, std::uint8_t* bandera,
                              QWidget* padre = nullptr, Avisos* avisos = nullptr, const MapaRutas* mapa = nullptr);
    ~DialogoImportarDatosCampo() override;

    // Replaces the file-open dialog (tests).
    void fijarPedirFichero(CImportarDatosCampo::PedirFichero pedir) { pedirFichero_ = std::move(pedir); }

    // The Qt form of a format's filter: "name (pattern)" and the catch-all.
    static QString filtroQt(const FormatoImportacion& formato);

    CImportarDatosCampo& logica() { return logica_; }
    QListWidget* lista() const { return lista_; }
    QRadioButton* desdeFichero() const { return desdeFichero_; }
    QRadioButton* desdeEstacion() const { return desdeEstacion_; }
    QPushButton* botonCfg() const { return cfg_; }
    QPushButton* botonAceptar() const { return aceptar_; }
    QPushButton* botonDetectar() const { return detectar_; }
    // "Formato: 5 .GSI de WILD" once "Detectar formato" has chosen.
    QLabel* formatoDetectado() const { return formatoDetectado_; }

private:
    void elegirOrigen();
    void aceptarImportacion();
    void detectarFormato();
    std::optional<std::filesystem::path> abrirFichero(const FormatoImportacion& formato, bool todos = false);
    // "CFG" and the download, with the settings of celvara.ini.
    void configurarPuerto();
    std::optional<std::filesystem::path> rutaIni() const;
    ProtocoloComunicaciones protocolo() const;

    CDatosGenerales& ajustes_;
    const MapaRutas* mapa_;
    std::uint8_t* bandera_;
    std::unique_ptr<Avisos> avisosPropios_;
    Avisos* avisos_;
    // Every message of the import goes through here, which closes the
    // progress box first: a box left over a message holds the user there.
    class AvisosSinProgreso : public Avisos {
    public:
        explicit AvisosSinProgreso(DialogoImportarDatosCampo& d) : d_(d) {}
        Respuesta mensaje(std::string_view texto, std::string_view titulo, Botones botones, Icono icono) override;

    private:
        DialogoImportarDatosCampo& d_;
    } avisosImportacion_{*this};
    CImportarDatosCampo logica_;
    CImportarDatosCampo::PedirFichero pedirFichero_;
    QListWidget* lista_ = nullptr;
    QRadioButton* desdeFichero_ = nullptr;
    QRadioButton* desdeEstacion_ = nullptr;
    QPushButton* cfg_ = nullptr;
    QPushButton* aceptar_ = nullptr;
    QPushButton* detectar_ = nullptr;
    QLabel* formatoDetectado_ = nullptr;
    // Shown by a read that lasts more than a second; "Cancelar" stops it.
    std::unique_ptr<QProgressDialog> progreso_;
    bool progreso(double parte);
};

// Runs the window modally over the book. True when a file was read and
// merged (the window closed on its own), false when the user left it.
bool ejecutarImportarDatosCampo(QWidget* padre, CLibretaCampo& libreta, CDatosGenerales& ajustes,
                                std::uint8_t* bandera, const MapaRutas* mapa = nullptr);

}  // namespace celvara::ui
