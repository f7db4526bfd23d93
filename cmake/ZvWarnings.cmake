add_compile_options(-Wall -Wextra)
if(WIN32)
  # printf-style formatting must follow the C standard, as on the native build.
  add_compile_definitions(__USE_MINGW_ANSI_STDIO=1 WIN32_LEAN_AND_MEAN NOMINMAX)
endif()
