# Writes the page's service worker (sw.js) from its TEMPLATE into WEB_DIR:
# @BUILD@ becomes a hash of every file the page keeps at once, and @KEPT@
# their list: KEPT (the page and the program, names relative to WEB_DIR,
# separated by commas) and the first pack; the other packs are kept as they
# are fetched, and files.json, among KEPT, names them by their hashes. A
# new build is a new store.
# Run as `cmake -DWEB_DIR=... -DTEMPLATE=... -DKEPT=a,b,... -P PageStore.cmake`.
string(REPLACE "," ";" kept "${KEPT}")
file(GLOB first RELATIVE ${WEB_DIR} ${WEB_DIR}/files/first-*.pack)
list(LENGTH first count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "files/ has ${count} first packs; one was expected")
endif()
list(APPEND kept ${first})
set(hashes "")
foreach(name ${kept})
  file(SHA256 ${WEB_DIR}/${name} hash)
  string(APPEND hashes "${hash} ${name}\n")
endforeach()
string(SHA256 build "${hashes}")
string(SUBSTRING ${build} 0 16 BUILD)
list(TRANSFORM kept PREPEND "'")
list(TRANSFORM kept APPEND "'")
list(JOIN kept ", " KEPT)
configure_file(${TEMPLATE} ${WEB_DIR}/sw.js @ONLY)
