# Settings of the browser build, included by the top CMakeLists.txt when
# emscripten's toolchain configures it (see docs/web.md).

set(PLINKPAD_FREETYPE_SOURCE "" CACHE PATH "FreeType's source, fetched by scripts/install-web-deps.sh")
set(PLINKPAD_DISC_SOURCE "" CACHE PATH "the native build's generated disc folder")
set(PLINKPAD_NATIVE_TOOLS "" CACHE PATH "the native build's folder, with its pagefiles and assetgen tools")
foreach(required PLINKPAD_FREETYPE_SOURCE PLINKPAD_DISC_SOURCE PLINKPAD_NATIVE_TOOLS)
  if(NOT IS_DIRECTORY "${${required}}")
    message(FATAL_ERROR "${required} is not a folder ('${${required}}'): build the web version with `make web`")
  endif()
endforeach()

# FreeType from Debian's source package, with none of its optional
# libraries: the program renders plain TrueType faces only.
foreach(optional ZLIB BZIP2 PNG HARFBUZZ BROTLI)
  set(FT_DISABLE_${optional} ON CACHE BOOL "" FORCE)
endforeach()
add_subdirectory(${PLINKPAD_FREETYPE_SOURCE} ${CMAKE_BINARY_DIR}/freetype EXCLUDE_FROM_ALL)
target_compile_options(freetype PRIVATE -w)
add_library(pp_freetype ALIAS freetype)

# In the page's file system the program finds its home folder (settings
# file and disc) where an installed program has it, and the fonts where
# Debian puts them; the user's files live in $HOME, kept in the browser.
set(PLINKPAD_WEB_HOME /plinkpad)
