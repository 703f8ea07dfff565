// Messages to the user as message boxes, for every window of the program.
#pragma once

#include <QPointer>
#include <QWidget>

#include "fieldbook/avisos.h"

namespace celvara::ui {

class AvisosQt : public Avisos {
public:
    explicit AvisosQt(QWidget* padre = nullptr) : padre_(padre) {}
    void fijarPadre(QWidget* padre) { padre_ = padre; }
    Respuesta mensaje(std::string_view texto, std::string_view titulo, Botones botones, Icono icono) override;

private:
    QPointer<QWidget> padre_;
};

}  // namespace celvara::ui
