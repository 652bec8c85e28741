# cmake -DIN=<text> -DOUT=<text> -P crlf.cmake: copies a text with CR LF line ends.
configure_file(${IN} ${OUT} @ONLY NEWLINE_STYLE CRLF)
