// Messages to the user. The core never shows anything itself: windows and
// commands talk through this interface, which the Qt program implements with
// message boxes and the tests with a recorder. Texts here are UTF-8; record
// and report bytes stay Windows-1252.
#pragma once

#include <string>
#include <string_view>

namespace celvara {

enum class Icono { Ninguno, Stop, Pregunta, Exclamacion, Informacion };
enum class Botones { Aceptar, AceptarCancelar, SiNo, SiNoCancelar };
enum class Respuesta { Aceptar, Cancelar, Si, No };

class Avisos {
public:
    virtual ~Avisos() = default;
    virtual Respuesta mensaje(std::string_view texto, std::string_view titulo = {},
                              Botones botones = Botones::Aceptar, Icono icono = Icono::Ninguno) = 0;
};

// Answers every question with one fixed response and shows nothing.
class AvisosSilenciosos : public Avisos {
public:
    explicit AvisosSilenciosos(Respuesta respuesta = Respuesta::Aceptar) : respuesta_(respuesta) {}
    Respuesta mensaje(std::string_view, std::string_view, Botones, Icono) override { return respuesta_; }

private:
    Respuesta respuesta_;
};

}  // namespace celvara
