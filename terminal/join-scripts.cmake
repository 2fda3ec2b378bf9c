# Joins the files named in LIST (a CMake list) into OUT, in order, as the
# page joins its script pieces.
file(READ ${LIST} scripts)
file(WRITE ${OUT}.part "")
foreach(script IN LISTS scripts)
  file(READ ${script} text)
  file(APPEND ${OUT}.part "${text}")
endforeach()
file(RENAME ${OUT}.part ${OUT})
