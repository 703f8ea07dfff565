#include "ui/serie/puerto_serie.h"

#include <QSerialPortInfo>

namespace celvara::ui {

QStringList puertosSerieDelSistema() {
    QStringList puertos;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) puertos << info.systemLocation();
    return puertos;
}

namespace {

QSerialPort::Parity paridadQt(char p) {
    switch (p) {
        case 'E': return QSerialPort::EvenParity;
        case 'O': return QSerialPort::OddParity;
        case 'S': return QSerialPort::SpaceParity;
        case 'M': return QSerialPort::MarkParity;
        default: return QSerialPort::NoParity;
    }
}

QSerialPort::FlowControl controlQt(ControlFlujo c) {
    switch (c) {
        case ControlFlujo::Hardware: return QSerialPort::HardwareControl;
        case ControlFlujo::XonXoff: return QSerialPort::SoftwareControl;
        default: return QSerialPort::NoFlowControl;
    }
}

}  // namespace

PuertoSerie::PuertoSerie(QObject* padre) : QObject(padre) {
    connect(&puerto_, &QSerialPort::readyRead, this, &PuertoSerie::leer);
    connect(&puerto_, &QSerialPort::errorOccurred, this, &PuertoSerie::errorPuerto);
}

PuertoSerie::~PuertoSerie() { cerrar(); }

bool PuertoSerie::abierto() const { return puerto_.isOpen(); }

bool PuertoSerie::abrir(const ParametrosPuerto& p) {
    cerrar();
    // Settings given before opening are applied by open(), which fails and
    // closes the port when the device refuses one of them.
    puerto_.setPortName(QString::fromStdString(p.puerto));
    puerto_.setBaudRate(p.baudios);
    puerto_.setDataBits(static_cast<QSerialPort::DataBits>(p.bitsDatos));
    puerto_.setParity(paridadQt(p.paridad));
    puerto_.setStopBits(p.bitsParada == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    puerto_.setFlowControl(controlQt(p.control));
    // The instrument only talks: opened for reading alone.
    if (!puerto_.open(QIODevice::ReadOnly)) {
        error_ = puerto_.errorString();
        if (puerto_.isOpen()) puerto_.close();
        return false;
    }
    return true;
}

void PuertoSerie::cerrar() {
    if (puerto_.isOpen()) puerto_.close();
}

void PuertoSerie::leer() {
    const QByteArray datos = puerto_.readAll();
    if (!datos.isEmpty()) emit recibido(datos);
}

void PuertoSerie::errorPuerto(QSerialPort::SerialPortError error) {
    if (!puerto_.isOpen()) return;
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError && error != QSerialPort::UnknownError)
        return;
    error_ = puerto_.errorString();
    // What arrived before the failure is still delivered.
    leer();
    puerto_.close();
    emit fallo(error_);
}

}  // namespace celvara::ui
