// Windows paths as the program stores them (C:\TRABAJOS\OBRA1\x.obs) mapped
// to host paths at the boundary, Wine-style: each drive letter stands for a
// host folder (C: a folder of ours, Z: the host root), and every component is
// looked up case-insensitively, as Windows does. Built for Windows, the
// drive letters are the system's own and nothing is mapped.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace celvara {

class MapaRutas {
public:
    // `raizC` is the host folder that stands for C:.
    explicit MapaRutas(std::filesystem::path raizC);

    void asignarUnidad(char letra, std::filesystem::path raiz);

    // A Windows path (drive-absolute, or relative with either slash) to a
    // host path. Existing components are matched case-insensitively; missing
    // ones keep the case written. A drive without a mapping falls under Z:.
    std::filesystem::path aAnfitrion(std::string_view rutaWindows) const;

    // A host path to its Windows form: under a mapped drive when one holds
    // it, otherwise under Z:.
    std::string aWindows(const std::filesystem::path& rutaAnfitrion) const;

    const std::filesystem::path& raizC() const { return unidades_.at('C'); }

private:
    std::map<char, std::filesystem::path> unidades_;
};

// Case-insensitive lookup of one name in a host folder: the exact name when
// it exists, else the first entry whose name matches ignoring ASCII case,
// else the name as given.
std::filesystem::path buscarSinMayusculas(const std::filesystem::path& carpeta, std::string_view nombre);

// Ends with a backslash ("C:\TRABAJOS" -> "C:\TRABAJOS\").
std::string conBarraFinal(std::string ruta);

}  // namespace celvara
