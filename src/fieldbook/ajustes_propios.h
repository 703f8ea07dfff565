// The program's own preferences, kept in the side file celvara.ini beside
// observa.dft so that the binary settings file keeps the old program's
// layout. The file is an INI file in the format QSettings reads and writes
// (IniFormat): "[Seccion]" headers, "clave=valor" lines, values that hold
// a comma, a semicolon, a quote or surrounding blanks written in double
// quotes. Sections and keys the program does not know are kept on saving.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace celvara {

inline constexpr const char* kFicheroAjustesPropios = "celvara.ini";

// The side file beside a settings file (host paths).
std::filesystem::path rutaAjustesPropios(const std::filesystem::path& rutaObservaDft);

class AjustesPropios {
public:
    // A missing file is an empty set of preferences and not a failure; a
    // file that cannot be read is. Lines that are not understood are skipped.
    bool cargar(const std::filesystem::path& ruta);
    // Atomic: the previous file survives a failed save.
    bool guardar(const std::filesystem::path& ruta) const;

    std::optional<std::string> texto(std::string_view seccion, std::string_view clave) const;
    // The stored number, or `porDefecto` when it is missing or unreadable.
    double numero(std::string_view seccion, std::string_view clave, double porDefecto) const;
    void asignar(std::string_view seccion, std::string_view clave, std::string valor);
    void asignarNumero(std::string_view seccion, std::string_view clave, double valor);

    // File image; parsing it back gives the same values.
    std::string imagen() const;
    void leerImagen(std::string_view contenido);

private:
    struct Seccion {
        std::string nombre;
        std::vector<std::pair<std::string, std::string>> claves;
    };
    std::vector<Seccion> secciones_;
};

// [Carpetas]: the folder where each file dialog last chose a file (by the
// dialog's name), with the book folder it was chosen for. Next time, with
// the same book, the dialog starts there; another book starts in its own
// folder. Paths in Windows form, UTF-8.
std::string carpetaDialogo(const AjustesPropios& ajustes, std::string_view dialogo, std::string_view carpetaLibreta);
void recordarCarpetaDialogo(AjustesPropios& ajustes, std::string_view dialogo, std::string_view carpetaLibreta,
                            std::string_view ficheroElegido);

}  // namespace celvara
