# One page of the user manual from its Markdown to the HTML the program
# carries: cmake -DCMARK=... -DENTRADA=x.md -DSALIDA=x.html -P pagina_manual.cmake
# Links between pages name the .md files (so the pages read on their own);
# inside the program they are the .html pages, and the screenshots of
# docs/capturas sit in capturas/ beside them.
execute_process(COMMAND ${CMARK} --to html ${ENTRADA}
                OUTPUT_VARIABLE cuerpo RESULT_VARIABLE fallo)
if(fallo)
  message(FATAL_ERROR "cmark no pudo convertir ${ENTRADA}")
endif()
string(REGEX REPLACE "href=\"([a-z0-9_]+)\\.md" "href=\"\\1.html" cuerpo "${cuerpo}")
string(REPLACE "src=\"../capturas/" "width=\"620\" src=\"capturas/" cuerpo "${cuerpo}")
string(REGEX MATCH "<h1>[^<]*</h1>" titulo "${cuerpo}")
string(REGEX REPLACE "</?h1>" "" titulo "${titulo}")
file(WRITE ${SALIDA} "<!DOCTYPE html>\n<html lang=\"es\"><head><meta charset=\"utf-8\"><title>${titulo}</title></head>\n<body>\n${cuerpo}</body></html>\n")
