#include "ui/comun/gestor_avisos_qt.h"

#include <QMessageBox>

namespace celvara::ui {

Respuesta AvisosQt::mensaje(std::string_view texto, std::string_view titulo, Botones botones, Icono icono) {
    QMessageBox caja(padre_);
    caja.setText(QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size())));
    caja.setWindowTitle(titulo.empty() ? tituloPorDefecto_
                                       : QString::fromUtf8(titulo.data(), static_cast<qsizetype>(titulo.size())));
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
        case QMessageBox::Yes: return Respuesta::Si;
        case QMessageBox::No: return Respuesta::No;
        case QMessageBox::Cancel: return Respuesta::Cancelar;
        default: return botones == Botones::Aceptar ? Respuesta::Aceptar : Respuesta::Cancelar;
    }
}

}  // namespace celvara::ui
