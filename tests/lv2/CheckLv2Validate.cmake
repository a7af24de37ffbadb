# lv2_validate on the bundle's Turtle, with the vocabularies it uses (the bundles Debian
# ships in /usr/lib/lv2): no error, no warning.
file(GLOB bundle_files ${BUNDLE}/*.ttl)
set(vocabularies "")
foreach(vocabulary schemas core atom midi time state ui units urid options resize-port instance-access)
  file(GLOB files ${VOCABULARIES}/${vocabulary}.lv2/*.ttl)
  list(APPEND vocabularies ${files})
endforeach()
execute_process(COMMAND ${VALIDATE} ${vocabularies} ${bundle_files}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR output MATCHES "(error|warning):")
  message(FATAL_ERROR "lv2_validate failed:\n${output}")
endif()
