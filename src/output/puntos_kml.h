// Points as KML placemarks (name, code as description) in WGS 84 longitude
// and latitude, "lon,lat,h" as the format orders them. The grid
// coordinates are UTM in the job's zone on ED50, ETRS89, WGS 84 or REGCAN95,
// as the book says; PROJ takes them to WGS 84 (the GRS80 frames count as
// WGS 84, under a metre apart). For ED50 the Spanish grid shift (IGN SPED2ETV2) is
// used when PROJ has it installed, otherwise the 7-parameter Helmert
// transformation for mainland Spain (EPSG:1633, about 1.5 m), which needs
// no grid. Heights are written as they are (orthometric, not shifted).
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "datos/fichero_crd.h"
#include "fieldbook/libreta.h"
#include "fieldbook/proyeccion_trabajo.h"

namespace celvara {

inline constexpr const char* kMensajeKmlPlanas =
    "La libreta está en coordenadas Planas: no se puede exportar a KML (elija UTM ED-50 o WGS 84)";

struct Geograficas84 {
    double longitud = 0;  // degrees, east positive
    double latitud = 0;
};

// A transformation from the book's projection to WGS 84 longitude/latitude.
class TransformacionWgs84 {
public:
    // nullopt with a message for "Planas" or when PROJ cannot build it. The
    // datum is the job's, made to agree with the projection (Hayford: ED50).
    static std::optional<TransformacionWgs84> crear(Proyeccion proyeccion, std::string& error,
                                                    const ProyeccionTrabajo& trabajo = {});
    TransformacionWgs84(TransformacionWgs84&&) noexcept;
    TransformacionWgs84& operator=(TransformacionWgs84&&) noexcept;
    ~TransformacionWgs84();

    std::optional<Geograficas84> aplicar(double x, double y) const;
    // The PROJ pipeline in use, for the user to see what was applied.
    const std::string& descripcion() const { return descripcion_; }

private:
    struct Proj;
    explicit TransformacionWgs84(std::unique_ptr<Proj> proj, std::string descripcion);
    std::unique_ptr<Proj> proj_;
    std::string descripcion_;
};

// nullopt with a message for "Planas" or a point PROJ cannot transform.
std::optional<std::string> escribirPuntosKml(const ListaPuntos& puntos, Proyeccion proyeccion,
                                             const std::string& nombreDocumento, std::string& error,
                                             const ProyeccionTrabajo& trabajo = {});

}  // namespace celvara
