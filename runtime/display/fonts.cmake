# Generates the built-in font tables at build time from the code-page-437 console fonts that
# Debian's console-data package ships (GPL-2, so they are read at build time, not committed).
# Include after the target named by KELVO_FONT_TARGET (default kelvo_runtime) is defined.
find_package(ZLIB REQUIRED)
if(NOT KELVO_FONT_TARGET)
  set(KELVO_FONT_TARGET kelvo_runtime)
endif()
set(KELVO_CONSOLE_FONTS /usr/share/consolefonts CACHE PATH "Directory of console-data's fonts")
set(_kelvo_fonts ${KELVO_CONSOLE_FONTS}/cp865-8x16.psf.gz ${KELVO_CONSOLE_FONTS}/cp850-8x16.psf.gz
    ${KELVO_CONSOLE_FONTS}/default8x9.psf.gz)
foreach(_font IN LISTS _kelvo_fonts)
  if(NOT EXISTS ${_font})
    message(FATAL_ERROR "${_font} not found: install the console-data package")
  endif()
endforeach()

get_filename_component(_kelvo_root ${CMAKE_CURRENT_LIST_DIR}/../.. ABSOLUTE)
add_executable(make_font_data ${_kelvo_root}/tools/fonts/make_font_data.cpp)
target_compile_features(make_font_data PRIVATE cxx_std_20)
target_compile_options(make_font_data PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Werror)
target_link_libraries(make_font_data PRIVATE ZLIB::ZLIB)

set(_kelvo_font_data ${CMAKE_BINARY_DIR}/generated/runtime/display/font_data.inc)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/generated/runtime/display)
add_custom_command(
  OUTPUT ${_kelvo_font_data}
  COMMAND make_font_data ${KELVO_CONSOLE_FONTS} ${_kelvo_font_data}
  DEPENDS make_font_data ${_kelvo_fonts}
  COMMENT "Generating the built-in font tables")
target_sources(${KELVO_FONT_TARGET} PRIVATE ${_kelvo_font_data})
target_include_directories(${KELVO_FONT_TARGET} PRIVATE ${CMAKE_BINARY_DIR}/generated)
