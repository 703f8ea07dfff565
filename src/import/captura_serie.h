// Serial download from an instrument, the part that needs no port: the
// settings of "Protocolo de Comunicaciones" kept in the side file
// celvara.ini, and the capture that cuts the received bytes into lines and
// writes them to the exchange file. The instrument only talks; nothing is
// ever sent back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "fieldbook/ajustes_propios.h"

namespace celvara {

class EscritorAtomico;

enum class ControlFlujo { Ninguno, Hardware, XonXoff };

// Line settings of the port. Ports go by the name the system gives them:
// COM3 on Windows, /dev/ttyUSB0 elsewhere.
struct ParametrosPuerto {
    std::string puerto;
    int baudios = 9600;
    int bitsDatos = 8;      // 5 to 8
    char paridad = 'N';     // N, E, O, S (space), M (mark)
    int bitsParada = 1;     // 1 or 2
    ControlFlujo control = ControlFlujo::Ninguno;
};

// What "Protocolo de Comunicaciones" keeps.
struct ProtocoloComunicaciones {
    static constexpr const char* kFicheroPorDefecto = "C:\\TRABAJOS\\TEMP.TXT";

    std::string ficheroIntercambio = kFicheroPorDefecto;  // Windows form
    bool generarFichero = false;
    ParametrosPuerto puerto = {puertoPorDefecto()};
    int protocolo = 0;  // only the plain character capture (ASCII) exists

    static std::string puertoPorDefecto();
    // The exchange file used: the chosen one only while generating is on.
    std::string ficheroUsado() const { return generarFichero ? ficheroIntercambio : kFicheroPorDefecto; }

    // Section [Comunicaciones]; missing or unreadable values keep the default.
    static ProtocoloComunicaciones leer(const AjustesPropios& ini);
    void escribir(AjustesPropios& ini) const;
};

// Parses the letters of the command line and of the settings file.
std::optional<char> paridadDeTexto(std::string_view texto);
std::optional<ControlFlujo> controlDeTexto(std::string_view texto);
const char* textoControl(ControlFlujo c);

// Cuts received bytes into lines. CR, LF and CR LF each end one line, also
// when the CR and the LF arrive in different reads. With 7 data bits the
// eighth bit of every byte is cleared (a parity bit some adapters pass on).
class CortadorLineas {
public:
    explicit CortadorLineas(int bitsDatos = 8) : sieteBits_(bitsDatos == 7) {}

    // Calls `linea(std::string_view)` for each completed line.
    template <class F>
    void recibir(std::string_view bytes, F&& linea) {
        for (char c : bytes) {
            if (sieteBits_) c = static_cast<char>(static_cast<unsigned char>(c) & 0x7F);
            if (c == '\n' && trasCR_) {
                trasCR_ = false;
                continue;
            }
            trasCR_ = c == '\r';
            if (c == '\r' || c == '\n') {
                linea(std::string_view(actual_));
                actual_.clear();
            } else {
                actual_ += c;
            }
        }
    }
    const std::string& lineaActual() const { return actual_; }
    // The unfinished line, handed over once (at "Terminar").
    std::string vaciar() { return std::exchange(actual_, {}); }

private:
    bool sieteBits_;
    bool trasCR_ = false;
    std::string actual_;
};

enum class FinCaptura {
    Escrito,     // the exchange file holds the capture; the old one is in .bak
    SinLineas,   // nothing received: nothing written
    Fallo,       // the exchange file could not be written: it is untouched
};

// One capture into an exchange file. Lines go to a temporary file beside it
// as they arrive; "Terminar" renames it over the exchange file, keeping the
// previous one as <name>.bak. Dropping the capture (Escape) leaves the
// exchange file as it was.
class CapturaSerie {
public:
    CapturaSerie(std::filesystem::path fichero, int bitsDatos);
    ~CapturaSerie();
    CapturaSerie(const CapturaSerie&) = delete;
    CapturaSerie& operator=(const CapturaSerie&) = delete;

    // False when the temporary file cannot be created.
    bool abierta() const;
    // Returns the number of lines completed by these bytes.
    std::size_t recibir(std::string_view bytes);
    FinCaptura terminar();

    std::size_t lineas() const { return lineas_; }
    const std::string& ultimaLinea() const { return ultima_; }
    const std::string& lineaActual() const { return cortador_.lineaActual(); }
    const std::filesystem::path& fichero() const { return fichero_; }

private:
    void escribirLinea(std::string_view linea);

    std::filesystem::path fichero_;
    std::unique_ptr<EscritorAtomico> escritor_;
    CortadorLineas cortador_;
    std::size_t lineas_ = 0;
    std::string ultima_;
};

// The copy kept of the previous exchange file.
std::filesystem::path rutaCopiaIntercambio(const std::filesystem::path& fichero);

namespace mensajes {
inline constexpr const char* kPuertoNoExiste = "PUERTO NO EXISTE O ESTÁ OCUPADO";
inline constexpr const char* kPuertoAbierto = "Puerto Abierto.\nEsperando para recibir datos ...";
inline constexpr const char* kSinLineas = "No se ha recibido ninguna línea.\nNo se importa nada.";
inline constexpr const char* kFicheroIntercambioNoCreado = "No se puede crear el fichero de intercambio\n%s";
inline constexpr const char* kFicheroIntercambioNoGrabado = "No se puede grabar el fichero de intercambio\n%s";
inline constexpr const char* kErrorPuerto = "Error en el puerto %s:\n%s\nSe conservan las líneas recibidas.";
}  // namespace mensajes

}  // namespace celvara
