// Records every message the core shows and answers from a script; a test
// fails on a message it did not expect by checking `mensajes` in full.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "fieldbook/avisos.h"

namespace celvara::prueba {

struct AvisoGrabado {
    std::string texto;
    std::string titulo;
    Botones botones;
    Icono icono;
};

class AvisosGrabados : public Avisos {
public:
    Respuesta mensaje(std::string_view texto, std::string_view titulo, Botones botones, Icono icono) override {
        mensajes.push_back({std::string(texto), std::string(titulo), botones, icono});
        if (respuestas.empty()) return botones == Botones::SiNo || botones == Botones::SiNoCancelar ? Respuesta::No : Respuesta::Aceptar;
        const Respuesta r = respuestas.front();
        respuestas.pop_front();
        return r;
    }
    std::vector<std::string> textos() const {
        std::vector<std::string> t;
        for (const auto& m : mensajes) t.push_back(m.texto);
        return t;
    }

    std::vector<AvisoGrabado> mensajes;
    std::deque<Respuesta> respuestas;
};

}  // namespace celvara::prueba
