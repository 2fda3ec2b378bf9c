# Writes the user style sheet with the symbol font embedded as base64.
# cmake -DTEMPLATE=user.css.in -DFONT_BASE64=symbols.b64 -DOUTPUT=user.css -P embed-font.cmake
file(READ "${FONT_BASE64}" SYMBOLS_FONT_BASE64)
string(STRIP "${SYMBOLS_FONT_BASE64}" SYMBOLS_FONT_BASE64)
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
