# Settings of the browser build, included by the top CMakeLists.txt when
# emscripten's toolchain configures it (see docs/web.md).

set(PLINKPAD_FREETYPE_SOURCE "" CACHE PATH "FreeType's source, fetched by scripts/install-web-deps.sh")
set(PLINKPAD_ZLIB_SOURCE "" CACHE PATH "zlib's source, fetched by scripts/install-web-deps.sh")
set(PLINKPAD_DISC_SOURCE "" CACHE PATH "the native build's generated disc folder")
set(PLINKPAD_NATIVE_TOOLS "" CACHE PATH "the native build's folder, with its pagefiles and assetgen tools")
foreach(required PLINKPAD_FREETYPE_SOURCE PLINKPAD_ZLIB_SOURCE PLINKPAD_DISC_SOURCE PLINKPAD_NATIVE_TOOLS)
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

# zlib from Debian's source package too, for session links
# (recording/link/), so that the page makes the links the native tools
# make: the files of raw DEFLATE and inflate only, compiled here (zlib's own
# CMakeLists.txt moves a header in its source folder).
set(zlib_sources)
foreach(name adler32 crc32 deflate inffast inflate inftrees trees zutil)
  list(APPEND zlib_sources ${PLINKPAD_ZLIB_SOURCE}/${name}.c)
endforeach()
add_library(pp_zlib STATIC ${zlib_sources})
target_include_directories(pp_zlib SYSTEM PUBLIC ${PLINKPAD_ZLIB_SOURCE})
# FreeType carries an inflate of its own under zlib's names: the prefix
# ("z_deflate") keeps the two apart, and zlib's table of messages, which the
# prefix leaves alone, gets a name of its own.
target_compile_definitions(pp_zlib PUBLIC Z_PREFIX PRIVATE z_errmsg=pp_zlib_errmsg)
target_compile_options(pp_zlib PRIVATE -w)
add_library(ZLIB::ZLIB ALIAS pp_zlib)

# In the page's file system the program finds its home folder (settings
# file and disc) where an installed program has it, and the fonts where
# Debian puts them; the user's files live in $HOME, kept in the browser.
set(PLINKPAD_WEB_HOME /plinkpad)
