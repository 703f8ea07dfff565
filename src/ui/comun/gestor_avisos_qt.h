// Messages to the user as message boxes, for every window of the program.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "fieldbook/avisos.h"

namespace celvara::ui {

class AvisosQt : public Avisos {
public:
    // `tituloPorDefecto` captions the messages that bring no caption of their own.
    explicit AvisosQt(QWidget* padre = nullptr, QString tituloPorDefecto = {})
        : padre_(padre), tituloPorDefecto_(std::move(tituloPorDefecto)) {}
    void fijarPadre(QWidget* padre) { padre_ = padre; }
    Respuesta mensaje(std::string_view texto, std::string_view titulo, Botones botones, Icono icono) override;

private:
    QPointer<QWidget> padre_;
    QString tituloPorDefecto_;
};

}  // namespace celvara::ui
