# Windows resources of a program: the icon, drawn from the desktop icon
# data/escritorio/celvara.svg at the sizes Explorer asks for, and the
# version information of its Properties window.
enable_language(RC)
find_program(CELVARA_RSVG rsvg-convert REQUIRED)
find_program(CELVARA_ICOTOOL icotool REQUIRED)
set(CELVARA_ICONO ${CMAKE_BINARY_DIR}/celvara.ico)
set(_svg ${CMAKE_SOURCE_DIR}/data/escritorio/celvara.svg)
set(_pasos COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icono)
set(_pngs)
foreach(t 16 24 32 48 64 256)
  list(APPEND _pasos COMMAND ${CELVARA_RSVG} -w ${t} -h ${t} -o ${CMAKE_BINARY_DIR}/icono/${t}.png ${_svg})
  list(APPEND _pngs ${CMAKE_BINARY_DIR}/icono/${t}.png)
endforeach()
add_custom_command(OUTPUT ${CELVARA_ICONO} ${_pasos}
  COMMAND ${CELVARA_ICOTOOL} -c -o ${CELVARA_ICONO} ${_pngs}
  DEPENDS ${_svg} VERBATIM)
add_custom_target(celvara_icono DEPENDS ${CELVARA_ICONO})

function(celvara_recursos_windows objetivo nombre descripcion)
  set(NOMBRE ${nombre})
  set(DESCRIPCION ${descripcion})
  set(FICHERO $<TARGET_FILE_NAME:${objetivo}>)
  set(ICONO ${CELVARA_ICONO})
  configure_file(${CMAKE_SOURCE_DIR}/data/windows/recursos.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${objetivo}.rc.in @ONLY)
  file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${objetivo}.rc INPUT ${CMAKE_CURRENT_BINARY_DIR}/${objetivo}.rc.in)
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${objetivo}.rc PROPERTIES OBJECT_DEPENDS ${CELVARA_ICONO})
  target_sources(${objetivo} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${objetivo}.rc)
  add_dependencies(${objetivo} celvara_icono)
endfunction()
