# Writes the fonts style sheet with the symbol font embedded as base64.
# cmake -DTEMPLATE=fonts.css.in -DFONT_BASE64=symbols.b64 -DOUTPUT=fonts.css -P embed-font.cmake
file(READ "${FONT_BASE64}" SYMBOLS_FONT_BASE64)
string(STRIP "${SYMBOLS_FONT_BASE64}" SYMBOLS_FONT_BASE64)
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
