// The serial port of a capture, over QSerialPort; on Windows over the
// system's COM ports directly (puerto_serie_win.cpp). Reads are asynchronous
// on the owner's thread: no worker, no lock. Built into its own small
// library (Qt Core and SerialPort only) shared by the capture window and
// `celvara-cli capturar`.
#pragma once

#include <QObject>
#include <QStringList>
#ifdef _WIN32
#include <QTimer>
#include <memory>
#else
#include <QSerialPort>
#endif

#include "import/captura_serie.h"

namespace celvara::ui {

// The serial ports the system knows, by the name a user types: COM1 ... on
// Windows, the device path elsewhere.
QStringList puertosSerieDelSistema();

class PuertoSerie : public QObject {
    Q_OBJECT
public:
    explicit PuertoSerie(QObject* padre = nullptr);
    ~PuertoSerie() override;

    // Opens the port and applies the line settings. A port that cannot be
    // configured counts as one that cannot be opened: it is closed again.
    bool abrir(const ParametrosPuerto& parametros);
    void cerrar();
    bool abierto() const;

    // The system's words for the last failure.
    QString error() const { return error_; }
#ifndef _WIN32
    const QSerialPort& puerto() const { return puerto_; }
#endif

signals:
    void recibido(const QByteArray& datos);
    // The first hard I/O error (adapter unplugged, line hung up); the port
    // is closed after it, so it comes once.
    void fallo(const QString& mensaje);

private:
    void leer();
#ifdef _WIN32
    struct CierreManejador {
        void operator()(void* manejador) const;
    };
    std::unique_ptr<void, CierreManejador> manejador_;
    QTimer sondeo_;
#else
    void errorPuerto(QSerialPort::SerialPortError error);

    QSerialPort puerto_;
#endif
    QString error_;
};

}  // namespace celvara::ui
