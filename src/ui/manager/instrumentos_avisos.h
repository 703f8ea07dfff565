// Messages of the instrument and job data windows as message boxes: the stop
// icon and the empty caption the old program used.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QWidget>

#include "fieldbook/avisos.h"

namespace celvara::ui {

class AvisosInstrumentosQt : public Avisos {
public:
    explicit AvisosInstrumentosQt(QWidget* padre) : padre_(padre) {}

    Respuesta mensaje(std::string_view texto, std::string_view titulo, Botones botones, Icono icono) override {
        QMessageBox caja(padre_);
        caja.setText(QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size())));
        caja.setWindowTitle(QString::fromUtf8(titulo.data(), static_cast<qsizetype>(titulo.size())));
        switch (icono) {
            case Icono::Stop: caja.setIcon(QMessageBox::Critical); break;
            case Icono::Pregunta: caja.setIcon(QMessageBox::Question); break;
            case Icono::Exclamacion: caja.setIcon(QMessageBox::Warning); break;
            case Icono::Informacion: caja.setIcon(QMessageBox::Information); break;
            case Icono::Ninguno: break;
        }
        switch (botones) {
            case Botones::Aceptar: caja.setStandardButtons(QMessageBox::Ok); break;
            case Botones::AceptarCancelar: caja.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
            case Botones::SiNo: caja.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
            case Botones::SiNoCancelar:
                caja.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
                break;
        }
        switch (caja.exec()) {
            case QMessageBox::Cancel: return Respuesta::Cancelar;
            case QMessageBox::Yes: return Respuesta::Si;
            case QMessageBox::No: return Respuesta::No;
            default: return Respuesta::Aceptar;
        }
    }

private:
    QWidget* padre_;
};

}  // namespace celvara::ui
