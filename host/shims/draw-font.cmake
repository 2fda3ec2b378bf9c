# Runs symbols-font.py in FontForge. FontForge prints its start-up lines on
# standard error even with -quiet, which read like errors in a build's
# output, so its output is shown only when it fails.
# cmake -DFONTFORGE=fontforge -DSCRIPT=symbols-font.py -DOUTPUT=symbols.ttf -P draw-font.cmake
execute_process(
  COMMAND "${FONTFORGE}" -quiet -lang=py -script "${SCRIPT}" "${OUTPUT}"
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "FontForge failed (${result}):\n${output}")
endif()
