# cmake -DFOLDER=<folder> -DLIST=<file name> -P NativeChecksums.cmake
#
# Writes FOLDER/LIST: "<sha-256 in hex>  <file name>" for every library in the folder (every
# file but the lists), sorted by name: the format of sha256sum. The jars' loader checks each
# library it extracts against this list before loading anything.
cmake_minimum_required(VERSION 3.25)
file(GLOB files LIST_DIRECTORIES false RELATIVE ${FOLDER} ${FOLDER}/*)
list(FILTER files EXCLUDE REGEX "\\.SHA256SUMS$")
list(SORT files)
set(text "")
foreach(name IN LISTS files)
  file(SHA256 ${FOLDER}/${name} hash)
  string(APPEND text "${hash}  ${name}\n")
endforeach()
file(WRITE ${FOLDER}/${LIST} "${text}")
