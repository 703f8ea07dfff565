// The serial port of a capture, over QSerialPort. Reads are asynchronous on
// the owner's thread (readyRead): no worker, no lock. Built into its own
// small library (Qt Core and SerialPort only) shared by the capture window
// and `celvara-cli capturar`.
#pragma once

#include <QObject>
#include <QSerialPort>

#include "import/captura_serie.h"

namespace celvara::ui {

class PuertoSerie : public QObject {
    Q_OBJECT
public:
    explicit PuertoSerie(QObject* padre = nullptr);
    ~PuertoSerie() override;

    // Opens the port and applies the line settings. A port that cannot be
    // configured counts as one that cannot be opened: it is closed again.
    bool abrir(const ParametrosPuerto& parametros);
    void cerrar();
    bool abierto() const { return puerto_.isOpen(); }

    // The system's words for the last failure.
    QString error() const { return error_; }
    const QSerialPort& puerto() const { return puerto_; }

signals:
    void recibido(const QByteArray& datos);
    // The first hard I/O error (adapter unplugged, line hung up); the port
    // is closed after it, so it comes once.
    void fallo(const QString& mensaje);

private:
    void leer();
    void errorPuerto(QSerialPort::SerialPortError error);

    QSerialPort puerto_;
    QString error_;
};

}  // namespace celvara::ui
