# tintorb_embed(<target> <symbol> <file>): compiles the bytes of a data file into
# <target> as `extern const std::string_view <symbol>` in namespace tintorb, so the
# program needs no data files beside it at run time.
function(tintorb_embed target symbol file)
  set(out "${CMAKE_CURRENT_BINARY_DIR}/embed_${symbol}.cpp")
  add_custom_command(
    OUTPUT "${out}"
    COMMAND "${CMAKE_COMMAND}" -DSYMBOL=${symbol} -DINPUT=${file} -DOUTPUT=${out}
            -P "${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake"
    DEPENDS "${file}" "${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake"
    VERBATIM)
  target_sources(${target} PRIVATE "${out}")
endfunction()
