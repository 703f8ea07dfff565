// Serial download windows: "Protocolo de Comunicaciones" (the port and the
// exchange file, from "CFG") and "Comunicación" (the capture itself, ended
// with "Terminar"). The capture logic is CapturaSerie; the port is
// PuertoSerie.
#pragma once

#include <QDialog>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "fieldbook/avisos.h"
#include "fieldbook/rutas.h"
#include "import/captura_serie.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace celvara::ui {

class PuertoSerie;

class DialogoProtocoloComunicaciones : public QDialog {
    Q_OBJECT
public:
    // `mapa` turns the chosen host file into the stored Windows path.
    DialogoProtocoloComunicaciones(const ProtocoloComunicaciones& protocolo, const MapaRutas& mapa,
                                   QWidget* padre = nullptr);

    // The settings as the controls hold them ("Aceptar").
    ProtocoloComunicaciones protocolo() const;

    // Replaces the save-file dialog of "Fichero" (tests).
    std::function<std::optional<std::filesystem::path>()> pedirFichero;

    QComboBox* puerto() const { return puerto_; }
    QComboBox* baudios() const { return baudios_; }
    QComboBox* paridad() const { return paridad_; }
    QComboBox* bitsDatos() const { return bitsDatos_; }
    QComboBox* bitsParada() const { return bitsParada_; }
    QComboBox* control() const { return control_; }
    QCheckBox* generar() const { return generar_; }
    QPushButton* botonFichero() const { return fichero_; }
    QLineEdit* ruta() const { return ruta_; }

private:
    void elegirFichero();

    const MapaRutas& mapa_;
    int protocoloTipo_ = 0;
    QComboBox* puerto_ = nullptr;
    QComboBox* baudios_ = nullptr;
    QComboBox* paridad_ = nullptr;
    QComboBox* bitsDatos_ = nullptr;
    QComboBox* bitsParada_ = nullptr;
    QComboBox* control_ = nullptr;
    QComboBox* tipo_ = nullptr;
    QCheckBox* generar_ = nullptr;
    QPushButton* fichero_ = nullptr;
    QLineEdit* ruta_ = nullptr;
};

class DialogoComunicacion : public QDialog {
    Q_OBJECT
public:
    // Opens the port at once; `fichero` is the exchange file (host path).
    DialogoComunicacion(const ParametrosPuerto& parametros, std::filesystem::path fichero, std::uint8_t* bandera,
                        Avisos& avisos, QWidget* padre = nullptr);
    ~DialogoComunicacion() override;

    // The port could not be opened (or the exchange file not created).
    bool puertoFallido() const { return puertoFallido_; }
    // True once "Terminar" wrote the exchange file.
    bool escrito() const { return escrito_; }
    std::size_t lineas() const { return captura_ ? captura_->lineas() : 0; }

    QLabel* estado() const { return estado_; }
    QLabel* contador() const { return contador_; }
    QLabel* linea() const { return linea_; }
    QPushButton* botonTerminar() const { return terminar_; }

    // Escape: the capture is dropped and the port closed.
    void reject() override;

private:
    void recibir(const QByteArray& datos);
    void falloLinea(const QString& motivo);
    void terminar();

    Avisos& avisos_;
    std::unique_ptr<PuertoSerie> puerto_;
    std::unique_ptr<CapturaSerie> captura_;
    std::string nombrePuerto_;
    bool puertoFallido_ = false;
    bool escrito_ = false;
    QLabel* estado_ = nullptr;
    QLabel* contador_ = nullptr;
    QLabel* linea_ = nullptr;
    QPushButton* terminar_ = nullptr;
};

// The download as the import runs it: captures with the given settings
// into their exchange file (mapped to the host) and gives that file when
// "Terminar" wrote it.
std::optional<std::filesystem::path> ejecutarComunicacion(QWidget* padre, const ProtocoloComunicaciones& protocolo,
                                                          const MapaRutas& mapa, std::uint8_t* bandera,
                                                          Avisos& avisos);

}  // namespace celvara::ui
