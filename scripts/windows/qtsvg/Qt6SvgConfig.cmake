# Qt6::Svg of the Windows build: the SVG generator alone, a static library.
include(CMakeFindDependencyMacro)
find_dependency(Qt6Gui PATHS ${CMAKE_CURRENT_LIST_DIR}/.. NO_DEFAULT_PATH)
if(NOT TARGET Qt6::Svg)
  get_filename_component(_qt6svg_prefijo ${CMAKE_CURRENT_LIST_DIR}/../../.. ABSOLUTE)
  add_library(Qt6::Svg STATIC IMPORTED)
  set_target_properties(Qt6::Svg PROPERTIES
    IMPORTED_LOCATION ${_qt6svg_prefijo}/lib/libQt6Svg.a
    INTERFACE_INCLUDE_DIRECTORIES "${_qt6svg_prefijo}/include;${_qt6svg_prefijo}/include/QtSvg"
    INTERFACE_LINK_LIBRARIES Qt6::Gui)
  unset(_qt6svg_prefijo)
endif()
set(Qt6Svg_FOUND TRUE)
